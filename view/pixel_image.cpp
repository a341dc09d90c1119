#include "view/pixel_image.h"

#include <algorithm>
#include <cstring>

namespace noboria {

PixelRect PixelRect::operator&(const PixelRect& o) const {
  const int left = std::max(x, o.x);
  const int top = std::max(y, o.y);
  const int right = std::min(x + width, o.x + o.width);
  const int bottom = std::min(y + height, o.y + o.height);
  if (right <= left || bottom <= top) return {};
  return {left, top, right - left, bottom - top};
}

void PixelImage::copy_from(const PixelImage& source, const PixelRect& part, int to_x, int to_y) {
  for (int row = 0; row < part.height; ++row) {
    std::memcpy(&at(to_x, to_y + row), source.pixels.data() + static_cast<std::size_t>(part.y + row) * source.width + part.x,
                static_cast<std::size_t>(part.width) * sizeof(std::uint32_t));
  }
}

}  // namespace noboria
