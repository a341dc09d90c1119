#pragma once
// Layout positions are given in twips; 15 twips make one pixel, and a
// position is rounded to the nearest pixel, halves up.

namespace noboria {

constexpr int px_from_twips(int twips) {
  // floor((twips + 7.5) / 15), valid for negative twips too.
  const int n = twips * 2 + 15;
  return n >= 0 ? n / 30 : -((-n + 29) / 30);
}

static_assert(px_from_twips(100) == 7 && px_from_twips(5350) == 357);
static_assert(px_from_twips(450) == 30 && px_from_twips(7) == 0 && px_from_twips(8) == 1);
static_assert(px_from_twips(-8) == -1 && px_from_twips(-7) == 0);

}  // namespace noboria
