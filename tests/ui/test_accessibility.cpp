// The summaries a screen reader hears on the field and the graph stops: what
// they count and which way each kind moved.
#include <gtest/gtest.h>

#include "sim/world.h"
#include "sim/summary.h"
#include "ui/accessibility.h"

namespace noboria {
namespace {

TEST(Summaries, TheFieldCountsCellsWithPlantsAndEachKindOfAnimal) {
  World w;
  w.day = 12;
  w.p_map[1][1] = 1, w.p_map[16][16] = 2, w.p_map[0][5] = 2;  // the rim is not field
  w.ani_map[2][3] = kHerbivore, w.ani_map[1][1] = kHerbivore, w.ani_map[16][1] = kCarnivore;
  EXPECT_EQ(field_summary(w), "日数 12、植物のあるマス 2、草食動物 2、肉食動物 1");
}

TEST(Summaries, TheGraphSaysWhichWayEachKindMovedSinceTheDayBefore) {
  const struct {
    const char* name;
    int day, z, l, before_z, before_l;
    const char16_t* said;
  } rows[] = {
      {"no day yet", 0, 50, 50, -1, -1, u"記録はまだありません"},
      {"first day", 1, 50, 50, -1, -1, u"草食の数 50、肉食の数 50"},
      {"rose and fell", 7, 48, 12, 47, 13, u"草食の数 48（増加）、肉食の数 12（減少）"},
      {"fell and held", 8, 46, 12, 48, 12, u"草食の数 46（減少）、肉食の数 12（変化なし）"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(graph_summary(r.day, r.z, r.l, r.before_z, r.before_l), QString::fromUtf16(r.said)) << r.name;
}

}  // namespace
}  // namespace noboria
