// The start-up defaults and the parameter inputs: what a text change or a
// step writes, the speed and Timer1, and the error cue for refused text.
#include "sim/parameters.h"
#include "test_main_window_fixture.h"
#include <QFontMetricsF>

#include "ui/error_cue.h"
#include "ui/text_fit.h"

namespace noboria {
namespace {

using MainWindowInputsTest = MainWindowTest;

QString hint(Box b) { return QString::fromUtf8(box_hint(b).data(), static_cast<qsizetype>(box_hint(b).size())); }

TEST_F(MainWindowInputsTest, FormLoadSetsTheDefaultsAndStartsTheFirstRun) {
  load();
  const std::pair<Box, const char*> texts[] = {
      {Box::p_text, "0"},   {Box::Z_text, "50"},  {Box::Zh_text, "10"}, {Box::ze_text, "1"}, {Box::l_text, "50"},
      {Box::lh_text, "10"}, {Box::le_text, "1"},  {Box::lm_text, "1"},  {Box::lK_text, "5"},
  };
  for (const auto& [b, text] : texts) EXPECT_EQ(edit(b)->text(), QString::fromLatin1(text));
  const int positions[] = {0, 50, 10, 1, 50, 10, 1, 1, 5};
  for (int i = 0; i < kBoxCount; ++i) EXPECT_EQ(window->HS(i)->value(), positions[i]) << i;
  EXPECT_EQ(window->HSsp()->value(), 4);
  EXPECT_EQ(window->speed_box()->text(), QStringLiteral("4"));

  EXPECT_EQ(w().p_rate, 0);
  EXPECT_EQ(w().z_birth, 0.1);
  EXPECT_EQ(w().l_birth, 0.1f);
  EXPECT_EQ(w().z_life, 1);
  EXPECT_EQ(w().l_life, 1);
  EXPECT_EQ(w().l_full, 1);
  EXPECT_EQ(w().l_hunt, 3);  // not l_life - l_full
  EXPECT_EQ(w().l_catch, 0.5);
  EXPECT_EQ(w().day, 0);
  EXPECT_LE(w().z_num, 50);
  EXPECT_GT(w().z_num, 0);
  EXPECT_EQ(w().z_prev, w().z_num);
  EXPECT_EQ(w().l_prev, w().l_num);

  EXPECT_EQ(window->sim().draws(), 539u);
  EXPECT_TRUE(window->timer().enabled());
  EXPECT_EQ(window->timer().interval(), 200);
  EXPECT_TRUE(window->timer().running());
  EXPECT_EQ(window->daycap()->text(), QStringLiteral("動植物の数や日数を入力し、シミュレーションを押してください"));
  EXPECT_EQ(window->z_suu()->text(), QStringLiteral("Label1"));
  EXPECT_EQ(window->l_suu()->text(), QStringLiteral("Label1"));
  for (Box b : kAllBoxes) EXPECT_FALSE(has_error_cue(*edit(b)));

  ASSERT_NE(window->about_window(), nullptr);
  EXPECT_TRUE(window->about_window()->isVisible());
  EXPECT_EQ(window->about_window()->parentWidget(), nullptr);
}

TEST_F(MainWindowInputsTest, FormLoadPaintsTheFieldItLaidOut) {
  load();
  const QImage before = window->field()->image().copy();
  window->field()->field_draw(w());
  EXPECT_EQ(window->field()->image(), before);  // already showed this world
}

TEST_F(MainWindowInputsTest, StepControlWritesItsBoxAndTheBoxItsSetting) {
  load_and_show();
  QScrollBar* bar = window->HS(2);
  ASSERT_EQ(bar->value(), 10);
  // Six clicks on the left arrow bring 10 down to 4.
  for (int i = 0; i < 6; ++i) QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, bar->height() / 2));
  EXPECT_EQ(bar->value(), 4);
  EXPECT_EQ(edit(Box::Zh_text)->text(), QStringLiteral("4"));
  EXPECT_EQ(w().z_birth, 0.25);
}

