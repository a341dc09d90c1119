// The main window as a user meets it: the error cue, a refused start, Tab, the day timer, 解説, closing and
// condensed texts. What they write into the world record is in the golden traces (tests/trace/data).
#include <QDir>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <tuple>

#include "form/layout.h"
#include "sim/parameters.h"
#include "ui/error_cue.h"
#include "ui/fonts.h"
#include "ui/text_fit.h"
#include "view/graph_view.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

int stretch(const QWidget& widget) {
  const int s = widget.font().stretch();
  return s == QFont::AnyStretch ? QFont::Unstretched : s;
}

double text_width(const QWidget& w, const QString& text) { return QFontMetricsF(w.font()).horizontalAdvance(text); }

// What a user sees at start-up, pixel for pixel, and the title with all its spaces (the test's main sets the
// style, scale and font DPI). After an intended change of look, check the image written to the working
// directory and copy it over the golden one.
TEST_F(MainWindowTest, BothWindowsLookAsTheirGoldenImagesAtStartUp) {
  const QString family = QFontInfo(window->speed_box()->font()).family();
  EXPECT_EQ(family, QStringLiteral("IPAPGothic")) << "the images were made with IPAPGothic (fonts-ipafont-gothic)";
  for (QWidget* shown : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->about_window())}) {
    const QString name = QDir::current().absoluteFilePath(shown->objectName() + QStringLiteral(".png"));
    const QImage seen = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage golden = QImage(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/") + shown->objectName() +
                                 QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    if (seen == golden) continue;
    seen.save(name);
    int differ = 0;
    for (int y = 0; y < seen.height(); ++y)
      for (int x = 0; x < seen.width(); ++x) differ += !golden.valid(x, y) || seen.pixel(x, y) != golden.pixel(x, y);
    ADD_FAILURE() << differ << " pixels differ from the golden image; the window as seen is in " << name.toStdString();
  }
  EXPECT_EQ(window->windowTitle().toStdString(), window_text(WindowId::main).caption);
  EXPECT_EQ(window->about_window()->windowTitle().toStdString(), window_text(WindowId::about).caption);
}

// A text box, a refused and an accepted text; the refused one shows the box's hint.
struct CueCase { int box; const char* refused; const char* accepted; };

TEST_F(MainWindowTest, RefusedTextTurnsTheBoxLightRedWithAHintUntilAValidText) {
  const CueCase cases[] = {{0, "abc", "5"}, {1, "300", "30"}, {6, "0", "4"}, {8, "", "０．５"}, {kSpeedIndex, "99999", "2"}};
  for (const CueCase& c : cases) {
    QLineEdit* box = window->text_box(c.box);
    SCOPED_TRACE(box->objectName().toStdString());
    const QColor normal = box->palette().color(QPalette::Base);
    box->setText(QString::fromUtf8(c.refused));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(box->toolTip().toStdString(), text_box(c.box).hint);
    box->setText(QString::fromUtf8(c.accepted));
    EXPECT_EQ(box->palette().color(QPalette::Base), normal);
    EXPECT_EQ(box->toolTip(), QString());
  }
}

TEST_F(MainWindowTest, RefusedStartMarksEveryBadBoxAndFocusesTheFirst) {
  // le_text passes its own handler against the stored l_full 1 and is refused
  // only at the start, read against lm_text's text.
  box(Box::le_text)->setText(QStringLiteral("30000"));
  box(Box::lm_text)->setText(QStringLiteral("-32000"));
  box(Box::Z_text)->setText(QStringLiteral("abc"));
  ASSERT_FALSE(has_error_cue(*box(Box::le_text)));
  window->start_button()->click();
  EXPECT_EQ(window->focusWidget(), box(Box::Z_text));
  EXPECT_EQ(box(Box::Z_text)->selectedText(), QStringLiteral("abc"));
  for (Box b : kAllBoxes) {
    EXPECT_EQ(has_error_cue(*box(b)), b == Box::Z_text || b == Box::le_text || b == Box::lm_text) << box_name(b);
  }
  // Once mended the run starts, and every text is the setting it shows.
  box(Box::Z_text)->setText(QStringLiteral("10"));
  box(Box::lm_text)->setText(QStringLiteral("29000"));
  window->start_button()->click();
  EXPECT_EQ(w().l_hunt, 1000);
  for (Box b : kAllBoxes) EXPECT_FALSE(has_error_cue(*box(b))) << box_name(b);
}

