#include "view/graph_painter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>

namespace noboria {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kHerbivoreBlue = 0xFF0000FF;
constexpr std::uint32_t kCarnivoreRed = 0xFFFF0000;
constexpr std::uint32_t kVerticalLine = 0xFF000000;
constexpr std::uint32_t kHorizontalLine = 0xFF010000;  // looks black, yet is not the day lines' colour

constexpr long long kBaseline = 205;  // y of a count of 0; one pixel up per animal
constexpr int kSheetLeft = 5;         // x of gra_x = 0

// x of a day's point on the sheet, wrapped as a 16-bit position.
long long plot_x(const GraphPoint& p) { return static_cast<std::int16_t>(p.gra_x + kSheetLeft); }

// floor(a / b) for b > 0.
long long floor_div(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

GraphPainter::GraphPainter() : image_(kWidth, kHeight, kWhite) {}

void GraphPainter::set(long long x, long long y, std::uint32_t colour) {
  if (x >= 0 && y >= 0 && x < kWidth && y < kHeight) image_.at(static_cast<int>(x), static_cast<int>(y)) = colour;
}

void GraphPainter::line(long long x0, long long y0, long long x1, long long y1, std::uint32_t colour) {
  const long long dx = x1 - x0;
  const long long dy = y1 - y0;
  const bool steep = std::llabs(dy) > std::llabs(dx);
  const long long steps = steep ? std::llabs(dy) : std::llabs(dx);
  if (steps == 0) {
    set(x0, y0, colour);
    return;
  }
  // Only the steps that land inside the area along the longer axis: a count
  // far off the sheet must not cost a long walk.
  const long long start = steep ? y0 : x0;
  const long long sign = (steep ? dy : dx) > 0 ? 1 : -1;
  const long long limit = steep ? kHeight : kWidth;
  long long first = 0;
  long long last = steps;
  if (sign > 0) {
    first = std::max(first, -start);
    last = std::min(last, limit - 1 - start);
  } else {
    first = std::max(first, start - (limit - 1));
    last = std::min(last, start);
  }
  for (long long k = first; k <= last; ++k) {
    if (steep) {
      set(x0 + floor_div(dx * k, steps), y0 + sign * k, colour);
    } else {
      set(x0 + sign * k, y0 + floor_div(dy * k, steps), colour);
    }
  }
}

void GraphPainter::new_sheet() {
  image_.fill(kWhite);
  for (int x : {5, 105, 205}) line(x, 5, x, 255, kVerticalLine);
  for (int y : {5, 105, 205}) line(5, y, 255, y, kHorizontalLine);
}

void GraphPainter::plot(const GraphPoint& p) {
  const long long x = plot_x(p);
  const struct {
    long long count, previous;
    std::uint32_t colour;
  } kinds[] = {{p.z_num, p.z_prev, kHerbivoreBlue}, {p.l_num, p.l_prev, kCarnivoreRed}};  // red last, on top
  for (const auto& kind : kinds) {
    const long long y = kBaseline - kind.count;
    line(x, y, x - 2, kBaseline - kind.previous, kind.colour);
    for (const auto& [cx, cy] : {std::pair(1, 0), std::pair(0, 1), std::pair(-1, 0), std::pair(0, -1)})
      set(x + cx, y + cy, kind.colour);
  }
}

PixelRect GraphPainter::plot_rect(const GraphPoint& p) {
  // Each dash runs from x - 2 at the previous count to x at this one, and each
  // circle reaches one pixel round (x, y); one pixel more each way is spare.
  const long long x = plot_x(p);
  const std::array<long long, 4> ys = {kBaseline - p.z_num, kBaseline - p.z_prev, kBaseline - p.l_num,
                                       kBaseline - p.l_prev};
  const auto [top, bottom] = std::minmax_element(ys.begin(), ys.end());
  // Clamped one pixel outside the area, so a mark wholly outside gives an empty rect.
  const auto clamp = [](long long v, int high) { return static_cast<int>(std::clamp<long long>(v, -1, high)); };
  const int left = clamp(x - 3, kWidth), right = clamp(x + 2, kWidth);
  const int upper = clamp(*top - 2, kHeight), lower = clamp(*bottom + 2, kHeight);
  return PixelRect{left, upper, right - left + 1, lower - upper + 1} & PixelRect{0, 0, kWidth, kHeight};
}

}  // namespace noboria
