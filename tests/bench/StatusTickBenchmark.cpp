// One tick of the status cycle's portable work: the three status texts, the bar position
// and the rule decision. Run by tools/bench.sh in a Release build without sanitizers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>

#include "AllocationCounter.h"
#include "app/CleanRules.h"
#include "app/StatusDisplay.h"

namespace {

constexpr std::uint64_t MiB = 1024 * 1024;

void StatusTick(benchmark::State& state) {
  // A 16 GB machine at about half use, every rule on and none holding, so all are read.
  MemoryStatus status;
  status.TotalPhys = 16301 * MiB;
  status.AvailPhys = 8330 * MiB;
  status.PercentPhys = 48.9f;
  status.TotalPageFile = 18733 * MiB;
  status.AvailPageFile = 7210 * MiB;
  status.PercentPageFile = 61.51f;
  status.TotalCache = 2048 * MiB;
  status.AvailCache = 1301 * MiB;
  status.PercentCache = 36.47f;
  const TRuleControls rules{{true, u"90"}, {true, u"90"}, {true, u"90"}, {true, u"30"}};
  const TNumberFormat numbers;
  const std::u16string fmtPhysStatus = u"%.0n MB / %.0n MB (%n%% 사용중)";
  const TRuleClock::time_point nextTime = TRuleClock::time_point{} + std::chrono::seconds(1'700'000'000);
  const TRuleClock::time_point now = nextTime + std::chrono::seconds(412);

  std::uint64_t tickAllocations = 0;
  for (auto _ : state) {
    const std::uint64_t before = AllocationCount();
    TStatusDisplay display = ComposeStatusDisplay(status, fmtPhysStatus, numbers);
    bool fire = RulesAskForClean(status, rules, now, nextTime, false);
    tickAllocations += AllocationCount() - before;
    benchmark::DoNotOptimize(display);
    benchmark::DoNotOptimize(fire);
  }
  state.counters["allocs_per_tick"] =
      benchmark::Counter(static_cast<double>(tickAllocations), benchmark::Counter::kAvgIterations);
}
BENCHMARK(StatusTick)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
