// A long seeded storm of user actions on the real main window: any text into
// any box (typed key by key or pasted whole), step controls pushed at and past
// their ends, start, stop and 解説 in any order, the speed to 0 and back, and
// days in between. After every action the world, the settings and the labels
// must still be sound and the event loop must still answer. Also a run that
// reaches the last day the counter can hold.
#include <QAbstractSlider>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "sim/parameters.h"
#include "sim/rounding.h"
#include "sim/text_number.h"
#include "test_main_window_fixture.h"
#include "ui/error_cue.h"

namespace noboria {
namespace {

constexpr int kStormEvents = 20000;
constexpr int kTicksPerBurstMax = 8;

// ---- Texts a user might put into a box --------------------------------------

const QStringList kNastyTexts = {
    QString(), QStringLiteral(" "), QStringLiteral("-"), QStringLiteral("+"), QStringLiteral("."),
    QStringLiteral("e"), QStringLiteral("1e"), QStringLiteral("1e+"), QStringLiteral("1e308"),
    QStringLiteral("-1e308"), QStringLiteral("1.7976931348623157e308"), QStringLiteral("1e309"),
    QStringLiteral("1e-320"), QStringLiteral("-1e-320"), QStringLiteral("4.9e-324"), QStringLiteral("1e-400"),
    QStringLiteral("NaN"), QStringLiteral("inf"), QStringLiteral("-inf"), QStringLiteral("0x10"),
    QStringLiteral("1,000"), QStringLiteral("0"), QStringLiteral("-0"), QStringLiteral("0.5"),
    QStringLiteral("-0.5"), QStringLiteral("0.49999"), QStringLiteral("2.5"), QStringLiteral("-3"),
    QStringLiteral("32766"), QStringLiteral("32766.5"), QStringLiteral("32767"), QStringLiteral("32768"),
    QStringLiteral("-32768"), QStringLiteral("-32769"), QStringLiteral("65535"), QStringLiteral("256"),
    QStringLiteral("256.99"), QStringLiteral("257"), QStringLiteral("1310.7"), QStringLiteral("1310.71"),
    QStringLiteral("0.01"), QStringLiteral("0.02"), QStringLiteral("12abc"), QStringLiteral("abc"),
    QStringLiteral("1 2"), QStringLiteral("\t7\t"),
    QStringLiteral("\uFF15\uFF10"),                  // ５０
    QStringLiteral("\uFF0D\uFF13"),                  // －３
    QStringLiteral("\uFF10\uFF0E\uFF15"),            // ０．５
    QStringLiteral("\u3000\uFF18\u3000"),            // ８ between ideographic spaces
    QStringLiteral("\u30001\u3000"), QStringLiteral("\u3000"), QStringLiteral("１e３"),
    QStringLiteral("\u6570"), QStringLiteral("\U0001F993"),  // a kanji, a zebra
    QString(400, QLatin1Char('9')), QStringLiteral("1") + QString(330, QLatin1Char('0')),
    QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1"), QString(300, QChar(0x3000)),
};

// Caption ranges of the nine boxes (in Box order) and of the speed box.
struct Range {
  int low;
  int high;
};
constexpr std::array<Range, kBoxCount> kBoxRanges = {
    {{0, 8}, {1, 150}, {1, 50}, {1, 20}, {1, 100}, {1, 50}, {1, 20}, {0, 5}, {0, 10}}};
constexpr Range kSpeedRange{1, 200};

// Settings that keep a run going for hundreds of days, in Box order.
const std::array<QString, kBoxCount> kLongRun = {
    QStringLiteral("8"), QStringLiteral("50"), QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("10"),
    QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("3"), QStringLiteral("3")};

QString full_width(const QString& ascii) {
  QString out;
  for (QChar c : ascii) out += (c.unicode() > 0x20 && c.unicode() < 0x7F) ? QChar(c.unicode() + 0xFEE0) : c;
  return out;
}

class TextMaker {
 public:
  explicit TextMaker(std::mt19937& g) : g_(g) {}

  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(g_); }
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(g_) < p; }

