// Runs: the start button (accepted and refused), the stop button, Timer1's
// ticks and the day limit, the About button and closing the window.
#include <QSignalSpy>
#include <QTimer>

#include "test_main_window_fixture.h"
#include "ui/error_cue.h"

namespace noboria {
namespace {

using MainWindowRunTest = MainWindowTest;

TEST_F(MainWindowRunTest, StartReadsTheBoxesLaysOutAFieldAndRuns) {
  load();
  window->Command2_Click();
  edit(Box::Z_text)->setText(QStringLiteral("30"));
  edit(Box::l_text)->setText(QStringLiteral("12"));
  edit(Box::le_text)->setText(QStringLiteral("5"));
  edit(Box::lm_text)->setText(QStringLiteral("2"));
  QTest::mouseClick(window->sim_com(), Qt::LeftButton);
  EXPECT_EQ(window->sim().draws(), 539u + 256 + 2 * 30 + 3 * 12);
  EXPECT_EQ(w().day, 0);
  EXPECT_EQ(w().z_num, 30);  // the request, until the first day counts
  EXPECT_EQ(w().l_num, 12);
  EXPECT_EQ(w().l_hunt, 3);
  EXPECT_TRUE(window->timer().enabled());
  EXPECT_TRUE(window->timer().running());
}

TEST_F(MainWindowRunTest, RefusedStartChangesNothingAndFocusesTheFirstBadBox) {
  load();
  // lK_text comes after ze_text in tab order; both are refused.
  edit(Box::lK_text)->setText(QStringLiteral("x"));
  edit(Box::ze_text)->setText(QStringLiteral("-3"));
  edit(Box::l_text)->setText(QStringLiteral("2"));
  const World before = w();
  const QImage field = window->field()->image().copy();
  window->sim_com_Click();
  EXPECT_TRUE(same_world(w(), before));
  EXPECT_EQ(window->sim().draws(), 539u);
  EXPECT_EQ(window->field()->image(), field);
  EXPECT_TRUE(window->timer().enabled());
  EXPECT_EQ(window->timer().interval(), 200);
  EXPECT_EQ(window->focusWidget(), edit(Box::ze_text));
  EXPECT_TRUE(has_error_cue(*edit(Box::ze_text)));
  EXPECT_TRUE(has_error_cue(*edit(Box::lK_text)));
  EXPECT_FALSE(has_error_cue(*edit(Box::l_text)));
}

TEST_F(MainWindowRunTest, StartChecksTheCarnivoreBoxesAgainstEachOther) {
  load();
  window->Command2_Click();
  // l_life 30000 passed its handler against the stored l_full 1; l_full
  // -32000 was refused against it, and at the start the two texts clash.
  edit(Box::le_text)->setText(QStringLiteral("30000"));
  ASSERT_FALSE(has_error_cue(*edit(Box::le_text)));
  edit(Box::lm_text)->setText(QStringLiteral("-32000"));
  ASSERT_TRUE(has_error_cue(*edit(Box::lm_text)));
  edit(Box::Z_text)->setText(QStringLiteral("abc"));
  const World before = w();
  window->sim_com_Click();
  EXPECT_TRUE(same_world(w(), before));
  EXPECT_FALSE(window->timer().enabled());  // a stopped run stays stopped
  EXPECT_EQ(window->focusWidget(), edit(Box::Z_text));
  EXPECT_TRUE(has_error_cue(*edit(Box::le_text)));
  EXPECT_TRUE(has_error_cue(*edit(Box::lm_text)));
  // Mending both lets the run start and clears every cue.
  edit(Box::Z_text)->setText(QStringLiteral("10"));
  edit(Box::lm_text)->setText(QStringLiteral("29000"));
  window->sim_com_Click();
  EXPECT_TRUE(window->timer().enabled());
  EXPECT_EQ(w().l_hunt, 1000);
  for (Box b : kAllBoxes) EXPECT_FALSE(has_error_cue(*edit(b))) << box_name(b);
}

TEST_F(MainWindowRunTest, StopHaltsTheDaysAndStartBeginsANewRun) {
  load();
  window->speed_box()->setText(QStringLiteral("0.2"));  // 10 ms a day
  ASSERT_TRUE(QTest::qWaitFor([&] { return w().day >= 3; }, 5000));
  QTest::mouseClick(window->Command2(), Qt::LeftButton);
  EXPECT_FALSE(window->timer().enabled());
  EXPECT_FALSE(window->timer().running());
  EXPECT_EQ(window->timer().interval(), 10);
  const World stopped = w();
  const auto draws = window->sim().draws();
  QTest::qWait(60);
  EXPECT_TRUE(same_world(w(), stopped));
  EXPECT_EQ(window->sim().draws(), draws);
  window->Command2_Click();  // pressed while stopped: nothing
  EXPECT_FALSE(window->timer().enabled());

  window->sim_com_Click();
  EXPECT_EQ(w().day, 0);
  EXPECT_TRUE(window->timer().running());
  EXPECT_TRUE(QTest::qWaitFor([&] { return w().day >= 2; }, 5000));
}

TEST_F(MainWindowRunTest, ATickRunsOneDayAndWritesTheLabels) {
  load();
  window->Command2_Click();
  window->sim_com_Click();
  window->Timer1_Timer();
  // The first day of a sheet is shown as 2.
  EXPECT_EQ(w().day, 2);
  EXPECT_EQ(window->daycap()->text(), QStringLiteral("2"));
  EXPECT_EQ(window->z_suu()->text(), QString::number(w().z_num));
  EXPECT_EQ(window->l_suu()->text(), QString::number(w().l_num));
  EXPECT_EQ(services.beeps, 0);
}

TEST_F(MainWindowRunTest, RunWithoutCarnivoresEndsAfterOneDayWithOneBeep) {
  load();
  edit(Box::l_text)->setText(QStringLiteral("0"));
  window->sim_com_Click();
  window->Timer1_Timer();
  EXPECT_FALSE(window->timer().enabled());
  EXPECT_EQ(services.beeps, 1);
  EXPECT_EQ(window->l_suu()->text(), QStringLiteral("0"));
  EXPECT_EQ(window->daycap()->text(), QStringLiteral("2"));
}

TEST_F(MainWindowRunTest, DayLimitStopsTheRunWithOneBeepAndNothingElse) {
  load();
  window->Timer1_Timer();
  w().day = 32767;
  const World before = w();
  const auto draws = window->sim().draws();
  const QString day_text = window->daycap()->text();
  const QImage field = window->field()->image().copy();
  window->Timer1_Timer();
  EXPECT_FALSE(window->timer().enabled());
  EXPECT_EQ(services.beeps, 1);
  EXPECT_TRUE(same_world(w(), before));
  EXPECT_EQ(window->sim().draws(), draws);
  EXPECT_EQ(window->daycap()->text(), day_text);
  EXPECT_EQ(window->field()->image(), field);
}

TEST_F(MainWindowRunTest, TimerIntervalRestartsOnlyWhenItChanges) {
  DayTimer timer;
  QSignalSpy ticks(&timer, &DayTimer::tick);
  timer.set_interval(20);
  EXPECT_FALSE(timer.running());  // not enabled yet
  timer.set_enabled(true);
  EXPECT_TRUE(timer.running());
  timer.set_interval(0);
  EXPECT_TRUE(timer.enabled());
  EXPECT_FALSE(timer.running());
  QTest::qWait(50);
  EXPECT_EQ(ticks.count(), 0);
  timer.set_interval(-5);
  EXPECT_EQ(timer.interval(), 0);
  timer.set_interval(10);
  EXPECT_TRUE(timer.running());
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 2; }, 5000));
  timer.set_enabled(false);
  const auto seen = ticks.count();
  QTest::qWait(40);
  EXPECT_EQ(ticks.count(), seen);
  EXPECT_EQ(timer.interval(), 10);
}

