// What a beep costs the thread that asks for it: the GUI thread, inside the
// tick that ends a run. It only queues a request for the sound worker. The
// worker here is given a sound driver that does not exist, so it plays
// nothing and its fallback does nothing, however many beeps are asked for.
#include <cstdio>
#include <cstdlib>

#include "bench/median_reporter.h"
#include "ui/event_sound.h"

namespace {

void BM_beep_call(benchmark::State& state) {
  noboria::EventSound sound([] {});
  for (auto _ : state) sound.play();
}

BENCHMARK(BM_beep_call)
    ->Repetitions(noboria::bench::repetitions())
    ->MinTime(noboria::bench::min_time())
    ->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  setenv("CANBERRA_DRIVER", "none-such", 1);
  auto medians = noboria::bench::run_for_medians(argc, argv);
  std::printf("== summary ==\n");
  std::printf("beep_call %.0f ns\n", medians["BM_beep_call"]);
  return 0;
}