  // Half the time a value inside the caption's range, so that runs start and
  // last; otherwise anything at all.
  QString text_for(Range r) {
    switch (pick(0, 7)) {
      case 0:
      case 1:
      case 2:
      case 3: return QString::number(pick(r.low, r.high));
      case 4: return kNastyTexts.at(pick(0, static_cast<int>(kNastyTexts.size()) - 1));
      case 5: {
        // Any magnitude, written as C's %g would.
        const double mantissa = std::uniform_real_distribution<double>(-10, 10)(g_);
        return QString::number(mantissa * std::pow(10.0, pick(-330, 330)), 'g', pick(1, 17));
      }
      case 6: {
        QString t = full_width(QString::number(pick(r.low - 5, r.high + 5)));
        if (chance(0.5)) t = QChar(0x3000) + t + QChar(0x3000);
        return t;
      }
      default: return garbage();
    }
  }

 private:
  QString garbage() {
    static const QString alphabet = QStringLiteral("0123456789+-.eE \t,xZ\u3000\uFF10\uFF15\uFF0D\uFF0E\u6570");
    QString t;
    const int length = chance(0.1) ? pick(100, 600) : pick(0, 12);
    for (int i = 0; i < length; ++i) t += alphabet.at(pick(0, static_cast<int>(alphabet.size()) - 1));
    return t;
  }

  std::mt19937& g_;
};

// ---- The storm ----------------------------------------------------------------

// Receives a posted event: proof that the event loop still delivers.
class Probe final : public QObject {
 public:
  static QEvent::Type type() {
    static const auto t = static_cast<QEvent::Type>(QEvent::registerEventType());
    return t;
  }
  bool event(QEvent* e) override {
    if (e->type() != type()) return QObject::event(e);
    ++received;
    return true;
  }
  int received = 0;
};

struct Counts {
  int z = 0;
  int l = 0;
};

Counts field_counts(const Grid& g) {
  Counts c;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      c.z += g[x][y] == kHerbivore;
      c.l += g[x][y] == kCarnivore;
    }
  }
  return c;
}

class StressTest : public MainWindowTest {
 protected:
  StressTest() : storm(20070202), make(storm) {}

  void SetUp() override {
    quiet_raise = qInstallMessageHandler(&StressTest::drop_raise_notes);
    load_and_show();
    // The timer may also fire by itself while events are processed (short
    // speeds such as 0.02); such days are counted, not predicted.
    connect_real_ticks();
  }

  void TearDown() override {
    MainWindowTest::TearDown();
    qInstallMessageHandler(quiet_raise);
  }

