#pragma once
// The field as a picture: 16 x 16 cells of 24 x 24 sprites, cell (x, y) at
// its twip place rounded to pixels. Painting a field gives what drawing each
// valid cell's whole sprite p_map + 3 x ani_map in row order over the last
// picture gives: a cell with a value outside 0..2 keeps its own picture but
// for the strips its painted neighbours reach into. Free of any toolkit, so
// that both front ends show the very same pixels.

#include <array>
#include <cstdint>
#include <vector>

#include "sim/world.h"
#include "view/pixel_image.h"

namespace noboria {

inline constexpr int kSpriteCount = 9;
inline constexpr int kSpriteSize = 24;  // pixels a side

class FieldPainter {
 public:
  static constexpr int kPixels = 374;  // the picture's width and height

  // A window-coloured picture, with the sprites decoded from the embedded XPM.
  FieldPainter();

  void field_draw(const World& w);
  const PixelImage& image() const { return image_; }
  // What the last field_draw changed: runs of cells, row by row, top to bottom.
  const std::vector<PixelRect>& changed() const { return changed_; }

  // Offset of column (or row) i = 1..16 from the first one, in pixels.
  static int cell_offset(int i);
  // The pixels of cell (x, y) that no later cell paints over: from its
  // origin to the next cell's; in the last column and row, its whole sprite.
  static PixelRect owned_rect(int x, int y);

 private:
  // What a cell's owned rect shows: a sprite, or a picture of its own.
  static constexpr std::int8_t kOwnPicture = -1;

  std::array<PixelImage, kSpriteCount> sprites_;
  // The lowest sprite with the same pixels as sprite k (4 and 5 are one
  // picture), so that a cell going from one to the other is not repainted.
  std::array<std::int8_t, kSpriteCount> picture_{};
  std::array<std::array<std::int8_t, kFieldSize>, kFieldSize> shown_;  // [x - 1][y - 1]
  PixelImage image_;
  std::vector<PixelRect> changed_;
};

}  // namespace noboria
