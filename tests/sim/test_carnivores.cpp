// The carnivores' day: rest, catch, move, stay, starve, births, and the draws.
#include <gtest/gtest.h>

#include "sim_support.h"

namespace noboria::testing {
namespace {

constexpr float kNoBirth = 0.99f;
constexpr float kTry = 0.0f;     // r2 < l_catch
constexpr float kFwd = 0.25f;    // r3 < 0.5: forward scan
constexpr float kRev = 0.5f;     // r3 >= 0.5: reverse scan

TEST(CarnivoreDay, RestingLosesADayAndStarvesAtZero) {
  struct Case { int life; int hunt; float r2; bool stays; };
  // Full (life above l_hunt) or hungry without trying: two draws, rest.
  for (const Case c : {Case{5, 3, kTry, true}, Case{2, 3, 0.999f, true}, Case{1, 3, 0.999f, false},
                       Case{1, -1, kTry, false}}) {
    Bench b;
    b.w.l_hunt = static_cast<std::int16_t>(c.hunt);
    b.w.l_catch = 0.5;
    b.carnivore(5, 5, c.life);
    b.draws({kNoBirth, c.r2});
    b.sim.l_day();
    EXPECT_EQ(b.sim.draws(), 2u);
    EXPECT_EQ(b.w.l_num, 1);
    EXPECT_EQ(b.w.life_map[5][5], c.life - 1);
    EXPECT_EQ(b.w.next_map[5][5], c.stays ? kCarnivore : kEmpty) << c.life;
  }
}

TEST(CarnivoreDay, CatchChanceIsStrict) {
  Bench b;
  b.w.l_catch = 0.5;
  b.carnivore(5, 5, 2);
  b.herbivore(5, 6, 1);
  b.draws({kNoBirth, 0.5f});  // 0.5 is not below 0.5: it rests
  b.sim.l_day();
  EXPECT_EQ(b.sim.draws(), 2u);
  EXPECT_EQ(b.w.ani_map[5][6], kHerbivore);
}

TEST(CarnivoreSeek, CatchesTheFirstHerbivoreInScanOrder) {
  struct Case { float dir; int px, py; int other_x, other_y; };
  for (const Case c : {Case{kFwd, 4, 6, 6, 4}, Case{kRev, 6, 4, 4, 6}}) {
    Bench b;
    b.carnivore(5, 5, 2);
    b.herbivore(4, 6, 1);
    b.herbivore(6, 4, 1);
    b.draws({kNoBirth, kTry, c.dir});
    b.sim.l_day();
    EXPECT_EQ(b.sim.draws(), 3u);
    EXPECT_EQ(b.w.next_map[c.px][c.py], kCarnivore);
    EXPECT_EQ(b.w.life_map[c.px][c.py], 5);  // l_life
    EXPECT_EQ(b.w.ani_map[c.px][c.py], kEmpty);
    EXPECT_EQ(b.w.ani_map[5][5], kEmpty);
    EXPECT_EQ(b.w.life_map[5][5], 0);
    EXPECT_EQ(b.w.ani_map[c.other_x][c.other_y], kHerbivore);
    EXPECT_EQ(count_cells(b.w.next_map, kCarnivore), 1);
  }
}

TEST(CarnivoreSeek, CatchReplacesTheHerbivoreStayingThereAndFeedsOnTheStarved) {
  Bench b;
  b.w.l_life = 7.5;  // stored as rhe(7.5) = 8
  b.carnivore(5, 5, 1);
  b.herbivore(5, 6, 0);  // starved today: still 1 in ani_map
  b.w.next_map[5][6] = kHerbivore;
  b.draws({kNoBirth, kTry, kFwd});
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[5][6], kCarnivore);
  EXPECT_EQ(b.w.life_map[5][6], 8);
}

TEST(CarnivoreSeek, MovesToTheLastFreeCellInScanOrder) {
  struct Case { float dir; bool block_best; int tx, ty; };
  for (const Case c : {Case{kFwd, false, 6, 6}, Case{kFwd, true, 6, 5}, Case{kRev, false, 4, 4},
                       Case{kRev, true, 4, 5}}) {
    Bench b;
    b.carnivore(5, 5, 3);
    if (c.block_best) b.carnivore(c.dir == kFwd ? 6 : 4, c.dir == kFwd ? 6 : 4, 9);
    // A blocker is full and rests: two draws, before or after the hunter's
    // three, as the visiting order (x first) puts it.
    const bool blocker_first = c.block_best && c.dir == kRev;
    if (blocker_first) b.draws({kNoBirth, 0.99f});
    b.draws({kNoBirth, kTry, c.dir});
    if (c.block_best && !blocker_first) b.draws({kNoBirth, 0.99f});
    b.sim.l_day();
    EXPECT_EQ(b.w.next_map[c.tx][c.ty], kCarnivore) << c.tx << "," << c.ty;
    EXPECT_EQ(b.w.life_map[c.tx][c.ty], 2);
    EXPECT_EQ(b.w.life_map[5][5], 0);
    EXPECT_EQ(b.w.next_map[5][5], kEmpty);
  }
}

TEST(CarnivoreSeek, EdgeMovesStayOnTheField) {
  Bench b;
  b.carnivore(16, 16, 3);
  b.draws({kNoBirth, kTry, kFwd});  // forward: the last free field cell is (16, 15)
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[16][15], kCarnivore);
  EXPECT_EQ(count_cells(b.w.next_map, kCarnivore), 1);
}

