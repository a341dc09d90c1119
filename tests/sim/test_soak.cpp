// A long run of random runs with random parameters, checking after every day
// what must always hold: the field's values, the empty rim, the counts and
// the number of draws the day took.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "sim/rounding.h"
#include "sim_support.h"

namespace noboria::testing {
namespace {

// Counts draws and remembers nothing else; wraps the real generator.
class CountingRandom final : public RandomSource {
 public:
  explicit CountingRandom(std::uint32_t seed) : inner_(seed) {}
  float next() override {
    ++count;
    return inner_.next();
  }
  std::uint64_t count = 0;

 private:
  MersenneRandom inner_;
};

long soak_days() {
  if (const char* env = std::getenv("NOBORIA_SOAK_DAYS")) return std::atol(env);
#if defined(__SANITIZE_ADDRESS__)
  return 200000;  // the sanitizers slow every day down many times
#else
  return 1000000;
#endif
}

RunSettings random_settings(std::mt19937& g) {
  auto pick = [&g](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(g); };
  RunSettings s;
  const double p_values[] = {0, 0.1, 0.3, 0.5, 0.8, 1.2, -0.1};
  s.p_rate = p_values[pick(0, 6)];
  s.z_num = pick(0, 150);
  s.l_num = pick(0, 100);
  s.z_birth = 1.0 / pick(1, 50);
  s.l_birth = static_cast<float>(1.0 / pick(1, 50));
  s.z_life = pick(0, 40) / 2.0;  // halves included
  s.l_life = pick(2, 40) / 2.0;
  s.l_full = pick(0, 5);
  s.l_hunt = to_int16(s.l_life - s.l_full);
  s.l_catch = pick(0, 10) / 10.0;
  return s;
}

struct Tally { int z = 0, l = 0, hungry = 0; };

Tally tally(const World& w) {
  Tally t;
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) {
      if (w.ani_map[x][y] == kHerbivore) ++t.z;
      if (w.ani_map[x][y] == kCarnivore) {
        ++t.l;
        if (w.life_map[x][y] <= w.l_hunt) ++t.hungry;
      }
    }
  return t;
}

::testing::AssertionResult invariants(const World& w) {
  for (int x = 0; x < kGridSize; ++x)
    for (int y = 0; y < kGridSize; ++y) {
      const bool field = on_field(x, y);
      if (field && (w.p_map[x][y] < 0 || w.p_map[x][y] > 2))
        return ::testing::AssertionFailure() << "plants " << w.p_map[x][y] << " at " << x << "," << y;
      if (w.ani_map[x][y] < 0 || w.ani_map[x][y] > 2 || w.next_map[x][y] < 0 || w.next_map[x][y] > 2)
        return ::testing::AssertionFailure() << "occupant out of range at " << x << "," << y;
      if (!field && (w.ani_map[x][y] != 0 || w.next_map[x][y] != 0))
        return ::testing::AssertionFailure() << "animal in the rim at " << x << "," << y;
      if (field && w.ani_map[x][y] != w.next_map[x][y])
        return ::testing::AssertionFailure() << "commit incomplete at " << x << "," << y;
    }
  return ::testing::AssertionSuccess();
}

TEST(Soak, InvariantsHoldEveryDay) {
  CountingRandom random(20261206);
  Simulation sim(random);
  RecordingView view;
  std::mt19937 g(7);
  const long days = soak_days();
  long done = 0;
  int runs = 0;
  while (done < days) {
    sim.start_run(random_settings(g));
    ++runs;
    view.timer_on = true;
    for (int d = 0; d < 3000 && view.timer_on && done < days; ++d, ++done) {
      const Tally before = tally(sim.w);
      const std::uint64_t start = random.count;
      sim.day(view);
      const std::uint64_t took = random.count - start;
      const World& w = sim.w;
      ASSERT_TRUE(invariants(w)) << "run " << runs << " day " << d;
      ASSERT_EQ(w.z_num, before.z) << "run " << runs << " day " << d;
      ASSERT_EQ(w.l_num, before.l);
      const Tally after = tally(w);
      ASSERT_LE(after.z + after.l, 256);
      // 256 + 2 per herbivore + 2 per carnivore + 1 per hungry one that tries.
      const std::uint64_t base = 256 + 2 * before.z + 2 * before.l;
      ASSERT_GE(took, base);
      ASSERT_LE(took, base + before.hungry);
      if (w.l_catch >= 1) {
        ASSERT_EQ(took, base + before.hungry);
      } else if (w.l_catch <= 0) {
        ASSERT_EQ(took, base);
      }
      ASSERT_EQ(view.timer_on, before.z * before.l != 0);
    }
  }
  RecordProperty("runs", runs);
  EXPECT_GT(runs, 100);
}

}  // namespace
}  // namespace noboria::testing
