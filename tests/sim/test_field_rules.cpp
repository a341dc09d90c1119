// The organisms' rules, one row per case, on a 3 x 3 window of the field (the
// rest is empty): the window before, the draws, and the window after the day.
// A cell is "." (empty, 0 days, no plants) or occupant, days (0-9, - for -1)
// and plants. Before the day H and C are in ani_map, h and c claimed in
// next_map; after it, the occupant shown is next_map's.
#include <gtest/gtest.h>

#include <sstream>

#include "sim_support.h"

namespace noboria::testing {
namespace {

struct Case {
  const char* name;
  const char* before;
  std::vector<float> draws;
  const char* after;
  double z_life = 3, l_life = 5;
  int x0 = 1, y0 = 1;  // the window's top-left cell; at 4, 9 a swapped x and y shows
};

std::vector<std::string> tokens(const char* cells) {
  std::istringstream in(cells);
  std::vector<std::string> out;
  for (std::string t; in >> t;)
    if (t != "/") out.push_back(t == "." ? ".00" : t);
  return out;
}

void run(const Case& c, void (Simulation::*kind_day)()) {
  SCOPED_TRACE(c.name);
  Bench b;
  b.w.z_life = c.z_life, b.w.l_life = c.l_life;
  const std::vector<std::string> before = tokens(c.before);
  ASSERT_EQ(before.size(), 9u);
  for (int i = 0; i < 9; ++i) {
    const std::string& t = before[i];
    const int x = c.x0 + i % 3, y = c.y0 + i / 3, k = int(std::string(".HChc").find(t[0]));
    (k > 2 ? b.w.next_map : b.w.ani_map)[x][y] = std::int16_t(k > 2 ? k - 2 : k);
    b.w.life_map[x][y] = std::int16_t(t[1] == '-' ? -1 : t[1] - '0');
    b.w.p_map[x][y] = std::int16_t(t[2] - '0');
  }
  for (float r : c.draws) b.random.append(r);
  (b.sim.*kind_day)();

  std::vector<std::string> after;
  for (int i = 0; i < 9; ++i) {
    const int x = c.x0 + i % 3, y = c.y0 + i / 3, days = b.w.life_map[x][y];
    after.push_back(
        {".HC"[b.w.next_map[x][y]], days < 0 ? '-' : char('0' + days), char('0' + b.w.p_map[x][y])});
  }
  EXPECT_EQ(after, tokens(c.after));
  EXPECT_EQ(b.random.left(), 0u) << "draws left over";
}

// Herbivores draw twice: birth below z_birth (0.5), then the scan, forward above 0.5.
constexpr float kNo = 0.9f, kBirth = 0.0f, kFwd = 0.75f, kRev = 0.5f;

TEST(Herbivores, Rules) {
  const Case cases[] = {
      {"forward scan: the first richer free cell, column by column",
       ". .01 .01 / . H20 . / .02 .01 .", {kNo, kFwd}, ". .01 .01 / . . . / H31 .01 ."},
      {"reverse scan (draw 0.5): the first from the far end, not the richest",
       ". .01 .01 / . H20 . / .02 .01 .", {kNo, kRev}, ". .01 H30 / . . . / .02 .01 ."},
      {"equal plants are not richer; occupied and claimed cells are skipped",
       ".01 .02 . / C52 H11 . / h02 . .", {kNo, kFwd}, ".01 H31 . / .52 .01 . / H02 . ."},
      {"no richer cell: eats in place, days + 1 modulo rhe(z_life + 1) = 4",
       ". . . / H01 . H31 / . . .", {kNo, kFwd, kNo, kRev}, ". . . / H10 . H00 / . . ."},
      {"z_life 2.5: a mover gets rhe(2.5) = 2 days; the modulo is rhe(3.5) = 4",
       ". . . / H31 . H10 / . . .02", {kNo, kFwd, kNo, kFwd}, ". . . / H00 . . / . . H21", 2.5},
      {"z_life 1.5: the modulo is rhe(2.5) = 2",
       ". . . / . H11 . / . . .", {kNo, kFwd}, ". . . / . H00 . / . . .", 1.5},
      {"hungry: loses a day and dies with none left",
       "H20 . H10 / . . . / . H00 .", {kNo, kFwd, kNo, kFwd, kNo, kRev}, "H10 . . / . . . / . .-0 ."},
      {"plants on the rim are no target",
       ".02 . . / .02 H10 . / .02 . .", {kNo, kFwd}, ".02 . . / .02 . . / .02 . .", 3, 5, 0, 1},
      {"birth first: the young takes the first free forward cell with its parent's days",
       ".01 . . / . H20 . / . . .01", {kBirth, kFwd}, "H21 . . / . . . / . . H30", 3, 5, 4, 9},
      {"no young without a free field cell, nor when the draw equals z_birth",
       "H11 C50 . / C50 c00 . / . . H11", {kBirth, kFwd, 0.5f, kFwd}, "H20 .50 . / .50 C00 . / . . H20"},
  };
  for (const Case& c : cases) run(c, &Simulation::z_day);
}

// Carnivores draw for birth (below l_birth, 0.5), for a catch try (below
// l_catch, 0.5) and, when hungry (days <= l_hunt, 3) and trying, the scan:
// forward below 0.5. l_life is 5.
constexpr float kTry = 0.0f, kCFwd = 0.25f, kCRev = 0.5f;

TEST(Carnivores, Rules) {
  const Case cases[] = {
      {"rest: full, or not trying (draw = l_catch); the last day starves",
       "C50 . C30 / . . . / . C10 .", {kNo, kTry, kNo, kNo, kNo, 0.5f}, "C40 . C20 / . . . / . . ."},
      {"catch, forward: the first herbivore column by column, then l_life days",
       ". . H10 / . C30 . / H10 . .", {kNo, kTry, kCFwd}, ". . .10 / . . . / C50 . .", 3, 5, 4, 9},
      {"catch, reverse (draw 0.5): the first from the far end",
       ". . H10 / . C30 . / H10 . .", {kNo, kTry, kCRev}, ". . C50 / . . . / .10 . ."},
      {"a herbivore starved today is still prey; l_life 6.5 gives rhe = 6 days",
       "H00 . . / . C10 . / . . .", {kNo, kTry, kCFwd}, "C60 . . / . . . / . . .", 3, 6.5},
      {"no prey, forward: moves to the last free cell with a day less",
       ". . . / . C30 . / . . C90", {kNo, kTry, kCFwd, kNo, kNo}, ". . . / . . C20 / . . C80"},
      {"no prey, reverse: the last free cell from the far end",
       "C90 . . / . C30 . / . . .", {kNo, kNo, kNo, kTry, kCRev}, "C80 . . / C20 . . / . . ."},
      {"moves stay on the field at the far corner",
       ". . . / . C30 . / . . .", {kNo, kTry, kCFwd}, ". C20 . / . . . / . . .", 3, 5, 15, 15},
      {"boxed in: stays where it is",
       "C30 C90 . / C90 C90 . / . . .", {kNo, kTry, kCFwd, kNo, kNo, kNo, kNo, kNo, kNo},
       "C20 C80 . / C80 C80 . / . . ."},
      {"a seeker on its last day starves without moving",
       ". . . / . C10 . / . . .", {kNo, kTry, kCFwd}, ". . . / . . . / . . ."},
      {"birth: the first free forward cell, the parent's days; none at draw = l_birth",
       "h00 . . / . C50 . / . . C50", {kBirth, kNo, 0.5f, kNo}, "H00 . . / C50 C40 . / . . C40", 3, 5, 4, 9},
  };
  for (const Case& c : cases) run(c, &Simulation::l_day);
}

}  // namespace
}  // namespace noboria::testing
