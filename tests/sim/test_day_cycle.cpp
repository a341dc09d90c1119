// One tick: the order of its steps, the draws, the stop test, the day numbers
// and the graph bookkeeping, and the day limit.
#include <gtest/gtest.h>

#include "sim_support.h"

namespace noboria::testing {
namespace {

// A herbivore on a field full of plants that regrow every day, and a full
// carnivore with many days: both live for hundreds of days, 260 draws a day.
void long_lived_pair(Bench& b, int days) {
  b.w.p_rate = 1;
  b.fill_plants(2);
  b.w.l_hunt = -100;
  b.herbivore(1, 1, 1);
  b.carnivore(16, 16, 30000);
  b.random.append(static_cast<std::size_t>(days) * 260, 0.9f);
}

TEST(DayCycle, StepsRunInOrder) {
  Bench b;
  RecordingView view;
  long_lived_pair(b, 1);
  b.sim.day(view);
  const std::vector<std::string> expected = {"day", "field", "sheet", "day", "counts", "plot", "field", "counts"};
  EXPECT_EQ(view.calls, expected);
  EXPECT_EQ(b.sim.draws(), 260u);
  EXPECT_EQ(view.daycap, 2);
  EXPECT_EQ(view.z_suu, 1);
  EXPECT_EQ(view.l_suu, 1);
}

TEST(DayCycle, DrawsPerDayFollowTheAnimals) {
  // 256 + 2 per herbivore + 2 per resting carnivore + 3 per hunting one.
  Bench b;
  RecordingView view;
  b.w.l_hunt = 3;
  b.w.l_catch = 0.5;
  b.herbivore(3, 3, 5);
  b.herbivore(9, 9, 5);
  b.carnivore(14, 2, 9);   // full: 2 draws
  b.carnivore(14, 8, 2);   // hungry, does not try: 2
  b.carnivore(14, 14, 2);  // hungry, tries: 3
  b.random.append(256, 0.9f);
  b.draws({0.9f, 0.9f, 0.9f, 0.9f});
  b.draws({0.9f, 0.1f, 0.9f, 0.9f, 0.9f, 0.1f, 0.9f});
  b.sim.day(view);
  EXPECT_EQ(b.sim.draws(), 256u + 4 + 7);
  EXPECT_EQ(b.random.left(), 0u);
}

TEST(DayCycle, PlantGrowthDrawsForEveryCellAndCapsAtTwo) {
  Bench b;
  b.w.p_rate = 0.5;
  for (int x = 1; x <= 16; ++x)
    for (int y = 1; y <= 16; ++y) {
      b.plants(x, y, (x + y) % 3);
      b.random.append(y % 2 ? 0.5f : 0.49999997f);  // odd rows: exactly 0.5, no growth
    }
  b.sim.p_grow();
  EXPECT_EQ(b.sim.draws(), 256u);
  for (int x = 1; x <= 16; ++x)
    for (int y = 1; y <= 16; ++y) {
      const int before = (x + y) % 3;
      const int expected = y % 2 ? before : std::min(before + 1, 2);
      ASSERT_EQ(b.w.p_map[x][y], expected) << x << "," << y;
    }
}

TEST(DayCycle, GrowthRatesOutsideTheBarsRange) {
  struct Case { double rate; int after; };
  for (const Case c : {Case{0, 0}, Case{-0.1, 0}, Case{1.0, 1}, Case{1.5, 1}}) {
    Bench b;
    b.w.p_rate = c.rate;
    b.random.append(256, 0.99999994f);
    b.sim.p_grow();
    EXPECT_EQ(count_cells(b.w.p_map, c.after), 256) << c.rate;
  }
}

TEST(DayCycle, KindDyingOnDayDStopsTheRunAtTheEndOfDayDPlusOne) {
  Bench b;
  RecordingView view;
  b.fill_plants(2);
  b.w.p_rate = 1;
  b.herbivore(1, 1, 1);
  b.carnivore(16, 16, 1);  // full (l_hunt -1), rests and starves on day 1
  b.w.l_hunt = -1;
  b.random.append(256 + 2 + 2, 0.9f);
  b.sim.day(view);
  EXPECT_EQ(view.beeps, 0);
  EXPECT_TRUE(view.timer_on);
  EXPECT_EQ(view.l_suu, 1);
  EXPECT_EQ(b.w.ani_map[16][16], kEmpty);
  // Day 2 starts without carnivores: it runs in full, then stops with one beep.
  b.random.append(256 + 2, 0.9f);
  view.calls.clear();
  b.sim.day(view);
  const std::vector<std::string> expected = {"day", "field", "day", "counts", "plot", "field", "timer_off", "beep"};
  EXPECT_EQ(view.calls, expected);
  EXPECT_EQ(view.beeps, 1);
  EXPECT_EQ(view.z_suu, 1);
  EXPECT_EQ(view.l_suu, 0);
  EXPECT_EQ(b.w.l_num, 0);
  EXPECT_EQ(b.w.ani_map[1][1], kHerbivore);  // the surviving kind still had its day
}

TEST(DayCycle, BothDyingDuringADayStopsOnlyTheNextDay) {
  Bench b;
  RecordingView view;
  b.herbivore(1, 1, 1);    // no plants: dies of hunger
  b.carnivore(16, 16, 1);  // rests and starves
  b.w.l_hunt = -1;
  b.random.append(256 + 4, 0.9f);
  b.sim.day(view);
  EXPECT_EQ(view.beeps, 0);
  EXPECT_EQ(b.w.z_num, 1);
  b.random.append(256, 0.9f);
  b.sim.day(view);
  EXPECT_EQ(view.beeps, 1);
  EXPECT_FALSE(view.timer_on);
  EXPECT_EQ(view.z_suu, 0);
  EXPECT_EQ(view.l_suu, 0);
}

TEST(DayCycle, EmptyStartStopsAtTheEndOfTheFirstDay) {
  Bench b;
  RecordingView view;
  b.random.append(256, 0.5f);
  b.sim.day(view);
  EXPECT_EQ(view.beeps, 1);
  EXPECT_EQ(view.daycap, 2);
  EXPECT_EQ(view.points.size(), 1u);
  EXPECT_EQ(view.points[0].z_num, 0);
}

TEST(DayCycle, DayNumbersAndSheets) {
  Bench b;
  RecordingView view;
  long_lived_pair(b, 201);
  struct Seen { int daycap; int gra_x; };
  std::vector<Seen> seen;
  for (int tick = 1; tick <= 201; ++tick) {
    b.sim.day(view);
    seen.push_back({view.daycap, b.w.gra_x});
  }
  EXPECT_EQ(seen[0].daycap, 2);
  EXPECT_EQ(seen[0].gra_x, 2);
  EXPECT_EQ(seen[1].daycap, 3);
  EXPECT_EQ(seen[1].gra_x, 4);
  EXPECT_EQ(seen[98].daycap, 100);
  EXPECT_EQ(seen[98].gra_x, 198);
  EXPECT_EQ(seen[99].daycap, 102);
  EXPECT_EQ(seen[99].gra_x, 2);
  EXPECT_EQ(seen[100].daycap, 103);
  EXPECT_EQ(seen[197].daycap, 200);
  EXPECT_EQ(seen[198].daycap, 202);
  EXPECT_EQ(seen[198].gra_x, 2);
  EXPECT_EQ(view.sheets, 3);
  EXPECT_EQ(view.points[98].gra_x + 5, 203);
  for (const GraphPoint& p : view.points) {
    // The day's counts were copied at its start: every dash is level.
    EXPECT_EQ(p.z_num, p.z_prev);
    EXPECT_EQ(p.l_num, p.l_prev);
  }
}

TEST(DayCycle, DayLimitEndsTheRunWithOneBeepAndNothingElse) {
  Bench b;
  RecordingView view;
  long_lived_pair(b, 1);
  b.w.day = 32766;
  b.sim.day(view);  // day 32767 is still counted
  EXPECT_EQ(b.w.day, 32767);
  EXPECT_EQ(view.beeps, 0);
  const World before = b.w;
  const auto draws = b.sim.draws();
  view.calls.clear();
  b.sim.day(view);
  EXPECT_EQ(view.calls, (std::vector<std::string>{"timer_off", "beep"}));
  EXPECT_EQ(b.sim.draws(), draws);
  EXPECT_EQ(b.w.day, 32767);
  EXPECT_EQ(b.w.p_map, before.p_map);
  EXPECT_EQ(b.w.ani_map, before.ani_map);
}

TEST(DayCycle, CommitCopiesTheFieldOnlyAndKeepsNextMap) {
  Bench b;
  b.w.next_map[3][3] = kCarnivore;
  b.w.next_map[0][3] = kHerbivore;  // never happens in a run; the rim is left alone
  b.sim.commit();
  EXPECT_EQ(b.w.ani_map[3][3], kCarnivore);
  EXPECT_EQ(b.w.ani_map[0][3], kEmpty);
  EXPECT_EQ(b.w.next_map[3][3], kCarnivore);
}

}  // namespace
}  // namespace noboria::testing
