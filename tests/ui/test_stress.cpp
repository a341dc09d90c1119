// A seeded storm of user actions on the real main window: good and bad texts
// in any box, step controls pushed past their ends, start, stop, 解説 and days
// in any order, with the window's promises checked after every action.
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <random>

#include "sim/parameters.h"
#include "ui/error_cue.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

// In range, out of range, refused, full width, and for the speed.
const QStringList kTexts = {"",   "0",   "1",   "3",     "8",     "20",    "50",     "150",    "-3",   "2.5",
                            "1e3", "abc", "NaN", "12abc", "99999", "30000", "-32000", "５",     "０．５",
                            "\u3000７\u3000", "0.02", "1310.7", "1310.8"};

// The day timer runs only while on at an interval above 0, and a box is red exactly
// when its text is refused (le_text and lm_text are judged against each
// other's stored value, so a later change may right them unseen); a refused
// speed leaves the interval as it was before the action.
void check_promises(MainWindow& window, int interval_before) {
  const Form& form = window.form();
  ASSERT_EQ(window.day_timer().running(), form.timer_on() && form.interval() > 0);
  if (form.ticking()) {
    ASSERT_EQ(window.day_timer().engine().interval(), form.interval());
  }
  for (Box b : kAllBoxes) {
    if (b == Box::le_text || b == Box::lm_text) continue;
    QLineEdit& box = *window.text_box(static_cast<int>(b));
    ASSERT_EQ(has_error_cue(box), !box_text_valid(b, box.text().toStdString(), window.sim().w)) << box_name(b);
  }
  const std::optional<int> interval = speed_interval(window.speed_box()->text().toStdString());
  ASSERT_EQ(has_error_cue(*window.speed_box()), !interval);
  ASSERT_EQ(form.interval(), interval.value_or(interval_before));
}

using StressTest = MainWindowTest;

TEST_F(StressTest, ASeededStormOfUserActionsKeepsTheWindowsPromises) {
  std::mt19937 g(2);
  const auto pick = [&g](qsizetype n) { return std::uniform_int_distribution<int>(0, int(n) - 1)(g); };
  int days = 0;
  for (int event = 0; event < 10000; ++event) {
    SCOPED_TRACE(event);
    const int row = pick(kBoxCount + 1);  // the nine rows, then the speed
    QLineEdit* edit = window->text_box(row);
    const int day = w().day;
    const int beeps = services.beeps;
    const int interval = window->form().interval();
    switch (pick(8)) {
      case 0: edit->setText(kTexts[pick(kTexts.size())]); break;
      case 1:  // a step or page either way, or to an end
        window->step_control(row)->triggerAction(QAbstractSlider::SliderAction(1 + pick(6)));
        break;
      case 2:
        start_long_run();
        ASSERT_TRUE(window->form().timer_on() && w().day == 0);
        break;
      case 3:
        window->stop_button()->click();
        ASSERT_FALSE(window->form().timer_on());
        break;
      case 4: window->about_button()->click(); break;
      default:
        if (!window->day_timer().running()) break;
        window->tick();
        ++days;
        ASSERT_EQ(w().day, day % 100 == 0 ? day + 2 : day + 1);  // day 1 of a sheet is shown as 2
        ASSERT_EQ(window->day()->text(), QString::number(w().day));
        if (window->form().timer_on()) {
          ASSERT_EQ(window->herbivore_count()->text() + ' ' + window->carnivore_count()->text(),
                    QStringLiteral("%1 %2").arg(w().z_num).arg(w().l_num));
        } else {
          ASSERT_EQ(services.beeps, beeps + 1);  // a kind died out
        }
    }
    process_deferred_deletes();
    ASSERT_NO_FATAL_FAILURE(check_promises(*window, interval));
  }
  EXPECT_GT(days, 1000);  // the storm ran days, not only edits
}

}  // namespace
}  // namespace noboria
