#include "sim/state_block.h"

#include <cstdio>

namespace noboria {
namespace {

void line(std::string& out, const char* format, auto... values) {
  char buffer[64];
  const int n = std::snprintf(buffer, sizeof buffer, format, values...);
  out.append(buffer, static_cast<std::size_t>(n));
}

void text(std::string& out, const char* key, std::string_view value) {
  out.append(key).append(" ").append(value).append("\n");
}

void grid(std::string& out, const char* name, const Grid& g) {
  out.append(name).append("\n");
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) line(out, x == 1 ? "%d" : " %d", static_cast<int>(g[x][y]));
    out.append("\n");
  }
}

}  // namespace

std::string state_block(const World& w, const StateBlockExtras& e) {
  std::string out = "state\n";
  line(out, "day %d\n", static_cast<int>(w.day));
  line(out, "z_num %ld\n", static_cast<long>(w.z_num));
  line(out, "l_num %ld\n", static_cast<long>(w.l_num));
  line(out, "z_prev %ld\n", static_cast<long>(w.z_prev));
  line(out, "l_prev %ld\n", static_cast<long>(w.l_prev));
  line(out, "gra_x %d\n", static_cast<int>(w.gra_x));
  line(out, "p_rate %.17g\n", w.p_rate);
  line(out, "z_birth %.17g\n", w.z_birth);
  line(out, "l_birth %.17g\n", static_cast<double>(w.l_birth));
  line(out, "z_life %.17g\n", w.z_life);
  line(out, "l_life %.17g\n", w.l_life);
  line(out, "l_full %.17g\n", w.l_full);
  line(out, "l_hunt %d\n", static_cast<int>(w.l_hunt));
  line(out, "l_catch %.17g\n", w.l_catch);
  line(out, "timer %s %d\n", e.timer_on ? "on" : "off", e.interval);
  line(out, "beeps %lld\n", e.beeps);
  line(out, "draws %llu\n", e.draws);
  text(out, "daycap", e.daycap);
  text(out, "z_suu", e.z_suu);
  text(out, "l_suu", e.l_suu);
  grid(out, "p_map", w.p_map);
  grid(out, "ani_map", w.ani_map);
  grid(out, "life_map", w.life_map);
  grid(out, "next_map", w.next_map);
  out.append("end\n");
  return out;
}

}  // namespace noboria
