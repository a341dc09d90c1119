#pragma once
// Every picture of the program as the XPM text in assets/, compiled in, for
// the painters that do without Qt's resources (the browser page's too).

#include <string_view>

namespace noboria {

// Sprites 0..8 first (plant level + 3 x occupant), then the other pictures.
enum class Picture {
  sprite0, sprite1, sprite2, sprite3, sprite4, sprite5, sprite6, sprite7, sprite8,
  legend_herbivore, legend_carnivore, icon, about_zebra,
};
inline constexpr int kPictureCount = 13;

std::string_view picture_xpm(Picture p);

}  // namespace noboria
