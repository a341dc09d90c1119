#pragma once
// Reads the XPM pictures of assets/: the C array of strings our drawing
// script writes, with "c #RRGGBB" or "c None" (see-through) colours.

#include <optional>
#include <string_view>

#include "view/pixel_image.h"

namespace noboria {

// The picture, or nothing when the text is not such an XPM (a wrong size, an
// unknown colour key, a short row).
std::optional<PixelImage> decode_xpm(std::string_view text);

}  // namespace noboria