TEST_F(MainWindowTest, TabGoesOnceRoundTheWindowAndAStepControlsKeysCountUp) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->start_button()->setFocus(Qt::OtherFocusReason);
  QStringList visited;
  for (int i = 0; i < 26; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited.join(QLatin1Char(' ')),
            QStringLiteral("start_button plant_rate_box herbivore_count_box herbivore_birth_box herbivore_life_box "
                           "carnivore_count_box carnivore_birth_box carnivore_life_box carnivore_rest_box "
                           "carnivore_catch_box stop_button speed_box plant_rate_step speed_step "
                           "herbivore_count_step herbivore_birth_step herbivore_life_step carnivore_count_step "
                           "carnivore_birth_step carnivore_life_step carnivore_rest_step carnivore_catch_step "
                           "about_button field_summary graph_summary start_button"));
  // The keys make the Form's steps: right counts up, like the right arrow.
  const std::pair<Qt::Key, const char*> keys[] = {{Qt::Key_Right, "11"}, {Qt::Key_Up, "12"}, {Qt::Key_PageDown, "11"},
                                                  {Qt::Key_End, "50"}, {Qt::Key_Home, "1"}, {Qt::Key_Left, "1"}};
  for (const auto& [key, text] : keys) {
    QTest::keyClick(window->step_control(2), key);
    EXPECT_EQ(box(Box::Zh_text)->text(), QString::fromLatin1(text)) << key;
  }
}

// Each step control starts at the whole value of its box, so that its first
// click moves the box by one; it stops at both ends of its range.
TEST_F(MainWindowTest, EachStepControlStartsAtItsBoxsValueAndStopsAtBothEnds) {
  const struct { int start, low, high; } rows[kTextBoxCount] = {
      {0, 0, 8}, {50, 1, 150}, {10, 1, 50}, {1, 1, 20}, {50, 1, 100}, {10, 1, 50}, {1, 1, 20}, {1, 0, 5}, {5, 0, 10},
      {4, 1, 200}};
  using A = QAbstractSlider;
  for (int i = 0; i < kTextBoxCount; ++i) {
    const struct { QScrollBar* bar; QLineEdit* box; int start, low, high; } r = {
        window->step_control(i), window->text_box(i), rows[i].start, rows[i].low, rows[i].high};
    SCOPED_TRACE(r.bar->objectName().toStdString());
    EXPECT_EQ(r.box->text(), QString::number(r.start));
    r.bar->triggerAction(A::SliderSingleStepAdd);  // a click on the right arrow
    EXPECT_EQ(r.box->text(), QString::number(r.start + 1));
    for (auto [to_end, past_end, end] : {std::tuple(A::SliderToMinimum, A::SliderSingleStepSub, r.low),
                                         std::tuple(A::SliderToMaximum, A::SliderSingleStepAdd, r.high)}) {
      r.bar->triggerAction(to_end);
      r.bar->triggerAction(past_end);
      EXPECT_EQ(r.box->text(), QString::number(end));
    }
  }
}

// On the first day of a run the graph shows a fresh sheet with its grid; after
// day 99 it is wiped for the next hundred.
TEST_F(MainWindowTest, TheGraphShowsItsGridFromTheFirstDayAndAFreshSheetAfterDay99) {
  start_long_run();
  const auto marks = [this] {  // pixels in the colours of the counts
    const QImage& image = window->graph()->image();
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb rgb = image.pixel(x, y) & 0xFFFFFF;
        n += rgb != 0xFFFFFF && rgb != 0 && rgb != 0x010000;  // not white, nor a line of the grid
      }
    return n;
  };
  const auto grid = [this] {
    const QImage& image = window->graph()->image();
    return image.pixel(205, 150) == qRgb(0, 0, 0) && image.pixel(150, 105) == qRgb(1, 0, 0);
  };
  for (int day = 1; day <= 100; ++day) {
    window->tick();
    if (day == 1 || day == 100) {
      EXPECT_TRUE(grid()) << day;
      EXPECT_TRUE(marks() > 0 && marks() < 30) << day;
    }
    if (day == 99) {
      EXPECT_GT(marks(), 500);
    }
  }
  EXPECT_TRUE(window->form().timer_on());  // the run was still going
}

