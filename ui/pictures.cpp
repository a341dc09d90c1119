#include "ui/pictures.h"

#include <QImage>
#include <optional>

#include "view/xpm.h"

namespace noboria {

QPixmap picture_pixmap(Picture p) {
  const std::optional<PixelImage> image = decode_xpm(picture_xpm(p));
  if (!image) return {};
  // The reader's pixels are 0xAARRGGBB rows, as in an ARGB32 image.
  const QImage view(reinterpret_cast<const uchar*>(image->pixels.data()), image->width, image->height, image->width * 4,
                    QImage::Format_ARGB32);
  return QPixmap::fromImage(view);  // copies the pixels
}

}  // namespace noboria
