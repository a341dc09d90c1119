// The random sources: values in [0, 1), and a batch equal to single draws.
#include <gtest/gtest.h>

#include <vector>

#include "sim/random_source.h"

namespace noboria {
namespace {

TEST(RandomSource, MersenneBatchEqualsSingleDrawsAndStaysBelowOne) {
  MersenneRandom single(42);
  MersenneRandom batch(42);
  std::vector<float> values(2000);
  batch.fill(values.data(), 700);
  batch.fill(values.data() + 700, values.size() - 700);
  for (float v : values) {
    ASSERT_EQ(v, single.next());
    ASSERT_GE(v, 0.0f);
    ASSERT_LT(v, 1.0f);
  }
}

TEST(RandomSource, ScriptedGivesItsValuesInOrderThenThrows) {
  ScriptedRandom r({0.25f, 0.5f, 0.75f});
  float two[2];
  r.fill(two, 2);
  EXPECT_EQ(two[0], 0.25f);
  EXPECT_EQ(two[1], 0.5f);
  EXPECT_EQ(r.used(), 2u);
  EXPECT_THROW(r.fill(two, 2), RandomExhausted);
  EXPECT_EQ(r.used(), 3u);
  EXPECT_THROW(r.next(), RandomExhausted);
}

}  // namespace
}  // namespace noboria
