#pragma once
// Counting pixels of one colour, for the painting tests.

#include <QImage>

namespace noboria {

inline int count_colour(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour) ++n;
  return n;
}

}  // namespace noboria
