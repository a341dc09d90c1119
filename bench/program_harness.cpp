// Timing harness for the whole-program benchmark: the real main window, built
// as the game builds it, on a fixed random sequence and with a long-lived run.
//
//   noboria-bench-harness ticks N      the day timer at speed 1 (50 ms): the time of
//                                      each of N ticks and the CPU they cost
//   noboria-bench-harness days SECONDS days back to back, each followed by
//                                      the window's repaint
//   noboria-bench-harness pace SPEED SECONDS
//                                      the days the day timer gives in
//                                      SECONDS at SPEED (typed into its box),
//                                      as the pupil sees them
//
// Prints "name value" lines. The ticks are timed as the floor's are
// (tick_meter.h), after the game's own handler of each.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/tick_meter.h"
#include "sim/random_source.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"

namespace {

using noboria::MainWindow;

// Plants regrow fast and a few long-lived carnivores hunt rarely: such a run
// lasts thousands of days.
void start_long_run(MainWindow& window) {
  const std::array<const char*, noboria::kParameterCount> texts = {"8", "50", "10", "5", "10", "20", "10", "3", "3"};
  for (int i = 0; i < noboria::kParameterCount; ++i) {
    window.text_box(i)->setText(QString::fromLatin1(texts[i]));
  }
  window.start_button()->click();
}

bool run_alive(const MainWindow& window) { return window.sim().w.z_num > 0 && window.sim().w.l_num > 0; }

int measure_ticks(MainWindow& window, int count) {
  noboria::bench::TickMeter meter(count);
  QObject::connect(&window.day_timer(), &noboria::DayTimer::tick, &window, [&meter] { meter.tick(); });
  start_long_run(window);
  window.speed_box()->setText(QStringLiteral("1"));
  if (window.form().interval() != 50) {
    std::fprintf(stderr, "error: speed 1 gave %d ms\n", window.form().interval());
    return 1;
  }
  // A run that died out would stop the ticks: give up rather than wait forever.
  if (!meter.run()) {
    std::fprintf(stderr, "error: only %zu ticks came (run alive: %d)\n", meter.ticks_seen(), run_alive(window));
    return 1;
  }
  meter.report();
  std::printf("run_alive %d\n", run_alive(window) ? 1 : 0);
  return 0;
}

int measure_days(MainWindow& window, double seconds) {
  // The days come from this loop: the day timer, at the slowest speed, ticks
  // only once a minute.
  window.speed_box()->setText(QStringLiteral("1310.7"));
  start_long_run(window);
  QApplication::processEvents();
  long days = 0;
  int restarts = 0;
  QElapsedTimer clock;
  const double cpu_start = noboria::bench::cpu_seconds();
  clock.start();
  while (clock.nsecsElapsed() < static_cast<qint64>(seconds * 1e9)) {
    window.tick();
    QApplication::processEvents();  // the repaint of the field, graph and labels
    ++days;
    if (!run_alive(window) || window.sim().w.day > 30000) {
      start_long_run(window);
      ++restarts;
    }
  }
  const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  std::printf("days %ld\n", days);
  std::printf("days_per_s %.0f\n", static_cast<double>(days) / elapsed);
  std::printf("day_cpu_us %.1f\n", (noboria::bench::cpu_seconds() - cpu_start) / static_cast<double>(days) * 1e6);
  std::printf("restarts %d\n", restarts);
  return 0;
}

// The event loop as the game runs it, for ms (QTest::qWait sleeps between its rounds).
void run_events(int ms) {
  QTimer::singleShot(ms, [] { QApplication::quit(); });
  QApplication::exec();
}

// The days the window's own timer runs at a speed, with the event loop as
// the game has it (repaints and all): the yardstick of the page's pace.
int measure_pace(MainWindow& window, const char* speed, double seconds) {
  long days = 0;
  int restarts = 0;
  // After the game's own handler: a run that died out starts again, as a pupil would.
  QObject::connect(&window.day_timer(), &noboria::DayTimer::tick, &window, [&] {
    ++days;
    if (run_alive(window)) return;
    ++restarts;
    QTimer::singleShot(0, &window, [&window] { start_long_run(window); });
  });
  start_long_run(window);
  window.speed_box()->setText(QString::fromLatin1(speed));
  run_events(200);  // the first days also pay for first paints and caches
  const long before = days;
  QElapsedTimer clock;
  clock.start();
  const double cpu_start = noboria::bench::cpu_seconds();
  run_events(static_cast<int>(seconds * 1000));
  const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e9;
  const long counted = days - before;
  std::printf("interval_ms %d\n", window.day_timer().engine().interval());
  std::printf("days_per_s %.1f\n", static_cast<double>(counted) / elapsed);
  std::printf("day_cpu_us %.1f\n", (noboria::bench::cpu_seconds() - cpu_start) / static_cast<double>(counted) * 1e6);
  std::printf("restarts %d\n", restarts);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  noboria::install_fonts();
  const bool pace = argc == 4 && std::strcmp(argv[1], "pace") == 0;
  if (!pace && (argc != 3 || (std::strcmp(argv[1], "ticks") != 0 && std::strcmp(argv[1], "days") != 0))) {
    std::fprintf(stderr, "usage: %s ticks N | days SECONDS | pace SPEED SECONDS\n", argv[0]);
    return 2;
  }
  noboria::MersenneRandom random(1);
  noboria::DesktopServices services;  // as the game has them
  MainWindow window(random, services);
  window.load();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "error: the window was never shown\n");
    return 1;
  }
  if (pace) return measure_pace(window, argv[2], std::atof(argv[3]));
  return std::strcmp(argv[1], "ticks") == 0 ? measure_ticks(window, std::atoi(argv[2]))
                                            : measure_days(window, std::atof(argv[2]));
}
