#pragma once
// Rounding as the program uses it for grid values, l_hunt and timer intervals.

#include <cmath>
#include <cstdint>
#include <limits>

namespace noboria {

// Nearest whole number, halves to the even one (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
inline double rhe(double v) {
  const double below = std::floor(v);
  const double diff = v - below;
  if (diff < 0.5) return below;
  if (diff > 0.5) return below + 1;
  return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

inline bool fits_int16(double whole) {
  return whole >= std::numeric_limits<std::int16_t>::min() &&
         whole <= std::numeric_limits<std::int16_t>::max();
}

// rhe(v) as a 16-bit value; the caller has made sure it fits.
inline std::int16_t to_int16(double v) { return static_cast<std::int16_t>(rhe(v)); }

}  // namespace noboria
