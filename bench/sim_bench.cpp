// One simulated day on a busy field (about 120 herbivores and 40 carnivores,
// plants regrowing at 0.5), against a baseline that only takes the same
// number of random draws. The day starts each time from the same snapshot;
// the cost of restoring it is measured apart and taken off.
#include <cstdio>

#include "bench/median_reporter.h"
#include "sim/day_view.h"
#include "sim/simulation.h"

namespace {

using namespace noboria;

class NullView final : public DayView {
 public:
  void field_draw(const World&) override {}
  void gra_new_sheet() override {}
  void gra_plot(const GraphPoint&) override {}
  void show_day(int) override {}
  void show_counts(int, int) override {}
  void timer_off() override {}
  void beep() override {}
};

struct BusyField {
  World snapshot;
  std::uint64_t draws_per_day = 0;

  BusyField() {
    MersenneRandom random(12345);
    Simulation sim(random);
    RunSettings s;
    s.p_rate = 0.5;
    s.z_num = 256;
    s.l_num = 44;
    s.z_birth = 0.1;
    s.l_birth = 0.1f;
    s.z_life = 5;
    s.l_life = 10;
    s.l_full = 2;
    s.l_hunt = 8;
    s.l_catch = 0.5;
    sim.start_run(s);
    NullView view;
    sim.day(view);  // a lived-in field: plants eaten, some animals moved
    snapshot = sim.w;
    const auto before = sim.draws();
    sim.day(view);
    draws_per_day = sim.draws() - before;
  }
};

const BusyField& busy() {
  static const BusyField field;
  return field;
}

void BM_busy_day(benchmark::State& state) {
  MersenneRandom random(99);
  Simulation sim(random);
  NullView view;
  for (auto _ : state) {
    sim.w = busy().snapshot;
    sim.day(view);
    benchmark::DoNotOptimize(sim.w.z_num);
  }
}

void BM_restore_only(benchmark::State& state) {
  MersenneRandom random(99);
  Simulation sim(random);
  for (auto _ : state) {
    sim.w = busy().snapshot;
    benchmark::DoNotOptimize(sim.w);
    benchmark::ClobberMemory();
  }
}

void BM_draws_only(benchmark::State& state) {
  MersenneRandom random(99);
  const std::uint64_t n = busy().draws_per_day;
  for (auto _ : state) {
    for (std::uint64_t i = 0; i < n; ++i) {
      float r = random.next();
      benchmark::DoNotOptimize(r);
    }
  }
}

BENCHMARK(BM_busy_day)
    ->Repetitions(noboria::bench::repetitions())
    ->MinTime(noboria::bench::min_time())
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_restore_only)
    ->Repetitions(noboria::bench::repetitions())
    ->MinTime(noboria::bench::min_time())
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_draws_only)
    ->Repetitions(noboria::bench::repetitions())
    ->MinTime(noboria::bench::min_time())
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  const World& w = busy().snapshot;
  int z = 0, l = 0;
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) {
      z += w.ani_map[x][y] == kHerbivore;
      l += w.ani_map[x][y] == kCarnivore;
    }
  std::printf("busy field: %d herbivores, %d carnivores, %llu draws a day\n", z, l,
              static_cast<unsigned long long>(busy().draws_per_day));
  auto medians = noboria::bench::run_for_medians(argc, argv);
  const double day = medians["BM_busy_day"] - medians["BM_restore_only"];
  const double draws = medians["BM_draws_only"];
  std::printf("== summary ==\n");
  std::printf("busy_day %.0f ns\n", day);
  std::printf("draws_only %.0f ns\n", draws);
  std::printf("busy_day_ratio %.2f x\n", draws > 0 ? day / draws : 0.0);
  return 0;
}
