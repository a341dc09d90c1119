#include "view/field_painter.h"

#include <utility>

#include "assets/picture_data.h"
#include "view/pixels.h"
#include "view/xpm.h"

namespace noboria {
namespace {

constexpr std::uint32_t kWindowBackground = 0xFFFFFFC0;  // shows where nothing is painted yet
constexpr std::uint32_t kMissing = 0xFFFF00FF;           // a sprite that failed to load

constexpr std::array<int, kFieldSize + 1> kOffset = [] {
  std::array<int, kFieldSize + 1> px{};
  for (int i = 1; i <= kFieldSize; ++i) px[i] = px_from_twips(100 + 350 * (i - 1)) - px_from_twips(100);
  return px;
}();
static_assert(kOffset[2] == 23 && kOffset[kFieldSize] + kSpriteSize == FieldPainter::kPixels);

PixelRect sprite_rect(int x, int y) { return {kOffset[x], kOffset[y], kSpriteSize, kSpriteSize}; }

PixelImage load_sprite(int k) {
  std::optional<PixelImage> sprite = decode_xpm(picture_xpm(static_cast<Picture>(k)));
  // Never expected, as the pictures are built in: a visible square beats a crash.
  if (!sprite || sprite->width != kSpriteSize || sprite->height != kSpriteSize)
    return PixelImage(kSpriteSize, kSpriteSize, kMissing);
  return std::move(*sprite);
}

}  // namespace

int FieldPainter::cell_offset(int i) { return kOffset[i]; }

PixelRect FieldPainter::owned_rect(int x, int y) {
  const auto end = [](int i) { return i < kFieldSize ? kOffset[i + 1] : kOffset[i] + kSpriteSize; };
  return {kOffset[x], kOffset[y], end(x) - kOffset[x], end(y) - kOffset[y]};
}

FieldPainter::FieldPainter() : image_(kPixels, kPixels, kWindowBackground) {
  for (int k = 0; k < kSpriteCount; ++k) {
    sprites_[k] = load_sprite(k);
    picture_[k] = static_cast<std::int8_t>(k);
    for (int j = 0; j < k; ++j) {
      if (sprites_[j] == sprites_[k]) {
        picture_[k] = picture_[j];
        break;
      }
    }
  }
  for (auto& column : shown_) column.fill(kOwnPicture);
}

void FieldPainter::field_draw(const World& w) {
  constexpr std::int8_t kSkipped = -1;
  std::array<std::array<std::int8_t, kFieldSize>, kFieldSize> sprite;  // [x - 1][y - 1]
  std::array<std::array<bool, kFieldSize>, kFieldSize> changed{};      // [y - 1][x - 1]
  bool any_skipped = false;
  // A valid cell's owned rect shows its own sprite whatever came before it.
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      const int p = w.p_map[x][y];
      const int a = w.ani_map[x][y];
      if (p < 0 || p > 2 || a < 0 || a > 2) {
        sprite[x - 1][y - 1] = kSkipped;
        any_skipped = true;
        continue;
      }
      const std::int8_t k = picture_[p + 3 * a];
      sprite[x - 1][y - 1] = k;
      if (shown_[x - 1][y - 1] == k) continue;
      const PixelRect own = owned_rect(x, y);
      image_.copy_from(sprites_[k], {0, 0, own.width, own.height}, own.x, own.y);
      shown_[x - 1][y - 1] = k;
      changed[y - 1][x - 1] = true;
    }
  }
  // A skipped cell takes the one-pixel strips that the whole sprites of its
  // painted neighbours above and to the left reach in with, in row order.
  for (int y = 1; any_skipped && y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      if (sprite[x - 1][y - 1] != kSkipped) continue;
      const PixelRect own = owned_rect(x, y);
      for (const auto& [nx, ny] : {std::pair(x - 1, y - 1), std::pair(x, y - 1), std::pair(x - 1, y)}) {
        if (nx < 1 || ny < 1 || sprite[nx - 1][ny - 1] == kSkipped) continue;
        const PixelRect whole = sprite_rect(nx, ny);
        const PixelRect part = whole & own;
        if (part.empty()) continue;
        image_.copy_from(sprites_[sprite[nx - 1][ny - 1]], {part.x - whole.x, part.y - whole.y, part.width, part.height},
                         part.x, part.y);
        shown_[x - 1][y - 1] = kOwnPicture;
        changed[y - 1][x - 1] = true;
      }
    }
  }
  changed_.clear();
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize;) {
      if (!changed[y - 1][x - 1]) {
        ++x;
        continue;
      }
      const int first = x;
      while (x <= kFieldSize && changed[y - 1][x - 1]) ++x;
      const PixelRect a = owned_rect(first, y);
      const PixelRect b = owned_rect(x - 1, y);
      changed_.push_back({a.x, a.y, b.x + b.width - a.x, a.height});
    }
  }
}

}  // namespace noboria