TEST_F(MainWindowRunTest, AboutButtonHidesShowsAndReloads) {
  load();
  AboutWindow* first = window->about_window();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(first->isVisible());
  const QPoint place = first->pos();
  window->Command1_Click();
  EXPECT_EQ(window->about_window(), first);
  EXPECT_FALSE(first->isVisible());
  window->Command1_Click();
  EXPECT_EQ(window->about_window(), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->pos(), place);

  first->close();  // unloads it
  process_deferred_deletes();
  EXPECT_EQ(window->about_window(), nullptr);
  QTest::mouseClick(window->Command1(), Qt::LeftButton);
  ASSERT_NE(window->about_window(), nullptr);
  EXPECT_TRUE(window->about_window()->isVisible());
  EXPECT_EQ(window->about_window()->parentWidget(), nullptr);
}

// The offscreen screen is 800 x 800: the About window (381 wide) fits left of
// a main window at x 500, and on neither side of one at x 0.
TEST_F(MainWindowRunTest, AboutWindowOpensBesideTheMainWindow) {
  window->move(500, 40);
  load();
  ASSERT_EQ(window->screen()->availableGeometry(), QRect(0, 0, 800, 800));
  EXPECT_EQ(window->about_window()->pos(), QPoint(500 - 381, 40));
  window->Command1_Click();
  window->about_window()->close();
  process_deferred_deletes();
  window->move(0, 0);
  window->Command1_Click();
  EXPECT_EQ(window->about_window()->pos(), QPoint(800 - 381, 0));
}

// Closes the main window from inside the event loop, as a user would, and
// returns the loop's exit status: 0 when closing ended it, 99 if it ran on.
int close_in_event_loop(MainWindow& window) {
  QTimer::singleShot(0, &window, [&window] { window.close(); });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
  guard.start(5000);
  return QApplication::exec();
}

TEST_F(MainWindowRunTest, ClosingTheMainWindowUnloadsAHiddenAboutWindowAndEndsTheProgram) {
  load_and_show();
  window->Command1_Click();  // hide it
  QPointer<AboutWindow> about = window->about_window();
  ASSERT_FALSE(about->isVisible());
  QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
  EXPECT_EQ(close_in_event_loop(*window), 0);
  EXPECT_FALSE(window->isVisible());
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_EQ(last.count(), 1);
}

TEST_F(MainWindowRunTest, ClosingTheMainWindowClosesAVisibleAboutWindow) {
  load_and_show();
  QPointer<AboutWindow> about = window->about_window();
  ASSERT_TRUE(about->isVisible());
  QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
  EXPECT_EQ(close_in_event_loop(*window), 0);
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_EQ(last.count(), 1);
}

}  // namespace
}  // namespace noboria