TEST(CarnivoreSeek, StaysWhenBoxedInAndStarvesWithOneDay) {
  for (int life : {3, 1}) {
    Bench b;
    b.carnivore(1, 1, life);
    b.carnivore(1, 2, 9);
    b.carnivore(2, 1, 9);
    b.carnivore(2, 2, 9);
    b.draws({kNoBirth, kTry, kFwd});
    b.draws({kNoBirth, 0.5f, kNoBirth, 0.5f, kNoBirth, 0.5f});
    b.sim.l_day();
    EXPECT_EQ(b.w.life_map[1][1], life - 1);
    EXPECT_EQ(b.w.next_map[1][1], life > 1 ? kCarnivore : kEmpty);
    EXPECT_EQ(b.w.l_num, 4);
  }
}

TEST(CarnivoreSeek, StarvingSeekerDoesNotMove) {
  Bench b;
  b.carnivore(5, 5, 1);
  b.draws({kNoBirth, kTry, kFwd});
  b.sim.l_day();
  EXPECT_EQ(count_cells(b.w.next_map, kCarnivore), 0);
  EXPECT_EQ(b.w.life_map[5][5], 0);
}

TEST(CarnivoreSeek, MoverOverwritesNextMapAndLifeAtItsTarget) {
  Bench b;
  // A herbivore moved into (6, 6) today: next_map 1, ani_map 0.
  b.w.next_map[6][6] = kHerbivore;
  b.w.life_map[6][6] = 7;
  b.carnivore(5, 5, 3);
  b.draws({kNoBirth, kTry, kFwd});
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[6][6], kCarnivore);
  EXPECT_EQ(b.w.life_map[6][6], 2);
  EXPECT_EQ(count_cells(b.w.next_map, kHerbivore), 0);
}

TEST(CarnivoreSeek, LaterCarnivoreReplacesYoungOrMoverAndUsesTheEmptiedCells) {
  Bench b;
  // (5,5) finds no prey and moves to (6,6); (7,7), visited later and going
  // reverse, takes (6,6) as its last free cell too and replaces it.
  b.w.l_hunt = 5;
  b.carnivore(5, 5, 4);
  b.carnivore(7, 7, 3);
  b.draws({kNoBirth, kTry, kFwd});
  b.draws({kNoBirth, kTry, kRev});
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[6][6], kCarnivore);
  EXPECT_EQ(b.w.life_map[6][6], 2);  // the later carnivore's days
  EXPECT_EQ(count_cells(b.w.next_map, kCarnivore), 1);
}

TEST(CarnivoreBirth, YoungInheritsDaysAndTakesFirstFreeForwardCell) {
  Bench b;
  b.w.l_birth = 0.5f;
  b.carnivore(5, 5, 4);  // full: rests after the birth
  b.w.next_map[4][4] = kHerbivore;  // marked: no young here
  b.draws({0.25f, kNoBirth});
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[4][5], kCarnivore);
  EXPECT_EQ(b.w.life_map[4][5], 4);  // before the parent's own reduction
  EXPECT_EQ(b.w.life_map[5][5], 3);
  EXPECT_EQ(b.sim.draws(), 2u);
}

TEST(CarnivoreBirth, StrictChanceAndNoYoungIntoThePreyCell) {
  Bench b;
  b.w.l_birth = 0.5f;
  b.carnivore(1, 1, 2);
  b.herbivore(1, 2, 1);
  b.carnivore(2, 1, 9);
  b.carnivore(2, 2, 9);
  // (1,1) no birth at exactly 0.5, catches (1,2). Then (2,1) gives birth:
  // its first free forward cell is (1,1), the hunter's emptied cell.
  b.draws({0.5f, kTry, kFwd});
  b.draws({0.0f, 0.99f});
  b.draws({0.99f, 0.99f});
  b.sim.l_day();
  EXPECT_EQ(b.w.next_map[1][2], kCarnivore);
  EXPECT_EQ(b.w.next_map[1][1], kCarnivore);
  EXPECT_EQ(b.w.life_map[1][1], 9);
  EXPECT_EQ(b.sim.draws(), 7u);
}

TEST(CarnivoreDay, HuntsAgainAfterLFullDays) {
  // l_life 10, l_full 2: a catch gives 10, rests to 9 and 8, hungry at 8.
  Bench b;
  b.w.l_life = 10;
  b.w.l_hunt = 8;
  b.carnivore(5, 5, 8);
  b.herbivore(5, 6, 1);
  b.draws({kNoBirth, kTry, kFwd});
  b.sim.l_day();
  b.sim.commit();
  EXPECT_EQ(b.w.life_map[5][6], 10);
  for (int expected : {9, 8}) {
    b.w.next_map = Grid{};
    b.draws({kNoBirth, kTry});  // full: no direction draw
    b.sim.l_day();
    b.sim.commit();
    EXPECT_EQ(b.w.life_map[5][6], expected);
  }
  b.w.next_map = Grid{};
  b.draws({kNoBirth, kTry, kFwd});  // hungry again: three draws
  b.sim.l_day();
  EXPECT_EQ(b.sim.draws(), 3u + 2 + 2 + 3);
}

}  // namespace
}  // namespace noboria::testing
