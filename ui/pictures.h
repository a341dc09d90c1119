#pragma once
// The embedded pictures as pixmaps, read by the same XPM reader as the
// painters' sprites.

#include <QPixmap>

#include "assets/picture_data.h"

namespace noboria {

// The picture, or a null pixmap should its text not read.
QPixmap picture_pixmap(Picture p);

}  // namespace noboria
