#pragma once
// Times the ticks of a 50 ms timer for the whole-program benchmark, the same
// way in the game's harness and in the floor: call tick() at the end of each
// tick's work; after kWarmUp ticks, the next `count` are measured (their
// intervals and the process's CPU time) and the event loop is left.
// Reading a clock once a tick adds nothing worth counting to either.

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace noboria::bench {

inline double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const double rank = p / 100 * static_cast<double>(values.size() - 1);
  const auto low = static_cast<std::size_t>(std::floor(rank));
  const std::size_t high = std::min(low + 1, values.size() - 1);
  return values[low] + (values[high] - values[low]) * (rank - static_cast<double>(low));
}

class TickMeter {
 public:
  static constexpr int kWarmUp = 10;  // the first ticks also pay for first paints and caches

  explicit TickMeter(int count) : count_(count) {
    at_.reserve(static_cast<std::size_t>(count + kWarmUp + 1));
    clock_.start();
  }

  void tick() {
    at_.push_back(clock_.nsecsElapsed());
    if (at_.size() == kWarmUp + 1) cpu_start_ = cpu_seconds();
    if (at_.size() == static_cast<std::size_t>(count_ + kWarmUp + 1)) {
      cpu_end_ = cpu_seconds();
      QApplication::quit();
    }
  }

  // Runs the event loop until the ticks are measured; false if they stopped
  // coming (three times their due time, and five seconds more).
  bool run() {
    QTimer::singleShot((count_ + kWarmUp) * 50 * 3 + 5000, [] { QApplication::exit(1); });
    return QApplication::exec() == 0;
  }

  std::size_t ticks_seen() const { return at_.size(); }

  // Prints "name value" lines: the intervals' mean, extremes and deviations
  // from 50 ms, and the CPU time per tick.
  void report() const {
    std::vector<double> intervals;
    std::vector<double> deviations;
    for (std::size_t i = kWarmUp + 1; i < at_.size(); ++i) {
      const double ms = static_cast<double>(at_[i] - at_[i - 1]) / 1e6;
      intervals.push_back(ms);
      deviations.push_back(std::fabs(ms - 50));
    }
    double sum = 0;
    for (double ms : intervals) sum += ms;
    const double mean = sum / static_cast<double>(intervals.size());
    const double cpu_per_tick = (cpu_end_ - cpu_start_) / static_cast<double>(intervals.size());
    std::printf("ticks %zu\n", intervals.size());
    std::printf("tick_mean_ms %.3f\n", mean);
    std::printf("tick_min_ms %.3f\n", *std::min_element(intervals.begin(), intervals.end()));
    std::printf("tick_max_ms %.3f\n", *std::max_element(intervals.begin(), intervals.end()));
    std::printf("tick_p50_dev_ms %.3f\n", percentile(deviations, 50));
    std::printf("tick_p99_dev_ms %.3f\n", percentile(deviations, 99));
    std::printf("tick_cpu_us %.1f\n", cpu_per_tick * 1e6);
    std::printf("tick_cpu_pct %.3f\n", cpu_per_tick / 0.050 * 100);
  }

 private:
  int count_;
  std::vector<qint64> at_;
  double cpu_start_ = 0;
  double cpu_end_ = 0;
  QElapsedTimer clock_;
};

}  // namespace noboria::bench
