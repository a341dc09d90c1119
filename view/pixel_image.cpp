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

namespace {

template <std::size_t kBytes>
void copy_rows(std::uint32_t* to, std::size_t to_stride, const std::uint32_t* from, std::size_t from_stride, int rows,
               std::size_t bytes) {
  for (int row = 0; row < rows; ++row, to += to_stride, from += from_stride)
    std::memcpy(to, from, kBytes != 0 ? kBytes : bytes);
}

}  // namespace

void PixelImage::copy_from(const PixelImage& source, const PixelRect& part, int to_x, int to_y) {
  std::uint32_t* to = &at(to_x, to_y);
  const std::uint32_t* from = source.pixels.data() + static_cast<std::size_t>(part.y) * source.width + part.x;
  const auto to_stride = static_cast<std::size_t>(width);
  const auto from_stride = static_cast<std::size_t>(source.width);
  // The field's cells are 23 or 24 pixels wide: rows of a size known here
  // copy in a few moves, where a call per row would cost more than the copy.
  switch (part.width) {
    case 24: return copy_rows<24 * 4>(to, to_stride, from, from_stride, part.height, 0);
    case 23: return copy_rows<23 * 4>(to, to_stride, from, from_stride, part.height, 0);
    default:
      return copy_rows<0>(to, to_stride, from, from_stride, part.height, static_cast<std::size_t>(part.width) * 4);
  }
}

}  // namespace noboria
