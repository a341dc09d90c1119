// One tick as a whole: plant growth, the stop test, day numbers and graph
// sheets, and the day limit.
#include <gtest/gtest.h>

#include "sim_support.h"

namespace noboria::testing {
namespace {

// A herbivore on plants that regrow every day and a carnivore that is never
// hungry: 260 draws a day, all 0.9 (no births).
void pair(Bench& b, int carnivore_days, int days) {
  b.w.p_rate = 1;
  for (auto& column : b.w.p_map) column.fill(2);
  b.w.l_hunt = -100;
  b.w.ani_map[1][1] = kHerbivore, b.w.life_map[1][1] = 1;
  b.w.ani_map[16][16] = kCarnivore, b.w.life_map[16][16] = std::int16_t(carnivore_days);
  b.random.append(260 * std::size_t(days), 0.9f);
}

TEST(Day, PlantsGrowOnDrawsBelowTheRateUpToTwo) {
  Bench b;
  b.w.p_rate = 0.5;
  b.w.p_map[1][1] = 2, b.w.p_map[1][2] = 1, b.w.p_map[1][3] = 1;
  // Cell (1, 3), the third in scan order, draws exactly the rate.
  for (int i = 0; i < 256; ++i) b.random.append(i == 2 ? 0.5f : 0.49999997f);
  b.sim.p_grow();
  EXPECT_EQ(std::vector({b.w.p_map[1][1], b.w.p_map[1][2], b.w.p_map[1][3], b.w.p_map[3][1]}),
            std::vector<std::int16_t>({2, 2, 1, 1}));
}

TEST(Day, AKindDyingOnDayDStopsTheRunAtTheEndOfDayDPlusOneWithOneBeep) {
  Bench b;
  RecordingView view;
  pair(b, 1, 2);  // the carnivore rests and starves on day 1
  b.sim.day(view);
  EXPECT_EQ(view.calls, "day field sheet day counts plot field counts ");
  EXPECT_EQ(view.l_suu, 1);
  view.calls.clear();
  b.sim.day(view);
  EXPECT_EQ(view.calls, "day field day counts plot field timer_off beep ");
  EXPECT_EQ(std::pair(view.z_suu, view.l_suu), std::pair(1, 0));
  EXPECT_EQ(b.random.left(), 2u);  // day 2 drew for the herbivore only
}

TEST(Day, NumbersAndGraphSheets) {
  Bench b;
  RecordingView view;
  pair(b, 30000, 200);
  // A new sheet starts on days 1, 101, 201 and takes that day's number.
  const struct { int tick, daycap, gra_x; } rows[] = {
      {1, 2, 2},      {2, 3, 4},       {99, 100, 198}, {100, 102, 2},
      {198, 200, 198}, {199, 202, 2}, {200, 203, 4}};
  for (int tick = 1, i = 0; tick <= 200; ++tick) {
    b.sim.day(view);
    if (tick != rows[i].tick) continue;
    EXPECT_EQ(view.daycap, rows[i].daycap) << tick;
    EXPECT_EQ(b.w.gra_x, rows[i].gra_x) << tick;
    ++i;
  }
}

TEST(Day, TheLimitEndsTheRunWithOneBeepAndNothingElse) {
  Bench b;
  RecordingView view;
  pair(b, 30000, 1);
  b.w.day = 32766;
  b.sim.day(view);  // day 32767 still runs
  EXPECT_EQ(b.w.day, 32767);
  view.calls.clear();
  b.sim.day(view);  // no draws left: this one must draw nothing
  EXPECT_EQ(view.calls, "timer_off beep ");
  EXPECT_EQ(b.w.day, 32767);
}

}  // namespace
}  // namespace noboria::testing
