// Painting one day as the day cycle does it: the field after plant growth,
// the graph's point, the field again, then the field put on a screen of 1 or
// 2 device pixels per pixel.
// Ends with "== summary ==" and the median time of a day at each density.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QByteArray>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "sim/day_view.h"
#include "sim/world.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace {

using noboria::World;

// A busy field that changes between the two paints, as a day's would.
World field(std::uint32_t seed) {
  World w;
  std::uint32_t s = seed;
  for (int x = 1; x <= noboria::kFieldSize; ++x) {
    for (int y = 1; y <= noboria::kFieldSize; ++y) {
      s = s * 1664525u + 1013904223u;
      w.p_map[x][y] = static_cast<std::int16_t>((s >> 16) % 3);
      w.ani_map[x][y] = static_cast<std::int16_t>((s >> 8) % 3);
    }
  }
  return w;
}

void paint_day(benchmark::State& state, int step) {
  noboria::FieldView field_view;
  // The screen at `step` device pixels a pixel, as a window's backing store.
  QImage screen(noboria::FieldView::window_rect().size() * step, QImage::Format_RGB32);
  screen.setDevicePixelRatio(step);
  noboria::GraphView gra;
  gra.new_sheet();
  const World before = field(1);
  const World after = field(2);
  int day = 0;
  for (auto _ : state) {
    field_view.field_draw(before);
    noboria::GraphPoint point;
    point.gra_x = static_cast<std::int16_t>(2 * (day % 99 + 1));
    point.z_num = point.z_prev = 40 + day % 60;
    point.l_num = point.l_prev = 20 + day % 30;
    gra.plot(point);
    field_view.field_draw(after);
    field_view.render(&screen);
    benchmark::DoNotOptimize(screen.constBits());
    benchmark::ClobberMemory();
    ++day;
  }
}

// Prints as usual and keeps each benchmark's median for the summary.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  // Colour codes only on a terminal, so the summary lines stay clean in a log.
  MedianReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    for (const Run& run : reports) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(reports);
  }
  std::map<std::string, double> medians;  // microseconds
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  for (int step : {1, 2}) {
    const std::string name = "paint_day_" + std::to_string(step) + "x";
    benchmark::RegisterBenchmark(name.c_str(), paint_day, step)
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(0.05)
        ->Repetitions(15)
        ->ReportAggregatesOnly(true);
  }
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf("== summary ==\n");
  for (const auto& [name, median] : reporter.medians) std::printf("%s %.1f us\n", name.c_str(), median);
  return 0;
}
