#pragma once
// A plain picture: rows of 0xAARRGGBB pixels, the layout of Qt's RGB32 and
// ARGB32 images. The painters draw into it without any toolkit; the desktop
// shows it through a QImage over the same memory, the browser page copies it
// onto a canvas.

#include <cstdint>
#include <vector>

namespace noboria {

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
  PixelRect operator&(const PixelRect& o) const;  // intersection, empty when apart
  bool operator==(const PixelRect&) const = default;
};

struct PixelImage {
  PixelImage() = default;
  PixelImage(int w, int h, std::uint32_t fill)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill) {}

  std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  PixelRect rect() const { return {0, 0, width, height}; }
  void fill(std::uint32_t colour) { pixels.assign(pixels.size(), colour); }
  // Copies part (in source pixels) of source so that its corner lands at (to_x, to_y).
  void copy_from(const PixelImage& source, const PixelRect& part, int to_x, int to_y);
  bool operator==(const PixelImage&) const = default;

  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

}  // namespace noboria
