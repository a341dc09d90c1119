// What both editions say beyond the controls' names: the counts with their
// captions, the field and the graph in one line each, and the end of a run.
#include <gtest/gtest.h>

#include "form/speech.h"

namespace noboria {
namespace {

TEST(Speech, ACountIsNamedWithItsCaptionOnceItShowsANumber) {
  const struct { const char* role; const char* shown; const char* said; } rows[] = {
      {"herbivore_count", "48", "草食の数 48"},
      {"carnivore_count", "Label1", "肉食の数"},  // before the first day
      {"day", "Label1", "日数"},
      {"day", "12", "日数 12"},
      {"day", "シミュレーションを押してください", "シミュレーションを押してください"},  // the instruction alone
  };
  for (const auto& r : rows) EXPECT_EQ(count_name(control(r.role), r.shown), r.said) << r.role << " " << r.shown;
}

TEST(Speech, TheFieldAndTheRunsEndGiveTheCountsTheLabelsShow) {
  World w;
  w.day = 12, w.z_num = 48, w.l_num = 12;
  w.p_map[1][1] = 1, w.p_map[16][16] = 2, w.p_map[0][5] = 2;  // the rim is not field
  w.ani_map[2][3] = kHerbivore;  // standing on the field, yet not counted till the next day
  EXPECT_EQ(field_summary(w), "日数 12、植物のあるマス 2、草食の数 48、肉食の数 12");
  EXPECT_EQ(run_end_sentence(w), "シミュレーションが終わりました。日数 12、草食の数 48、肉食の数 12");
}

TEST(Speech, TheGraphSaysWhichWayEachKindMovedSinceTheDayBefore) {
  const struct { const char* name; int day, herbivores, carnivores; const char* said; } days[] = {
      {"no day yet", 0, 50, 50, "記録はまだありません"},
      {"first day", 1, 50, 50, "日数 1、草食の数 50、肉食の数 50"},
      {"rose and fell", 2, 51, 49, "日数 2、草食の数 51（増加）、肉食の数 49（減少）"},
      {"the same day again", 2, 52, 49, "日数 2、草食の数 52（増加）、肉食の数 49（減少）"},
      {"fell and held", 3, 50, 49, "日数 3、草食の数 50（減少）、肉食の数 49（変化なし）"},
      {"days skipped", 5, 50, 49, "日数 5、草食の数 50、肉食の数 49"},
  };
  GraphSummary summary;
  World w;
  for (const auto& d : days) {
    w.day = d.day, w.z_num = d.herbivores, w.l_num = d.carnivores;
    summary.follow(w);
    EXPECT_EQ(summary.text(), d.said) << d.name;
  }
}

}  // namespace
}  // namespace noboria