// The day timer is a precise one (a coarse timer may be 5 % off) at speed x 50 ms.
TEST_F(MainWindowTest, TheDayTimerTicksThroughTheEventLoopAtTheSpeedsIntervalUntilStopped) {
  QSignalSpy ticks(&window->day_timer(), &DayTimer::tick);
  window->speed_box()->setText(QString());  // interval 0: on, yet no days
  start_long_run();
  QTest::qWait(60);
  EXPECT_EQ(ticks.count(), 0);

  window->speed_box()->setText(QStringLiteral("0.4"));  // 20 ms
  EXPECT_EQ(window->day_timer().engine().timerType(), Qt::PreciseTimer);
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(ticks.wait(1000));  // a true event loop: qWaitFor naps 10 ms at a time
  EXPECT_GE(clock.elapsed(), 6 * 20 - 2);
  EXPECT_EQ(w().day, 7);  // the first day of a sheet is shown as 2

  window->stop_button()->click();
  window->stop_button()->click();  // stopped already: changes nothing, resumes nothing
  QTest::qWait(60);
  EXPECT_EQ(w().day, 7);
  EXPECT_FALSE(window->form().timer_on());
}

TEST_F(MainWindowTest, TheAboutButtonHidesShowsAndReopensTheAboutWindow) {
  QPointer<AboutWindow> first = window->about_window();
  ASSERT_TRUE(first && first->isVisible());
  window->about_button()->click();
  process_deferred_deletes();
  ASSERT_FALSE(first.isNull());  // hidden, not unloaded
  EXPECT_FALSE(first->isVisible());
  window->about_button()->click();
  EXPECT_EQ(window->about_window(), first);
  EXPECT_TRUE(first->isVisible());

  first->close();  // deletes it; the next 解説 opens a fresh one
  process_deferred_deletes();
  EXPECT_TRUE(first.isNull());
  window->move(500, 40);
  window->about_button()->click();
  ASSERT_NE(window->about_window(), nullptr);
  EXPECT_TRUE(window->about_window()->isVisible());
  // Beside the main window: on its left, the offscreen screen (800 wide) having
  // no room for its 381 pixels on the right.
  EXPECT_EQ(window->about_window()->pos(), QPoint(500 - 381, 40));
}

TEST_F(MainWindowTest, ClosingTheMainWindowClosesTheAboutWindowAndEndsTheProgram) {
  window->show();
  QPointer<AboutWindow> about = window->about_window();
  QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
  QTimer::singleShot(0, window.get(), [this] { window->close(); });
  QTimer guard;  // should the loop run on
  guard.callOnTimeout([] { QCoreApplication::exit(99); });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_EQ(last.count(), 1);
}

// The layout's widths suit a narrower font than the stand-in, so a text that
// would be cut is drawn condensed instead.
TEST_F(MainWindowTest, LongDaysAndThreeDigitValuesAreCondensedToFit) {
  QLabel& shown = *window->day();
  for (int day : {12, 999, 1000, 32767, 7}) {
    window->show_day(day);
    EXPECT_EQ(stretch(shown) < QFont::Unstretched, day >= 1000) << day;
    EXPECT_LE(text_width(shown, shown.text()), shown.contentsRect().width()) << day;
  }
  // A label whose width changes is fitted anew, not from what it learnt before.
  QLabel label;
  label.setFont(gothic(15.75));
  label.resize(60, 25);
  show_label_number(label, 1234, true);
  EXPECT_EQ(stretch(label), QFont::Unstretched);
  label.resize(40, 25);
  show_label_number(label, 4321, true);
  EXPECT_LE(text_width(label, label.text()), 40);

  window->step_control(1)->setValue(150);
  QLineEdit& count = *box(Box::Z_text);
  EXPECT_LT(stretch(count), QFont::Unstretched);
  EXPECT_LE(text_width(count, count.text()), box_text_room(count));
}

}  // namespace
}  // namespace noboria
