// Start-up and run start: the order and number of draws, placement with
// collisions, and what is and is not touched.
#include <gtest/gtest.h>

#include "sim_support.h"

namespace noboria::testing {
namespace {

TEST(StartupField, TakesDrawsInOrderAndCountsThePlacedAnimals) {
  Bench b;
  b.sim.set_default_values();
  // 289 plant draws: cell (x, y) over 0..16 gets r so that r x 3 is x % 3.
  for (int x = 0; x <= 16; ++x)
    for (int y = 0; y <= 16; ++y) b.random.append((x % 3) / 3.0f + 0.01f);
  // 50 herbivores, all drawn onto (1, 1) except the last onto (2, 1).
  for (int i = 1; i <= 49; ++i) b.draws({0.0f, 0.0f});
  b.draws({1.0f / 16, 0.0f});
  // 50 carnivores onto (16, 16), the last with r = 0.999 for its days;
  // one of them onto the herbivore at (2, 1).
  b.draws({1.0f / 16, 0.0f, 0.0f});
  for (int i = 2; i <= 50; ++i) b.draws({0.99f, 0.99f, 0.999f});
  b.sim.startup_field();

  EXPECT_EQ(b.sim.draws(), 539u);
  EXPECT_EQ(b.random.left(), 0u);
  EXPECT_EQ(b.w.p_map[0][0], 0);  // the index-0 rim is filled too
  EXPECT_EQ(b.w.p_map[2][0], 2);
  EXPECT_EQ(b.w.p_map[16][16], 1);
  EXPECT_EQ(b.w.p_map[17][5], 0);  // the index-17 rim is not
  EXPECT_EQ(b.w.z_num, 1);         // (1,1) only: (2,1) was taken by a carnivore
  EXPECT_EQ(b.w.l_num, 2);
  EXPECT_EQ(b.w.z_prev, 1);
  EXPECT_EQ(b.w.l_prev, 2);
  EXPECT_EQ(b.w.ani_map[1][1], kHerbivore);
  EXPECT_EQ(b.w.ani_map[2][1], kCarnivore);
  EXPECT_EQ(b.w.ani_map[16][16], kCarnivore);
  EXPECT_EQ(b.w.life_map[1][1], 1);
  EXPECT_EQ(b.w.life_map[16][16], 1);  // whole part of 1 + 0.999 x 1
  EXPECT_FLOAT_EQ(b.w.z_x[50], 2.0f);
  EXPECT_EQ(b.w.z_y[50], 1);
  EXPECT_EQ(b.w.l_hunt, 3);
  EXPECT_EQ(b.w.day, 0);
  EXPECT_EQ(b.w.gra_x, 0);
}

RunSettings settings(int z, int l, double z_life, double l_life) {
  RunSettings s;
  s.p_rate = 0.3;
  s.z_num = z;
  s.l_num = l;
  s.z_birth = 0.25;
  s.l_birth = 0.5f;
  s.z_life = z_life;
  s.l_life = l_life;
  s.l_full = 2;
  s.l_hunt = static_cast<std::int16_t>(l_life - 2);
  s.l_catch = 0.7;
  return s;
}

TEST(RunStart, DrawCountFollowsTheRequestedAnimals) {
  struct Case { int z, l; };
  for (const Case c : {Case{0, 0}, Case{1, 0}, Case{0, 1}, Case{50, 50}, Case{256, 256}}) {
    Bench b;
    b.random.append(256 + 2 * c.z + 3 * c.l, 0.5f);
    b.sim.start_run(settings(c.z, c.l, 1, 1));
    EXPECT_EQ(b.sim.draws(), static_cast<std::uint64_t>(256 + 2 * c.z + 3 * c.l)) << c.z << "," << c.l;
    EXPECT_EQ(b.random.left(), 0u);
  }
}

TEST(RunStart, WritesSettingsResetsTheFieldAndLeavesTheRestAlone) {
  Bench b;
  b.w.day = 77;
  b.w.gra_x = 40;
  b.w.z_prev = 9;
  b.w.p_map[0][3] = 2;  // rim, untouched by a run start
  b.w.next_map[4][4] = 1;
  b.w.ani_map[5][5] = kCarnivore;
  b.random.append(256, 0.7f);  // every cell gets 2 plants
  // Herbivore 1 at (3, 4), herbivore 2 onto the same cell.
  b.draws({2.0f / 16, 3.0f / 16, 2.0f / 16, 3.0f / 16});
  // Carnivore onto (3, 4) over the herbivore; days: whole part of 1 + 0.5 x 3.
  b.draws({2.0f / 16, 3.0f / 16, 0.5f});
  b.sim.start_run(settings(2, 1, 2.5, 3));

  EXPECT_EQ(b.w.day, 0);
  EXPECT_EQ(b.w.gra_x, 40);
  EXPECT_EQ(b.w.z_prev, 9);
  EXPECT_EQ(b.w.z_num, 2);  // requested, not counted
  EXPECT_EQ(b.w.l_num, 1);
  EXPECT_EQ(b.w.p_map[0][3], 2);
  EXPECT_EQ(b.w.p_map[1][1], 2);
  EXPECT_EQ(b.w.next_map[4][4], 0);
  EXPECT_EQ(b.w.ani_map[5][5], 0);
  EXPECT_EQ(count_cells(b.w.ani_map, kHerbivore), 0);
  EXPECT_EQ(b.w.ani_map[3][4], kCarnivore);
  EXPECT_EQ(b.w.life_map[3][4], 2);
  EXPECT_DOUBLE_EQ(b.w.p_rate, 0.3);
  EXPECT_FLOAT_EQ(b.w.l_birth, 0.5f);
  EXPECT_DOUBLE_EQ(b.w.l_catch, 0.7);
  EXPECT_EQ(b.w.l_hunt, 1);
}

TEST(RunStart, HerbivoreDaysRoundHalvesToEven) {
  struct Case { double z_life; int life; };
  for (const Case c : {Case{2.5, 2}, Case{3.5, 4}, Case{1, 1}, Case{0.4, 0}}) {
    Bench b;
    b.random.append(256, 0.0f);
    b.draws({0.0f, 0.0f});
    b.sim.start_run(settings(1, 0, c.z_life, 1));
    EXPECT_EQ(b.w.life_map[1][1], c.life) << c.z_life;
  }
}

TEST(RunStart, CarnivoreDaysSplitTheRangeOfTheDraw) {
  // With l_life 3 the days are 1, 2 or 3, each for a third of r's range.
  struct Case { float r; int days; };
  for (const Case c : {Case{0.0f, 1}, Case{0.33f, 1}, Case{0.34f, 2}, Case{0.66f, 2},
                       Case{0.67f, 3}, Case{0.99999994f, 3}}) {
    Bench b;
    b.random.append(256, 0.0f);
    b.draws({0.0f, 0.0f, c.r});
    b.sim.start_run(settings(0, 1, 1, 3));
    EXPECT_EQ(b.w.life_map[1][1], c.days) << c.r;
  }
}

TEST(RunStart, SecondPressReplacesTheFirstField) {
  Bench b;
  b.random.append(256 + 2, 0.0f);
  b.sim.start_run(settings(1, 0, 1, 1));
  b.random.append(256, 0.5f);
  b.draws({0.5f, 0.5f});
  b.sim.start_run(settings(1, 0, 1, 1));
  EXPECT_EQ(b.sim.draws(), 2u * (256 + 2));
  EXPECT_EQ(b.w.ani_map[1][1], 0);
  EXPECT_EQ(b.w.ani_map[9][9], kHerbivore);
  EXPECT_EQ(count_cells(b.w.p_map, 1), 256);
}

}  // namespace
}  // namespace noboria::testing