TEST_F(MainWindowInputsTest, ThreeDigitValuesShowWholeInTheNarrowBoxes) {
  load();
  const auto fits = [](QLineEdit* box) {
    return QFontMetricsF(box->font()).horizontalAdvance(box->text()) <= box_text_room(*box);
  };
  const auto stretch = [](QLineEdit* box) { return box->font().stretch(); };
  window->HS(1)->setValue(150);
  window->HSsp()->setValue(200);
  for (QLineEdit* box : {edit(Box::Z_text), window->speed_box()}) {
    SCOPED_TRACE(box->objectName().toStdString());
    EXPECT_TRUE(fits(box));
    EXPECT_LT(stretch(box), QFont::Unstretched);
    EXPECT_GE(stretch(box), kMinimumBoxStretch);
  }
  window->HS(1)->setValue(99);
  EXPECT_TRUE(fits(edit(Box::Z_text)));
  EXPECT_EQ(stretch(edit(Box::Z_text)), QFont::Unstretched);
  // A long typed text is not squeezed; it scrolls.
  window->speed_box()->setText(QStringLiteral("0.2500"));
  EXPECT_EQ(stretch(window->speed_box()), QFont::Unstretched);
  EXPECT_FALSE(fits(window->speed_box()));
}

struct StepCase {
  int index;
  int value;
  const char* text;
};

TEST_F(MainWindowInputsTest, EveryStepControlWritesItsOwnBox) {
  load();
  const StepCase cases[] = {{0, 0, "0"}, {1, 150, "150"}, {2, 50, "50"}, {3, 20, "20"}, {4, 100, "100"},
                            {5, 1, "1"}, {6, 20, "20"},   {7, 5, "5"},   {8, 0, "0"}};
  for (const auto& c : cases) {
    window->HS(c.index)->setValue(c.value);
    EXPECT_EQ(edit(kAllBoxes[c.index])->text(), QString::fromLatin1(c.text)) << c.index;
  }
  EXPECT_EQ(w().l_catch, 0);
  EXPECT_EQ(w().p_rate, 0);
  EXPECT_EQ(w().z_birth, 1.0 / 50);
  EXPECT_EQ(w().l_birth, 1.0f);
  EXPECT_EQ(w().z_life, 20);
  EXPECT_EQ(w().l_life, 20);
  EXPECT_EQ(w().l_full, 5);
  EXPECT_EQ(w().l_hunt, 15);
  // The counts wait for the next run start.
  EXPECT_LE(w().z_num, 50);
  EXPECT_EQ(window->sim().draws(), 539u);
}

TEST_F(MainWindowInputsTest, KeyboardStepsABarAndPressesTheButtons) {
  load_and_show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->HS(2)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(window->HS(2), Qt::Key_Right);
  EXPECT_EQ(edit(Box::Zh_text)->text(), QStringLiteral("11"));
  QTest::keyClick(window->HS(2), Qt::Key_Left);
  QTest::keyClick(window->HS(2), Qt::Key_Left);
  EXPECT_EQ(edit(Box::Zh_text)->text(), QStringLiteral("9"));
  EXPECT_EQ(w().z_birth, 1.0 / 9);

  window->Command2()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(window->Command2(), Qt::Key_Space);
  EXPECT_FALSE(window->timer().enabled());
  window->sim_com()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(window->sim_com(), Qt::Key_Space);
  EXPECT_TRUE(window->timer().enabled());
  EXPECT_EQ(window->sim().draws(), 539u + 256 + 2 * 50 + 3 * 50);
}

TEST_F(MainWindowInputsTest, HuntingDaysFollowBothCarnivoreBoxes) {
  load_and_show();
  type_into(edit(Box::lm_text), QStringLiteral("3"));
  type_into(edit(Box::le_text), QStringLiteral("10"));
  EXPECT_EQ(w().l_life, 10);
  EXPECT_EQ(w().l_full, 3);
  EXPECT_EQ(w().l_hunt, 7);
  type_into(edit(Box::lm_text), QStringLiteral("5"));
  EXPECT_EQ(w().l_hunt, 5);
}

TEST_F(MainWindowInputsTest, WritingTheSameTextRunsNoHandler) {
  load();
  ASSERT_EQ(w().l_hunt, 3);
  edit(Box::le_text)->setText(QStringLiteral("1"));
  edit(Box::lm_text)->setText(QStringLiteral("1"));
  window->HS(6)->setValue(1);
  EXPECT_EQ(w().l_hunt, 3);
  edit(Box::lm_text)->setText(QStringLiteral("1.0"));  // a real change recomputes it
  EXPECT_EQ(w().l_hunt, 0);
}

TEST_F(MainWindowInputsTest, TypingNeverMovesAStepControl) {
  load_and_show();
  const int herbivores = w().z_num;
  type_into(edit(Box::Z_text), QStringLiteral("30"));
  EXPECT_EQ(window->HS(1)->value(), 50);
  EXPECT_EQ(w().z_num, herbivores);
  type_into(edit(Box::p_text), QStringLiteral("7"));
  EXPECT_EQ(window->HS(0)->value(), 0);
  EXPECT_EQ(w().p_rate, 0.7);
  // The next step replaces the typed text with the bar's value plus one.
  window->HS(1)->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(edit(Box::Z_text)->text(), QStringLiteral("51"));
}

