#pragma once
// Helpers for the core's tests: a view that records what a day asks of the
// screen, and a simulation on an empty field drawing from a scripted sequence.

#include <string>

#include "sim/day_view.h"
#include "sim/random_source.h"
#include "sim/simulation.h"

namespace noboria::testing {

class RecordingView final : public DayView {
 public:
  void field_draw(const World&) override { calls += "field "; }
  void gra_new_sheet() override { calls += "sheet "; }
  void gra_plot(const GraphPoint&) override { calls += "plot "; }
  void show_day(int day) override { calls += "day "; daycap = day; }
  void show_counts(int z, int l) override { calls += "counts "; z_suu = z; l_suu = l; }
  void timer_off() override { calls += "timer_off "; timer_on = false; }
  void beep() override { calls += "beep "; ++beeps; }

  std::string calls;
  int daycap = -1, z_suu = -1, l_suu = -1, beeps = 0;
  bool timer_on = true;
};

struct Bench {
  ScriptedRandom random;
  Simulation sim{random};
  World& w = sim.w;

  Bench() {
    w.z_birth = 0.5, w.l_birth = 0.5f, w.l_catch = 0.5;  // births and tries on draws below 0.5
    w.z_life = 3, w.l_life = 5, w.l_full = 2, w.l_hunt = 3;
  }
};

}  // namespace noboria::testing
