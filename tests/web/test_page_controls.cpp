// The page's side of the main window, natively: what the page is told to
// change after each event, and what it reads back. Texts and ranges come
// from the form's description, never retyped here.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "form/layout.h"
#include "form/speech.h"
#include "sim/random_source.h"
#include "web/page_controls.h"

namespace noboria {
namespace {

constexpr int kHerbivoreBox = 1;   // Z_text
constexpr int kCarnivoreBox = 4;   // l_text
constexpr int kBirthBox = 2;       // Zh_text

class PageFormTest : public ::testing::Test {
 protected:
  PageFormTest() : page(std::make_unique<MersenneRandom>(7)) {
    page.load();
    changes = c().take_changes();
  }
  PageControls& c() { return page.controls(); }
  // A run of speed 1 (one day each 50 ms) with these counts.
  void start(const std::string& herbivores, const std::string& carnivores) {
    c().edit(kHerbivoreBox, herbivores);
    c().edit(kCarnivoreBox, carnivores);
    page.start_pressed();
    c().take_changes();
  }

  PageForm page;
  unsigned changes = 0;
};

TEST_F(PageFormTest, LoadWritesTheStartTextsAndTellsThePageAllOfIt) {
  for (int i = 0; i < kTextBoxCount; ++i) {
    EXPECT_EQ(c().text(i), text_box(i).load_text) << text_box(i).role;
    EXPECT_FALSE(c().cued(i)) << text_box(i).role;
  }
  EXPECT_EQ(c().step_value(kHerbivoreBox), 50);
  const unsigned all = page::kTexts | page::kSteps | page::kCounts | page::kTimer | page::kField | page::kGraph |
                       page::kAbout | page::kSummaries;
  EXPECT_EQ(changes & all, all);
  EXPECT_FALSE(changes & (page::kBeep | page::kAnnounce | page::kFocus));
  EXPECT_TRUE(c().about_shown());
  EXPECT_TRUE(page.form().ticking());
  // Before the first day: the day shows the instruction, the counts their placeholder.
  EXPECT_EQ(c().count(page::kDayCount), texts::kInstruction);
  EXPECT_EQ(c().count_name(page::kDayCount), texts::kInstruction);
  EXPECT_EQ(c().count(1), texts::kPlaceholder);
  EXPECT_EQ(c().count_name(1), spoken_name(control("herbivore_count")));
  EXPECT_EQ(c().take_changes(), 0u) << "changes are handed out once";
}

TEST_F(PageFormTest, ARefusedTextShowsItsHintAndAGoodOneClearsIt) {
  c().edit(kBirthBox, "0");
  EXPECT_EQ(c().take_changes(), page::kTexts | page::kCues);
  EXPECT_TRUE(c().cued(kBirthBox));
  EXPECT_EQ(c().hint(kBirthBox), text_box(kBirthBox).hint);
  c().edit(kBirthBox, "0");
  EXPECT_EQ(c().take_changes(), 0u) << "the same text again raises nothing";
  c().edit(kBirthBox, "12");
  EXPECT_EQ(c().take_changes(), page::kTexts | page::kCues);
  EXPECT_FALSE(c().cued(kBirthBox));
  EXPECT_EQ(c().hint(kBirthBox), "");
}

TEST_F(PageFormTest, AStepWritesItsBoxAndStaysInItsRange) {
  const Control& herbivores = step_control(kHerbivoreBox);
  struct Case { const char* what; long long clicked; int value; } cases[] = {
      {"inside", 77, 77}, {"below", -5, herbivores.minimum}, {"far above", 1LL << 40, herbivores.maximum}};
  for (const Case& k : cases) {
    c().click_step(kHerbivoreBox, k.clicked);
    EXPECT_EQ(c().step_value(kHerbivoreBox), k.value) << k.what;
    EXPECT_EQ(c().text(kHerbivoreBox), std::to_string(k.value)) << k.what;
  }
  EXPECT_EQ(c().take_changes(), page::kSteps | page::kTexts);
}

TEST_F(PageFormTest, KeysOnAStepControlStepAsTheFormSays) {
  const Control& speed = step_control(kSpeedIndex);
  struct Case { StepKey key; int from, value; } cases[] = {
      {StepKey::right, 4, 5}, {StepKey::up, 4, 5}, {StepKey::page_up, 4, 5}, {StepKey::left, 4, 3},
      {StepKey::down, 4, 3}, {StepKey::page_down, 4, 3}, {StepKey::left, speed.minimum, speed.minimum},
      {StepKey::right, speed.maximum, speed.maximum}, {StepKey::home, 9, speed.minimum},
      {StepKey::end, 9, speed.maximum}};
  for (const Case& k : cases) {
    c().click_step(kSpeedIndex, k.from);
    EXPECT_TRUE(c().step_key(kSpeedIndex, k.key));
    EXPECT_EQ(c().step_value(kSpeedIndex), k.value) << static_cast<int>(k.key) << " from " << k.from;
  }
}

TEST_F(PageFormTest, ARefusedStartAsksOnceForTheFocusOnTheFirstBadBoxAndChangesNothingElse) {
  c().edit(kCarnivoreBox, "x");
  c().edit(kBirthBox, "x");
  page.form().stop_pressed();
  c().take_changes();
  page.start_pressed();
  EXPECT_EQ(c().take_changes(), page::kFocus | page::kSummaries);
  EXPECT_EQ(c().take_focus(), kBirthBox);
  EXPECT_EQ(c().take_focus(), -1);
}

TEST_F(PageFormTest, TheTimerTicksOnlyWhileTheFormSaysSo) {
  c().edit(kSpeedIndex, "0");
  EXPECT_TRUE(c().take_changes() & page::kTimer);
  EXPECT_TRUE(page.form().timer_on());
  EXPECT_FALSE(page.tick()) << "interval 0 delivers no ticks";
  page.form().tick();
  EXPECT_EQ(c().take_changes(), 0u) << "nor runs a day on a stray one";
  c().edit(kSpeedIndex, "1");
  EXPECT_EQ(page.form().interval(), 50);
  EXPECT_TRUE(page.tick());
  page.form().stop_pressed();
  EXPECT_TRUE(c().take_changes() & page::kTimer);
  EXPECT_FALSE(page.tick());
}

TEST_F(PageFormTest, TheAboutButtonTogglesSaysWhenItHidesAndTheWindowsOwnCloseCounts) {
  page.form().about_pressed();
  EXPECT_FALSE(c().about_shown());
  EXPECT_EQ(c().take_changes(), page::kAbout | page::kAnnounce);
  EXPECT_EQ(c().announcement(), about_hidden_sentence());
  page.form().about_pressed();
  EXPECT_TRUE(c().about_shown());
  c().about_closed();
  page.form().about_pressed();
  EXPECT_TRUE(c().about_shown()) << "after its OK, the About button shows it again";
}

TEST_F(PageFormTest, DaysNameTheCountsAndTheGraphSaysHowTheyMoved) {
  start("50", "20");
  ASSERT_TRUE(page.tick());
  ASSERT_TRUE(page.tick());
  const World& w = page.form().sim().w;
  EXPECT_EQ(c().count(page::kDayCount), std::to_string(w.day));
  EXPECT_EQ(c().count_name(page::kDayCount), std::string(spoken_name(control("day"))) + " " + std::to_string(w.day));
  EXPECT_EQ(c().count_name(2), std::string(spoken_name(control("carnivore_count"))) + " " + std::to_string(w.l_num));
  EXPECT_EQ(page.field_summary(), field_summary(w));
  // The graph's own words: today's counts and how each moved since yesterday,
  // which it knows only when it has followed every day.
  const std::string day = std::string(spoken_name(control("day"))) + " " + std::to_string(w.day) + "、";
  EXPECT_EQ(page.graph_summary().rfind(day, 0), 0u) << page.graph_summary();
  EXPECT_NE(page.graph_summary().find("）"), std::string::npos) << page.graph_summary();
}

TEST_F(PageFormTest, ARunThatEndsRingsAndSaysSoOnce) {
  start("50", "0");
  int ticks = 0;
  while (ticks < 10 && page.tick()) ++ticks;
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(c().take_changes() & (page::kBeep | page::kAnnounce | page::kTimer),
            page::kBeep | page::kAnnounce | page::kTimer);
  EXPECT_EQ(c().beeps(), 1);
  EXPECT_EQ(c().announcement(), run_end_sentence(page.form().sim().w));
  EXPECT_FALSE(page.tick());
  EXPECT_EQ(c().take_changes() & page::kAnnounce, 0u);
}

TEST(CanvasPixels, OnlyWhatChangedIsConvertedToTheCanvasOrder) {
  PixelImage image(4, 3, 0xFF102030u);
  CanvasPixels pixels;
  pixels.update(image);
  EXPECT_EQ(pixels.shown(), image.rect()) << "all of it the first time";
  image.at(1, 1) = 0xFFAABBCCu;
  image.at(2, 2) = 0xFFAABBCCu;
  pixels.touch({1, 1, 1, 1});
  pixels.touch({2, 2, 1, 1});
  const std::uint32_t* rgba = pixels.update(image);
  EXPECT_EQ(pixels.shown(), (PixelRect{1, 1, 2, 2}));
  EXPECT_EQ(rgba[1 * 4 + 1], 0xFFCCBBAAu);
  EXPECT_EQ(rgba[0], 0xFF302010u);
}

}  // namespace
}  // namespace noboria
