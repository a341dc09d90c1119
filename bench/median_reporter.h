#pragma once
// Runs the registered benchmarks with repetitions and keeps the median real
// time of each, so a program can print its summary lines at the end.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <map>
#include <string>
#include <vector>

namespace noboria::bench {

// NOBORIA_BENCH_QUICK=1: one short pass of each benchmark, to show that it
// still runs (make test does this); its figures mean nothing then.
inline bool quick() { return std::getenv("NOBORIA_BENCH_QUICK") != nullptr; }
inline int repetitions() { return quick() ? 2 : 15; }
inline double min_time() { return quick() ? 0.001 : 0.5; }

class MedianReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        // Name without the "_median" suffix, time in nanoseconds.
        medians_ns[run.run_name.function_name] = run.GetAdjustedRealTime() *
                                                 unit_ns(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  std::map<std::string, double> medians_ns;

 private:
  static double unit_ns(benchmark::TimeUnit u) {
    switch (u) {
      case benchmark::kSecond: return 1e9;
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      case benchmark::kNanosecond: return 1;
    }
    return 1;
  }
};

// Runs every benchmark (repetitions set on each) and returns the medians.
inline std::map<std::string, double> run_for_medians(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return reporter.medians_ns;
}

}  // namespace noboria::bench