TEST_F(MainWindowInputsTest, FullWidthDigitsReadAsDigits) {
  load_and_show();
  commit_into(edit(Box::p_text), QStringLiteral("５"));
  EXPECT_EQ(edit(Box::p_text)->text(), QStringLiteral("５"));
  EXPECT_EQ(w().p_rate, 0.5);
  commit_into(edit(Box::lK_text), QStringLiteral("０．５"));
  EXPECT_EQ(w().l_catch, 0.05);
  EXPECT_FALSE(has_error_cue(*edit(Box::lK_text)));
}

struct InvalidCase {
  Box box;
  const char* text;
};

TEST_F(MainWindowInputsTest, RefusedTextChangesNothingAndShowsTheCue) {
  load();
  const InvalidCase cases[] = {
      {Box::p_text, "abc"},  {Box::p_text, ""},      {Box::Z_text, "300"},    {Box::Zh_text, "0"},
      {Box::ze_text, "-0.5"}, {Box::l_text, "x"},    {Box::lh_text, "1e-300"}, {Box::le_text, "0"},
      {Box::le_text, "40000"}, {Box::lm_text, "99999"}, {Box::lK_text, "."},   {Box::lK_text, "NaN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(box_name(c.box)) + " '" + c.text + "'");
    const World before = w();
    QLineEdit* box = edit(c.box);
    box->setText(QString::fromLatin1(c.text));
    EXPECT_TRUE(same_world(w(), before));
    EXPECT_TRUE(has_error_cue(*box));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(box->toolTip(), hint(c.box));
    // A valid text clears it again.
    box->setText(QStringLiteral("2"));
    EXPECT_FALSE(has_error_cue(*box));
    EXPECT_TRUE(box->toolTip().isEmpty());
    EXPECT_EQ(box->palette().color(QPalette::Base), QApplication::palette(box).color(QPalette::Base));
  }
}

struct SpeedCase {
  const char* text;
  int interval;
  bool running;
};

TEST_F(MainWindowInputsTest, SpeedSetsTimer1Interval) {
  load();
  const SpeedCase cases[] = {
      {"0.25", 12, true}, {"0.75", 38, true}, {"2.5", 125, true}, {"1", 50, true},
      {"100", 5000, true}, {"", 0, false},    {"abc", 0, false},  {"3kg", 150, true},
      {"１", 50, true},    {"0", 0, false},   {"1310.7", 65535, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    window->speed_box()->setText(QString::fromUtf8(c.text));
    EXPECT_TRUE(window->timer().enabled());
    EXPECT_EQ(window->timer().interval(), c.interval);
    EXPECT_EQ(window->timer().running(), c.running);
    EXPECT_FALSE(has_error_cue(*window->speed_box()));
  }
}

TEST_F(MainWindowInputsTest, SpeedOutOfRangeKeepsTheIntervalAndShowsTheCue) {
  load();
  window->speed_box()->setText(QStringLiteral("2"));
  for (const char* text : {"1310.8", "-1", "1e999"}) {
    SCOPED_TRACE(text);
    window->speed_box()->setText(QString::fromLatin1(text));
    EXPECT_EQ(window->timer().interval(), 100);
    EXPECT_TRUE(window->timer().running());
    EXPECT_TRUE(has_error_cue(*window->speed_box()));
    EXPECT_EQ(window->speed_box()->toolTip(), QString::fromUtf8(speed_hint().data()));
  }
  window->HSsp()->setValue(200);
  EXPECT_EQ(window->speed_box()->text(), QStringLiteral("200"));
  EXPECT_EQ(window->timer().interval(), 10000);
  EXPECT_FALSE(has_error_cue(*window->speed_box()));
}

TEST_F(MainWindowInputsTest, EmptySpeedDeliversNoDaysUntilANumberComes) {
  load();
  window->speed_box()->setText(QStringLiteral("0.2"));  // 10 ms
  window->speed_box()->setText(QString());
  ASSERT_TRUE(window->timer().enabled());
  ASSERT_EQ(window->timer().interval(), 0);
  QTest::qWait(100);
  EXPECT_EQ(w().day, 0);
  EXPECT_EQ(window->sim().draws(), 539u);
  window->speed_box()->setText(QStringLiteral("0.2"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return w().day >= 2; }, 5000));
}

}  // namespace
}  // namespace noboria
