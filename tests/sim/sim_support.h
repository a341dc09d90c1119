#pragma once
// Helpers for the core's tests: a view that records what a day asks of the
// screen, and a simulation on a hand-laid field with a scripted random source.

#include <string>
#include <vector>

#include "sim/day_view.h"
#include "sim/random_source.h"
#include "sim/simulation.h"

namespace noboria::testing {

class RecordingView final : public DayView {
 public:
  void field_draw(const World&) override { calls.push_back("field"); ++field_draws; }
  void gra_new_sheet() override { calls.push_back("sheet"); ++sheets; }
  void gra_plot(const GraphPoint& p) override { calls.push_back("plot"); points.push_back(p); }
  void show_day(int day) override { calls.push_back("day"); daycap = day; }
  void show_counts(int z, int l) override { calls.push_back("counts"); z_suu = z; l_suu = l; }
  void timer_off() override { calls.push_back("timer_off"); timer_on = false; }
  void beep() override { calls.push_back("beep"); ++beeps; }

  std::vector<std::string> calls;
  std::vector<GraphPoint> points;
  int field_draws = 0;
  int sheets = 0;
  int daycap = -1;
  int z_suu = -1;
  int l_suu = -1;
  int beeps = 0;
  bool timer_on = true;
};

// A simulation with empty grids and the given parameters, drawing from a
// scripted sequence that the test fills.
struct Bench {
  ScriptedRandom random;
  Simulation sim{random};
  World& w = sim.w;

  Bench() {
    w.p_rate = 0;
    w.z_birth = 0;
    w.l_birth = 0;
    w.z_life = 3;
    w.l_life = 5;
    w.l_full = 2;
    w.l_hunt = 3;
    w.l_catch = 1;
  }
  void herbivore(int x, int y, int life) {
    w.ani_map[x][y] = kHerbivore;
    w.life_map[x][y] = static_cast<std::int16_t>(life);
  }
  void carnivore(int x, int y, int life) {
    w.ani_map[x][y] = kCarnivore;
    w.life_map[x][y] = static_cast<std::int16_t>(life);
  }
  void plants(int x, int y, int amount) { w.p_map[x][y] = static_cast<std::int16_t>(amount); }
  void fill_plants(int amount) {
    for (int x = 1; x <= kFieldSize; ++x)
      for (int y = 1; y <= kFieldSize; ++y) plants(x, y, amount);
  }
  void draws(std::vector<float> values) {
    for (float v : values) random.append(v);
  }
};

inline int count_cells(const Grid& g, int value) {
  int n = 0;
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) n += g[x][y] == value;
  return n;
}

}  // namespace noboria::testing
