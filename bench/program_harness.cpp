// Timing harness for the whole-program benchmark: the real main window, built
// as the game builds it, on a fixed random sequence and with a long-lived run.
//
//   noboria-bench-harness ticks N      the day timer at speed 1 (50 ms): the time of
//                                      each of N ticks and the CPU they cost
//   noboria-bench-harness days SECONDS days back to back, each followed by
//                                      the window's repaint
//
// Prints "name value" lines. Watching the timer's own signal adds nothing to
// the game's work: the harness only reads a clock when a tick has run.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include <sys/resource.h>

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

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const double rank = p / 100 * static_cast<double>(values.size() - 1);
  const auto low = static_cast<std::size_t>(std::floor(rank));
  const std::size_t high = std::min(low + 1, values.size() - 1);
  return values[low] + (values[high] - values[low]) * (rank - static_cast<double>(low));
}

int measure_ticks(MainWindow& window, int count) {
  constexpr int kWarmUp = 10;  // the first ticks also pay for first paints and caches
  std::vector<qint64> at;
  at.reserve(static_cast<std::size_t>(count + kWarmUp + 1));
  double cpu_start = 0;
  double cpu_end = 0;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(&window.day_timer(), &noboria::DayTimer::tick, &window, [&] {
    at.push_back(clock.nsecsElapsed());
    if (at.size() == kWarmUp + 1) cpu_start = cpu_seconds();
    if (at.size() == static_cast<std::size_t>(count + kWarmUp + 1)) {
      cpu_end = cpu_seconds();
      QApplication::quit();
    }
  });
  start_long_run(window);
  window.speed_box()->setText(QStringLiteral("1"));
  if (window.form().interval() != 50) {
    std::fprintf(stderr, "error: speed 1 gave %d ms\n", window.form().interval());
    return 1;
  }
  // A run that died out would stop the ticks: give up rather than wait forever.
  QTimer::singleShot((count + kWarmUp) * 50 * 3 + 5000, [] { QApplication::exit(1); });
  if (QApplication::exec() != 0) {
    std::fprintf(stderr, "error: only %zu ticks came (run alive: %d)\n", at.size(), run_alive(window));
    return 1;
  }
  std::vector<double> intervals;
  std::vector<double> deviations;
  for (std::size_t i = kWarmUp + 1; i < at.size(); ++i) {
    const double ms = static_cast<double>(at[i] - at[i - 1]) / 1e6;
    intervals.push_back(ms);
    deviations.push_back(std::fabs(ms - 50));
  }
  double sum = 0;
  for (double ms : intervals) sum += ms;
  const double mean = sum / static_cast<double>(intervals.size());
  const double cpu_per_tick = (cpu_end - cpu_start) / static_cast<double>(intervals.size());
  std::printf("ticks %zu\n", intervals.size());
  std::printf("tick_mean_ms %.3f\n", mean);
  std::printf("tick_min_ms %.3f\n", *std::min_element(intervals.begin(), intervals.end()));
  std::printf("tick_max_ms %.3f\n", *std::max_element(intervals.begin(), intervals.end()));
  std::printf("tick_p50_dev_ms %.3f\n", percentile(deviations, 50));
  std::printf("tick_p99_dev_ms %.3f\n", percentile(deviations, 99));
  std::printf("tick_cpu_us %.1f\n", cpu_per_tick * 1e6);
  std::printf("tick_cpu_pct %.3f\n", cpu_per_tick / 0.050 * 100);
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
  const double cpu_start = cpu_seconds();
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
  std::printf("day_cpu_us %.1f\n", (cpu_seconds() - cpu_start) / static_cast<double>(days) * 1e6);
  std::printf("restarts %d\n", restarts);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  noboria::install_fonts();
  if (argc != 3 || (std::strcmp(argv[1], "ticks") != 0 && std::strcmp(argv[1], "days") != 0)) {
    std::fprintf(stderr, "usage: %s ticks N | days SECONDS\n", argv[0]);
    return 2;
  }
  noboria::MersenneRandom random(20070201);
  noboria::DesktopServices services;  // as the game has them
  MainWindow window(random, services);
  window.load();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fprintf(stderr, "error: the window was never shown\n");
    return 1;
  }
  return std::strcmp(argv[1], "ticks") == 0 ? measure_ticks(window, std::atoi(argv[2]))
                                            : measure_days(window, std::atof(argv[2]));
}