  // The About window's OK raises the main window, which the offscreen
  // platform notes on every press; thousands of presses would bury the log.
  static void drop_raise_notes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text == QLatin1String("This plugin does not support raise()")) return;
    quiet_raise(type, context, text);
  }
  static inline QtMessageHandler quiet_raise = nullptr;

  void connect_real_ticks() {
    QObject::connect(&window->timer(), &DayTimer::tick, window.get(), [this] { ++real_ticks; });
  }

  // -- actions

  QLineEdit* any_box(int index) { return index < kBoxCount ? edit(kAllBoxes[index]) : window->speed_box(); }
  Range range_of(int index) { return index < kBoxCount ? kBoxRanges[index] : kSpeedRange; }

  // Replaces the text key by key, as typing does: every intermediate text
  // reaches the box's handler.
  void type_keys(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (QChar c : text) {
      if (c.unicode() >= 0x20 && c.unicode() < 0x7F) {
        QTest::keyClick(box, c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }

  void write_text(int index, const QString& text) {
    QLineEdit* box = any_box(index);
    const QString before = box->text();
    if (make.chance(0.7) || text.size() > 40) {
      box->setText(text);
    } else {
      type_keys(box, text);
    }
    note_text_change(index, before);
  }

  void note_text_change(int index, const QString& before) {
    if (index >= kBoxCount) return;
    const Box b = kAllBoxes[index];
    // le_text and lm_text recompute l_hunt whenever their handler accepts.
    if ((b == Box::le_text || b == Box::lm_text) && edit(b)->text() != before && !has_error_cue(*edit(b))) {
      hunt_follows = true;
    }
  }

  void push_bar(int index) {
    QScrollBar* bar = index < kBoxCount ? window->HS(index) : window->HSsp();
    QLineEdit* box = any_box(index);
    const QString before = box->text();
    switch (make.pick(0, 3)) {
      case 0:
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
        for (int i = make.pick(1, 3); i > 0; --i) bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
      case 1:
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
        for (int i = make.pick(1, 3); i > 0; --i) bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
      default: {
        const auto action = make.chance(0.5) ? QAbstractSlider::SliderSingleStepAdd
                                             : QAbstractSlider::SliderSingleStepSub;
        for (int i = make.pick(1, 5); i > 0; --i) bar->triggerAction(action);
      }
    }
    ASSERT_GE(bar->value(), bar->minimum());
    ASSERT_LE(bar->value(), bar->maximum());
    note_text_change(index, before);
  }

  void start_press() {
    if (make.chance(0.5)) {
      QTest::mouseClick(window->sim_com(), Qt::LeftButton);
    } else {
      window->sim_com()->click();
    }
    bool accepted = true;
    for (Box b : kAllBoxes) accepted = accepted && !has_error_cue(*edit(b));
    if (accepted) {
      hunt_follows = true;
      ASSERT_EQ(w().day, 0);
      ASSERT_TRUE(window->timer().enabled());
    }
  }

  void long_run_preset() {
    for (int i = 0; i < kBoxCount; ++i) {
      const QString before = edit(kAllBoxes[i])->text();
      edit(kAllBoxes[i])->setText(kLongRun[i]);
      note_text_change(i, before);
    }
    start_press();
  }

  // One day as Timer1 would deliver it (only while it is on with an interval).
  void tick() {
    if (!window->timer().running()) return;
    const Counts start = field_counts(w().ani_map);
    const int day_before = w().day;
    const int beeps_before = services.beeps;
    const World before = w();
    window->Timer1_Timer();
    if (day_before == kDayLimit) {
      ASSERT_TRUE(same_world(w(), before));
      ASSERT_FALSE(window->timer().enabled());
      ASSERT_EQ(services.beeps, beeps_before + 1);
      return;
    }
    const int counted = day_before + 1;
    ASSERT_EQ(w().day, counted % 100 == 1 ? counted + 1 : counted);
    ASSERT_EQ(window->daycap()->text(), QString::number(w().day));
    // The day plots and reports the animals it started with.
    ASSERT_EQ(w().z_num, start.z);
    ASSERT_EQ(w().l_num, start.l);
    ASSERT_EQ(w().z_prev, start.z);
    ASSERT_EQ(w().l_prev, start.l);
    for (int x = 1; x <= kFieldSize; ++x) {
      for (int y = 1; y <= kFieldSize; ++y) ASSERT_EQ(w().ani_map[x][y], w().next_map[x][y]) << x << "," << y;
    }
    if (start.z == 0 || start.l == 0) {
      ASSERT_FALSE(window->timer().enabled());
      ASSERT_EQ(services.beeps, beeps_before + 1);
    } else {
      ASSERT_TRUE(window->timer().enabled());
      ASSERT_EQ(services.beeps, beeps_before);
      ASSERT_EQ(window->z_suu()->text(), QString::number(start.z));
      ASSERT_EQ(window->l_suu()->text(), QString::number(start.l));
    }
    ++days;
  }

  // -- checks after every action

  void check_world() {
    const World& v = w();
    for (int x = 0; x < kGridSize; ++x) {
      for (int y = 0; y < kGridSize; ++y) {
        const bool rim = !on_field(x, y);
        ASSERT_GE(v.p_map[x][y], 0) << x << "," << y;
        ASSERT_LE(v.p_map[x][y], 2) << x << "," << y;
        for (const Grid* g : {&v.ani_map, &v.next_map}) {
          if (rim) {
            ASSERT_EQ((*g)[x][y], kEmpty) << "an animal on the rim at " << x << "," << y;
          } else {
            ASSERT_GE((*g)[x][y], kEmpty) << x << "," << y;
            ASSERT_LE((*g)[x][y], kCarnivore) << x << "," << y;
          }
        }
      }
    }
    ASSERT_GE(v.z_num, 0);
    ASSERT_LE(v.z_num, kMaxPlaced);
    ASSERT_GE(v.l_num, 0);
    ASSERT_LE(v.l_num, kMaxPlaced);
    ASSERT_GE(v.day, 0);
    ASSERT_GE(v.gra_x, 0);
    ASSERT_LE(v.gra_x, 198);
    ASSERT_EQ(v.gra_x % 2, 0);
  }

  void check_settings() {
    const World& v = w();
    ASSERT_TRUE(std::isfinite(v.p_rate));
    ASSERT_TRUE(std::isfinite(v.z_birth));
    ASSERT_NE(v.z_birth, 0);
    ASSERT_FALSE(std::isnan(1 / v.z_birth));
    ASSERT_TRUE(std::isfinite(v.l_birth));
    ASSERT_TRUE(std::isfinite(v.z_life));
    ASSERT_GE(rhe(v.z_life), 0);
    ASSERT_LE(rhe(v.z_life), 32766);
    ASSERT_GE(rhe(v.z_life + 1), 1);
    ASSERT_LE(rhe(v.z_life + 1), 32767);
    ASSERT_GE(rhe(v.l_life), 1);
    ASSERT_LE(v.l_life, 32767);
    ASSERT_TRUE(std::isfinite(v.l_full));
    ASSERT_TRUE(fits_int16(rhe(v.l_life - v.l_full)));
    ASSERT_TRUE(std::isfinite(v.l_catch));
    if (hunt_follows) {
      ASSERT_EQ(v.l_hunt, to_int16(v.l_life - v.l_full));
    } else {
      ASSERT_EQ(v.l_hunt, 3);  // the start-up value, until a change or a start
    }
    ASSERT_GE(window->timer().interval(), 0);
    ASSERT_LE(window->timer().interval(), 65535);
    ASSERT_EQ(window->timer().running(), window->timer().enabled() && window->timer().interval() > 0);

    // A box without the error cue shows exactly the setting in force.
    const auto value = [&](Box b) { return number(edit(b)->text().toStdString()); };
    const auto shows = [&](Box b) { return !has_error_cue(*edit(b)) ? value(b) : std::nullopt; };
    if (auto t = shows(Box::p_text)) {
      ASSERT_EQ(v.p_rate, *t / 10);
    }
    if (auto t = shows(Box::Zh_text)) {
      ASSERT_EQ(v.z_birth, 1 / *t);
    }
    if (auto t = shows(Box::lh_text)) {
      ASSERT_EQ(v.l_birth, static_cast<float>(1 / *t));
    }
    if (auto t = shows(Box::ze_text)) {
      ASSERT_EQ(v.z_life, *t);
    }
    if (auto t = shows(Box::le_text)) {
      ASSERT_EQ(v.l_life, *t);
    }
    if (auto t = shows(Box::lm_text)) {
      ASSERT_EQ(v.l_full, *t);
    }
    if (auto t = shows(Box::lK_text)) {
      ASSERT_EQ(v.l_catch, *t / 10);
    }
    for (Box b : {Box::Z_text, Box::l_text}) {
      if (!has_error_cue(*edit(b))) {
        ASSERT_TRUE(value(b).has_value()) << box_name(b);
      }
    }
    if (!has_error_cue(*window->speed_box())) {
      ASSERT_EQ(speed_interval(window->speed_box()->text().toStdString()).value_or(-1), window->timer().interval());
    }
  }

  void check_responsive() {
    const int before = probe.received;
    QCoreApplication::postEvent(&probe, new QEvent(Probe::type()));
    QCoreApplication::processEvents();
    process_deferred_deletes();
    ASSERT_EQ(probe.received, before + 1) << "a posted event did not arrive";
  }

  void check_all() {
    ASSERT_NO_FATAL_FAILURE(check_world());
    ASSERT_NO_FATAL_FAILURE(check_settings());
    ASSERT_NO_FATAL_FAILURE(check_responsive());
    ASSERT_NO_FATAL_FAILURE(check_world());  // real ticks may have come
  }

  std::mt19937 storm;
  TextMaker make;
  Probe probe;
  bool hunt_follows = false;
  int days = 0;
  int real_ticks = 0;
};

TEST_F(StressTest, ARandomStormOfUserActionsLeavesEverythingSound) {
  int events = 0;
  int starts = 0;
  std::array<int, 9> kinds{};
  while (events < kStormEvents) {
    const int roll = make.pick(0, 99);
    SCOPED_TRACE(::testing::Message() << "event " << events << ", roll " << roll);
    if (roll < 36) {
      kinds[0]++;
      for (int i = make.pick(1, kTicksPerBurstMax); i > 0 && events < kStormEvents; --i, ++events) {
        ASSERT_NO_FATAL_FAILURE(tick());
        ASSERT_NO_FATAL_FAILURE(check_all());
      }
      continue;
    }
    if (roll < 60) {
      kinds[1]++;
      const int index = make.pick(0, kBoxCount);
      ASSERT_NO_FATAL_FAILURE(write_text(index, make.text_for(range_of(index))));
    } else if (roll < 74) {
      kinds[2]++;
      ASSERT_NO_FATAL_FAILURE(push_bar(make.pick(0, kBoxCount)));
    } else if (roll < 83) {
      kinds[3]++;
      ++starts;
      ASSERT_NO_FATAL_FAILURE(start_press());
    } else if (roll < 86) {
      kinds[4]++;
      ++starts;
      ASSERT_NO_FATAL_FAILURE(long_run_preset());
    } else if (roll < 89) {
      kinds[5]++;
      QTest::mouseClick(window->Command2(), Qt::LeftButton);
      ASSERT_FALSE(window->timer().enabled());
    } else if (roll < 94) {
      kinds[6]++;
      const bool was_visible = window->about_window() && window->about_window()->isVisible();
      window->Command1()->click();
      ASSERT_EQ(window->about_window() && window->about_window()->isVisible(), !was_visible);
    } else if (roll < 97) {
      kinds[7]++;
      if (AboutWindow* about = window->about_window()) {
        switch (make.pick(0, 3)) {
          case 0: about->Label3_Click(); break;
          case 1: about->Label4_Click(); break;
          case 2: about->Label6_Click(); break;
          default: about->Command1_Click(); break;  // OK: the window unloads itself
        }
      }
    } else {
      kinds[8]++;
      // The speed to nothing (no days) and later back to a number.
      const QString stop_texts[] = {QStringLiteral("0"), QString(), QStringLiteral("x"), QStringLiteral("0.009")};
      window->speed_box()->setText(stop_texts[make.pick(0, 3)]);
      ASSERT_FALSE(window->timer().running());
      ASSERT_EQ(window->timer().interval(), 0);
    }
    ++events;
    ASSERT_NO_FATAL_FAILURE(check_all());
  }
  // The storm did what it is for: many days, starts of both kinds, every action.
  EXPECT_GT(days, kStormEvents / 10);
  EXPECT_GT(starts, 100);
  for (int k : kinds) EXPECT_GT(k, 20);
  std::printf("storm: %d events, %d days ticked, %d by the timer itself, %d starts, %d beeps\n", events, days,
              real_ticks, starts, services.beeps);
}

TEST_F(StressTest, ARunAtTheDayLimitStopsWithOneBeep) {
  // A slow speed keeps the timer from firing by itself; days come from tick().
  window->speed_box()->setText(QStringLiteral("1310"));
  ASSERT_NO_FATAL_FAILURE(long_run_preset());
  for (int i = 0; i < 20; ++i) ASSERT_NO_FATAL_FAILURE(tick());
  ASSERT_TRUE(window->timer().enabled()) << "the long-lived run died out early";
  const int beeps = services.beeps;

  w().day = kDayLimit - 7;
  int ticks = 0;
  while (window->timer().enabled() && ticks < 100) {
    const Counts alive = field_counts(w().ani_map);
    ASSERT_GT(alive.z, 0);
    ASSERT_GT(alive.l, 0);
    const bool last = w().day == kDayLimit;
    const QImage field = window->field()->image().copy();
    const QString shown = window->daycap()->text();
    ASSERT_NO_FATAL_FAILURE(tick());
    ++ticks;
    if (last) {
      // The day that cannot be counted draws nothing and writes nothing.
      ASSERT_EQ(window->field()->image(), field);
      ASSERT_EQ(window->daycap()->text(), shown);
    }
    ASSERT_NO_FATAL_FAILURE(check_all());
  }
  EXPECT_EQ(ticks, 8);  // seven days up to 32767, then the stop
  EXPECT_EQ(w().day, kDayLimit);
  EXPECT_EQ(window->daycap()->text(), QStringLiteral("32767"));
  EXPECT_FALSE(window->timer().enabled());
  EXPECT_EQ(services.beeps, beeps + 1);
  // Stopped for good: a press of the stop button or more time changes nothing.
  window->Command2_Click();
  QCoreApplication::processEvents();
  EXPECT_EQ(services.beeps, beeps + 1);
  EXPECT_EQ(w().day, kDayLimit);
}

}  // namespace
}  // namespace noboria
