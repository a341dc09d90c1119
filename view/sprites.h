#pragma once
// The nine field sprites, read once from the embedded pictures and kept as
// opaque RGB32 images, the format a plain copy can use as it is.

#include <QImage>
#include <array>

namespace noboria {

inline constexpr int kSpriteCount = 9;
inline constexpr int kSpriteSize = 24;  // pixels a side at 1x

using SpriteSet = std::array<QImage, kSpriteCount>;

// The sprites at their own size, loaded on first use.
const SpriteSet& field_sprites();

// The lowest sprite index whose pixels are those of sprite k, so that a cell
// going from one to the other needs no repaint (sprites 4 and 5 are one
// picture).
int sprite_picture(int k);

// The sprites enlarged step times without smoothing (step 1 shares the
// originals).
SpriteSet field_sprites_scaled(int step);

}  // namespace noboria
