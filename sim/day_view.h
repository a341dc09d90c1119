#pragma once
// What a day needs of the screen and the speaker. The main window implements
// it; tests record the calls. The core calls it at fixed points of the day.

#include <cstdint>

#include "sim/world.h"

namespace noboria {

// One point of the population graph, as the day plots it.
struct GraphPoint {
  std::int16_t gra_x = 0;  // sheet position after this day's step of 2
  std::int32_t z_num = 0;
  std::int32_t z_prev = 0;
  std::int32_t l_num = 0;
  std::int32_t l_prev = 0;
};

class DayView {
 public:
  virtual ~DayView() = default;
  virtual void field_draw(const World& w) = 0;     // paint every field cell
  virtual void gra_new_sheet() = 0;                // clear the graph, draw its grid
  virtual void gra_plot(const GraphPoint& p) = 0;  // the day's two dashes and circles
  virtual void show_day(int day) = 0;              // caption of daycap
  virtual void show_counts(int z_num, int l_num) = 0;  // captions of z_suu, l_suu
  virtual void timer_off() = 0;                    // switch the day timer off
  virtual void beep() = 0;
};

}  // namespace noboria
