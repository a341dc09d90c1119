#pragma once
// The state block a trace prints on `dump`: the world record, the day timer, the
// beep and draw counts and the three captions, in a fixed text form that
// golden files are compared with byte for byte. Both trace drivers (the
// desktop's and the browser page's) print it through this one function.

#include <string>
#include <string_view>

#include "sim/world.h"

namespace noboria {

struct StateBlockExtras {
  bool timer_on = false;
  int interval = 0;
  long long beeps = 0;
  unsigned long long draws = 0;
  std::string_view daycap;  // captions as UTF-8
  std::string_view z_suu;
  std::string_view l_suu;
};

std::string state_block(const World& w, const StateBlockExtras& extras);

}  // namespace noboria
