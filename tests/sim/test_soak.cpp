// A long run of random runs with random parameters, checking after every day
// what must always hold: the field's values, the empty rim, the counts and
// the number of draws the day took.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "sim/rounding.h"
#include "sim_support.h"

namespace noboria::testing {
namespace {

// The real generator, counting its draws where they are taken.
struct CountingRandom final : RandomSource {
  MersenneRandom inner{20261206};
  std::uint64_t count = 0;
  float next() override { return ++count, inner.next(); }
  void fill(float* out, std::size_t n) override { count += n, inner.fill(out, n); }
};

long soak_days() {
  if (const char* env = std::getenv("NOBORIA_SOAK_DAYS")) return std::atol(env);
#if defined(__SANITIZE_ADDRESS__)
  return 200000;  // the sanitizers slow every day down many times
#endif
  return 1000000;
}

RunSettings random_settings(std::mt19937& g) {
  auto pick = [&g](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
  const double p_values[] = {0, 0.1, 0.3, 0.5, 0.8, 1.2, -0.1};
  RunSettings s;
  s.p_rate = p_values[pick(0, 6)];
  s.z_num = pick(0, 150), s.l_num = pick(0, 100);
  s.z_birth = 1.0 / pick(1, 50), s.l_birth = static_cast<float>(1.0 / pick(1, 50));
  s.z_life = pick(0, 40) / 2.0, s.l_life = pick(2, 40) / 2.0;  // halves included
  s.l_full = pick(0, 5);
  s.l_hunt = to_int16(s.l_life - s.l_full);
  s.l_catch = pick(0, 10) / 10.0;
  return s;
}

// Herbivores, carnivores and hungry carnivores on the field; fails on a value
// out of range, an animal on the rim or (after a day) a next_map not committed.
::testing::AssertionResult tally(const World& w, bool after_day, int& z, int& l, int& hungry) {
  z = l = hungry = 0;
  for (int x = 0; x < kGridSize; ++x)
    for (int y = 0; y < kGridSize; ++y) {
      const int a = w.ani_map[x][y];
      const bool field = on_field(x, y);
      if ((field && (w.p_map[x][y] < 0 || w.p_map[x][y] > 2)) || a < 0 || a > 2 ||
          (!field && (a != 0 || w.next_map[x][y] != 0)) || (after_day && field && a != w.next_map[x][y]))
        return ::testing::AssertionFailure() << "bad cell " << x << "," << y;
      z += a == kHerbivore;
      l += a == kCarnivore;
      hungry += a == kCarnivore && w.life_map[x][y] <= w.l_hunt;
    }
  return ::testing::AssertionSuccess();
}

TEST(Soak, InvariantsHoldEveryDay) {
  CountingRandom random;
  Simulation sim(random);
  RecordingView view;
  std::mt19937 g(7);
  const long days = soak_days();
  long done = 0;
  int runs = 0, z = 0, l = 0, hungry = 0;
  for (; done < days; ++runs) {
    sim.start_run(random_settings(g));
    view.timer_on = true;
    ASSERT_TRUE(tally(sim.w, false, z, l, hungry));
    for (int d = 0; d < 3000 && view.timer_on && done < days; ++d, ++done) {
      const int z0 = z, l0 = l, hungry0 = hungry;
      const std::uint64_t start = random.count;
      sim.day(view);
      view.calls.clear();
      const std::uint64_t took = random.count - start;
      ASSERT_TRUE(tally(sim.w, true, z, l, hungry)) << "run " << runs << " day " << d;
      ASSERT_EQ(std::pair(sim.w.z_num, sim.w.l_num), std::pair(z0, l0)) << "run " << runs << " day " << d;
      // 256 + 2 per herbivore + 2 per carnivore + 1 per hungry one that tries.
      const std::uint64_t base = 256 + 2 * z0 + 2 * l0;
      ASSERT_TRUE(took >= base && took <= base + hungry0) << took - base << " over " << base;
      ASSERT_TRUE(sim.w.l_catch < 1 || took == base + hungry0) << "every hungry one tries";
      ASSERT_TRUE(sim.w.l_catch > 0 || took == base) << "none tries";
      ASSERT_EQ(view.timer_on, z0 * l0 != 0);
    }
  }
  EXPECT_GT(runs, 100);
}

TEST(Soak, TheGeneratorsLargestRawOutputGivesTheLargestFloatBelowOne) {
  EXPECT_EQ(MersenneRandom::convert(0xFFFFFFFFu), 0.99999994f);
}

}  // namespace
}  // namespace noboria::testing
