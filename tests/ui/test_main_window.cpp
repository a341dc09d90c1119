// The main window as a user meets it: the error cue, a refused start, the Tab
// key, Timer1 in the event loop, 解説, closing, and texts condensed to fit.
// What texts, steps, buttons and ticks write into the world record is in the
// golden traces (tests/trace/data).
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>

#include "sim/parameters.h"
#include "ui/error_cue.h"
#include "ui/fonts.h"
#include "ui/text_fit.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

int stretch(const QWidget& widget) {
  const int s = widget.font().stretch();
  return s == QFont::AnyStretch ? QFont::Unstretched : s;
}

double text_width(const QWidget& w, const QString& text) { return QFontMetricsF(w.font()).horizontalAdvance(text); }

// What a user sees at start-up, pixel for pixel: every caption, colour, font,
// picture and place, and the texts condensed to fit; and the title with all
// its spaces. After an intended change of look, check the image written to
// the test's working directory and copy it over the golden one.
TEST_F(MainWindowTest, BothWindowsLookAsTheirGoldenImagesAtStartUp) {
  for (QWidget* shown : {static_cast<QWidget*>(window.get()), static_cast<QWidget*>(window->about_window())}) {
    const QString name = shown->objectName() + QStringLiteral(".png");  // form1, Form2
    const QImage seen = shown->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage golden =
        QImage(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/") + name).convertToFormat(QImage::Format_RGB32);
    if (seen != golden) seen.save(name);
    EXPECT_TRUE(seen == golden) << name.toStdString();
  }
  EXPECT_EQ(window->windowTitle(), QStringLiteral("ノボリア　Ｖｅｒ2.0　　Feb,2007") + QString(40, QLatin1Char(' ')) +
                                       QStringLiteral("　　　　　　　　　programed　by　Ostel.Vanrimo　"));
}

// A box by its index in Box order (-1 for the speed), a refused and an accepted text.
struct CueCase { int box; const char* refused; const char* accepted; };

TEST_F(MainWindowTest, RefusedTextTurnsTheBoxLightRedWithAHintUntilAValidText) {
  const CueCase cases[] = {{0, "abc", "5"}, {1, "300", "30"}, {6, "0", "4"}, {8, "", "０．５"}, {-1, "99999", "2"}};
  for (const CueCase& c : cases) {
    QLineEdit* box = c.box < 0 ? window->speed_box() : edit(kAllBoxes[c.box]);
    SCOPED_TRACE(box->objectName().toStdString());
    const QColor normal = box->palette().color(QPalette::Base);
    box->setText(QString::fromUtf8(c.refused));
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(0xFF, 0xC0, 0xC0));
    EXPECT_EQ(box->toolTip().toStdString(), c.box < 0 ? speed_hint() : box_hint(kAllBoxes[c.box]));
    box->setText(QString::fromUtf8(c.accepted));
    EXPECT_EQ(box->palette().color(QPalette::Base), normal);
    EXPECT_EQ(box->toolTip(), QString());
  }
}

TEST_F(MainWindowTest, RefusedStartMarksEveryBadBoxAndFocusesTheFirst) {
  // le_text passes its own handler against the stored l_full 1 and is refused
  // only at the start, read against lm_text's text.
  edit(Box::le_text)->setText(QStringLiteral("30000"));
  edit(Box::lm_text)->setText(QStringLiteral("-32000"));
  edit(Box::Z_text)->setText(QStringLiteral("abc"));
  ASSERT_FALSE(has_error_cue(*edit(Box::le_text)));
  window->sim_com()->click();
  EXPECT_EQ(window->focusWidget(), edit(Box::Z_text));
  EXPECT_EQ(edit(Box::Z_text)->selectedText(), QStringLiteral("abc"));
  for (Box b : kAllBoxes) {
    EXPECT_EQ(has_error_cue(*edit(b)), b == Box::Z_text || b == Box::le_text || b == Box::lm_text) << box_name(b);
  }
  // Once mended the run starts, and every text is the setting it shows.
  edit(Box::Z_text)->setText(QStringLiteral("10"));
  edit(Box::lm_text)->setText(QStringLiteral("29000"));
  window->sim_com()->click();
  EXPECT_EQ(w().l_hunt, 1000);
  for (Box b : kAllBoxes) EXPECT_FALSE(has_error_cue(*edit(b))) << box_name(b);
}

