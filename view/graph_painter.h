#pragma once
// The population graph's drawing area as a picture: 269 x 213 white pixels
// on which each sheet gets its grid and each day two marks, a dash from the
// previous count and a small circle, herbivores in blue, carnivores in red on
// top. Lines light, on each step along their longer axis, the pixel the exact
// line passes through (rounded towards the left or top), both ends included;
// whatever falls outside the area is clipped. Free of any toolkit, so that
// both front ends show the very same pixels.

#include "sim/day_view.h"
#include "view/pixel_image.h"

namespace noboria {

class GraphPainter {
 public:
  static constexpr int kWidth = 269;
  static constexpr int kHeight = 213;

  GraphPainter();  // white, no grid yet

  // Clears the sheet and draws the three vertical and three horizontal lines.
  void new_sheet();
  // Draws one day's marks at x = 5 + gra_x, y = 205 - count.
  void plot(const GraphPoint& p);
  // The pixels plot(p) may change (a pixel more each way), clipped to the area.
  static PixelRect plot_rect(const GraphPoint& p);

  const PixelImage& image() const { return image_; }

 private:
  void line(long long x0, long long y0, long long x1, long long y1, std::uint32_t colour);
  void set(long long x, long long y, std::uint32_t colour);

  PixelImage image_;
};

}  // namespace noboria
