// The herbivores' day: the four outcomes, scan orders, the rim, claims, births.
#include <gtest/gtest.h>

#include "sim_support.h"

namespace noboria::testing {
namespace {

constexpr float kFwd = 0.75f;  // r2 > 0.5 feeds with the forward scan
constexpr float kRev = 0.5f;   // r2 at most 0.5 feeds with the reverse scan
constexpr float kNoBirth = 0.99f;

struct FeedCase {
  const char* name;
  int own_plants;
  int life;
  float direction;
  // richer neighbours: offset and amount
  std::vector<std::pair<std::pair<int, int>, int>> richer;
  // expected
  int to_x, to_y;  // where next_map holds the herbivore (0, 0: nowhere)
  int life_at_to;
  int own_life_after;
  int own_plants_after;
  int own_ani_after;
};

TEST(HerbivoreFeeding, OutcomesTable) {
  const std::vector<FeedCase> cases = {
      {"move forward to first richer", 0, 2, kFwd, {{{-1, -1}, 1}, {{1, 1}, 2}}, 4, 4, 3, 0, 0, 0},
      {"move reverse to first richer", 0, 2, kRev, {{{-1, -1}, 1}, {{1, 1}, 2}}, 6, 6, 3, 0, 0, 0},
      {"first richer, not richest", 1, 1, kFwd, {{{-1, 1}, 2}, {{0, -1}, 2}}, 4, 6, 3, 0, 1, 0},
      {"equal is not richer: eats in place", 2, 1, kFwd, {{{-1, -1}, 2}}, 5, 5, 2, 2, 1, 1},
      {"eat in place wraps at z_life", 1, 3, kFwd, {}, 5, 5, 0, 0, 0, 1},
      {"eat in place below z_life rises", 1, 0, kRev, {}, 5, 5, 1, 1, 0, 1},
      {"hungry lives", 0, 2, kFwd, {}, 5, 5, 1, 1, 0, 1},
      {"hungry dies", 0, 1, kFwd, {}, 0, 0, 0, 0, 0, 1},
      {"hungry dies below zero", 0, 0, kRev, {}, 0, 0, -1, -1, 0, 1},
  };
  for (const FeedCase& c : cases) {
    Bench b;  // z_life 3
    b.herbivore(5, 5, c.life);
    b.plants(5, 5, c.own_plants);
    for (const auto& [off, amount] : c.richer) b.plants(5 + off.first, 5 + off.second, amount);
    b.draws({kNoBirth, c.direction});
    b.sim.z_day();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(b.sim.draws(), 2u);
    EXPECT_EQ(b.w.z_num, 1);
    EXPECT_EQ(count_cells(b.w.next_map, kHerbivore), c.to_x ? 1 : 0);
    if (c.to_x) {
      EXPECT_EQ(b.w.next_map[c.to_x][c.to_y], kHerbivore);
      EXPECT_EQ(b.w.life_map[c.to_x][c.to_y], c.life_at_to);
    }
    EXPECT_EQ(b.w.life_map[5][5], c.own_life_after);
    EXPECT_EQ(b.w.p_map[5][5], c.own_plants_after);
    EXPECT_EQ(b.w.ani_map[5][5], c.own_ani_after);
  }
}

TEST(HerbivoreFeeding, MoverEatsOneUnitAtItsTarget) {
  Bench b;
  b.herbivore(5, 5, 1);
  b.plants(4, 4, 2);
  b.draws({kNoBirth, kFwd});
  b.sim.z_day();
  EXPECT_EQ(b.w.p_map[4][4], 1);
}

TEST(HerbivoreFeeding, ModuloUsesTheRoundedDivisor) {
  // z_life 2.5: the divisor is rhe(3.5) = 4, so a counter of 2 becomes 3 and 3 becomes 0.
  for (const auto& [life, after] : {std::pair{2, 3}, std::pair{3, 0}}) {
    Bench b;
    b.w.z_life = 2.5;
    b.herbivore(5, 5, life);
    b.plants(5, 5, 1);
    b.draws({kNoBirth, kFwd});
    b.sim.z_day();
    EXPECT_EQ(b.w.life_map[5][5], after) << life;
  }
}

TEST(HerbivoreFeeding, OccupiedOrClaimedRicherCellsAreNotTargets) {
  Bench b;
  b.herbivore(5, 5, 2);
  b.plants(4, 4, 2);
  b.carnivore(4, 4, 3);  // occupied
  b.plants(4, 5, 2);
  b.w.next_map[4][5] = kHerbivore;  // claimed
  b.plants(6, 6, 2);
  b.draws({kNoBirth, kFwd});
  b.sim.z_day();
  EXPECT_EQ(b.w.next_map[6][6], kHerbivore);  // the one left free
  EXPECT_EQ(b.w.ani_map[5][5], 0);
}

TEST(HerbivoreFeeding, NeverMovesOntoTheRim) {
  Bench b;
  b.herbivore(1, 5, 1);
  for (int y = 0; y <= 17; ++y) b.w.p_map[0][y] = 2;
  b.draws({kNoBirth, kFwd});
  b.sim.z_day();
  EXPECT_EQ(b.w.next_map[0][4], 0);
  EXPECT_EQ(b.w.ani_map[1][5], kHerbivore);  // went hungry and died where it stood
  EXPECT_EQ(count_cells(b.w.next_map, kHerbivore), 0);
}

TEST(HerbivoreFeeding, EarlierVisitedTakesTheSharedRicherCell) {
  Bench b;
  b.herbivore(5, 5, 2);  // visited first (smaller x)
  b.herbivore(7, 5, 2);
  b.plants(6, 5, 2);
  b.draws({kNoBirth, kRev, kNoBirth, kFwd});
  b.sim.z_day();
  EXPECT_EQ(b.w.next_map[6][5], kHerbivore);
  EXPECT_EQ(b.w.ani_map[5][5], 0);
  EXPECT_EQ(b.w.next_map[7][5], kHerbivore);  // stayed, hungry
  EXPECT_EQ(b.w.life_map[7][5], 1);
  EXPECT_EQ(b.w.z_num, 2);
}

TEST(HerbivoreFeeding, ScanOrdersVisitNeighboursInTurn) {
  // Give exactly one neighbour more plants, in turn; either scan finds it.
  const std::pair<int, int> fwd[] = {{4, 4}, {4, 5}, {4, 6}, {5, 4}, {5, 6}, {6, 4}, {6, 5}, {6, 6}};
  for (std::size_t i = 0; i < 8; ++i) {
    // Every later neighbour in forward order is richer too; the forward scan
    // takes the i-th, the reverse scan always the last.
    for (float dir : {kFwd, kRev}) {
      Bench b;
      b.herbivore(5, 5, 1);
      for (std::size_t j = i; j < 8; ++j) b.plants(fwd[j].first, fwd[j].second, 1);
      b.draws({kNoBirth, dir});
      b.sim.z_day();
      const auto expect = dir == kFwd ? fwd[i] : fwd[7];
      EXPECT_EQ(b.w.next_map[expect.first][expect.second], kHerbivore) << i << " " << dir;
    }
  }
}

TEST(HerbivoreBirth, YoungTakesFirstFreeForwardCellBeforeParentFeeds) {
  Bench b;
  b.w.z_birth = 1;
  b.herbivore(5, 5, 2);
  b.plants(4, 4, 1);  // the parent would move here, but its young is born here first
  b.plants(6, 6, 1);
  b.draws({0.0f, kFwd});
  b.sim.z_day();
  EXPECT_EQ(b.w.next_map[4][4], kHerbivore);
  EXPECT_EQ(b.w.life_map[4][4], 2);  // the parent's counter before it fed
  EXPECT_EQ(b.w.next_map[6][6], kHerbivore);  // parent moved to the next richer cell
  EXPECT_EQ(b.w.life_map[6][6], 3);
  EXPECT_EQ(b.w.p_map[4][4], 1);
}

TEST(HerbivoreBirth, EdgeParentsBreedOnTheFieldOnly) {
  struct Case { int px, py; int yx, yy; };
  for (const Case c : {Case{1, 5, 1, 4}, Case{1, 1, 1, 2}, Case{16, 16, 15, 15}, Case{5, 1, 4, 1}}) {
    Bench b;
    b.w.z_birth = 1;
    b.herbivore(c.px, c.py, 1);
    b.plants(c.px, c.py, 1);
    b.draws({0.0f, kFwd});
    b.sim.z_day();
    EXPECT_EQ(b.w.next_map[c.yx][c.yy], kHerbivore) << c.px << "," << c.py;
    EXPECT_EQ(count_cells(b.w.next_map, kHerbivore), 2);
  }
}

TEST(HerbivoreBirth, NoFreeNeighbourNoYoungAndBirthDrawIsStrict) {
  Bench b;
  b.w.z_birth = 0.5;
  b.herbivore(1, 1, 1);
  b.carnivore(1, 2, 3);
  b.carnivore(2, 1, 3);
  b.w.next_map[2][2] = kCarnivore;
  b.herbivore(9, 9, 1);
  b.plants(1, 1, 1);
  b.plants(9, 9, 1);
  b.draws({0.0f, kFwd, 0.5f, kFwd});  // the second herbivore draws exactly 0.5: no birth
  b.sim.z_day();
  EXPECT_EQ(count_cells(b.w.next_map, kHerbivore), 2);
  EXPECT_EQ(b.sim.draws(), 4u);
}

TEST(HerbivoreDay, MoversAndNewbornsAreNotVisitedAgain) {
  Bench b;
  b.w.z_birth = 1;
  b.herbivore(5, 5, 2);
  b.plants(5, 6, 1);  // richer cell later in the scan
  b.draws({0.0f, kFwd});  // only two draws exist: a second visit would throw
  b.sim.z_day();
  EXPECT_EQ(b.w.z_num, 1);
  EXPECT_EQ(b.sim.draws(), 2u);
}

}  // namespace
}  // namespace noboria::testing