TEST_F(MainWindowTest, TabGoesOnceRoundTheWindowAndAStepControlsKeysCountUp) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->sim_com()->setFocus(Qt::OtherFocusReason);
  QStringList visited;
  for (int i = 0; i < 24; ++i) {
    visited << QApplication::focusWidget()->objectName();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  EXPECT_EQ(visited.join(QLatin1Char(' ')),
            QStringLiteral("sim_com p_text Z_text Zh_text ze_text l_text lh_text le_text lm_text lK_text Command2 "
                           "speed HS0 HSsp HS1 HS2 HS3 HS4 HS5 HS6 HS7 HS8 Command1 sim_com"));
  window->HS(2)->setFocus(Qt::TabFocusReason);
  QTest::keyClick(window->HS(2), Qt::Key_Right);  // counts up, like the right arrow
  EXPECT_EQ(edit(Box::Zh_text)->text(), QStringLiteral("11"));
}

TEST_F(MainWindowTest, Timer1TicksThroughTheEventLoopAtTheSpeedsIntervalUntilStopped) {
  // A run that lasts: plants grow, and animals live long enough to find food.
  const std::pair<Box, const char*> long_run[] = {
      {Box::p_text, "8"}, {Box::ze_text, "5"}, {Box::le_text, "10"}, {Box::lm_text, "3"}, {Box::lK_text, "3"}};
  for (const auto& [b, text] : long_run) edit(b)->setText(QString::fromLatin1(text));
  QSignalSpy ticks(&window->timer(), &DayTimer::tick);
  window->speed_box()->setText(QString());  // interval 0: enabled, yet no days
  window->sim_com()->click();
  QTest::qWait(60);
  EXPECT_EQ(ticks.count(), 0);

  window->speed_box()->setText(QStringLiteral("0.4"));  // 20 ms
  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(ticks.wait(1000));  // a true event loop: qWaitFor naps 10 ms at a time
  EXPECT_GE(clock.elapsed(), 6 * 20 - 2);
  EXPECT_EQ(w().day, 7);  // the first day of a sheet is shown as 2

  window->Command2()->click();
  QTest::qWait(60);
  EXPECT_EQ(w().day, 7);
}

TEST_F(MainWindowTest, KaisetsuHidesShowsAndReloadsTheAboutWindow) {
  QPointer<AboutWindow> first = window->about_window();
  ASSERT_TRUE(first && first->isVisible());
  window->Command1()->click();
  process_deferred_deletes();
  ASSERT_FALSE(first.isNull());  // hidden, not unloaded
  EXPECT_FALSE(first->isVisible());
  window->Command1()->click();
  EXPECT_EQ(window->about_window(), first);
  EXPECT_TRUE(first->isVisible());

  first->close();  // unloads it; the next 解説 loads a fresh one
  process_deferred_deletes();
  EXPECT_TRUE(first.isNull());
  window->move(500, 40);
  window->Command1()->click();
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

// The layout's widths suit the original font; the stand-in runs wider, so a
// text that would be cut is drawn condensed instead.
TEST_F(MainWindowTest, LongDaysAndThreeDigitValuesAreCondensedToFit) {
  QLabel& daycap = *window->daycap();
  for (int day : {12, 999, 1000, 32767, 7}) {
    window->show_day(day);
    EXPECT_EQ(stretch(daycap) < QFont::Unstretched, day >= 1000) << day;
    EXPECT_LE(text_width(daycap, daycap.text()), daycap.contentsRect().width()) << day;
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

  window->HS(1)->setValue(150);
  QLineEdit& box = *edit(Box::Z_text);
  EXPECT_LT(stretch(box), QFont::Unstretched);
  EXPECT_LE(text_width(box, box.text()), box_text_room(box));
}

}  // namespace
}  // namespace noboria
