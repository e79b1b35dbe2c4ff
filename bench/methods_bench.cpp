// Speed of the classical leakage methods. Tooth by tooth for 16 teeth must take under 50
// microseconds a case, so that a sweep of ten thousand cases with all methods stays under a
// second.
// Run: cmake --preset bench && cmake --build --preset bench && build/bench/bench/methods_bench
#include <benchmark/benchmark.h>

#include <vector>

#include "methods/leakage_methods.h"
#include "support/worked_seal.h"

namespace torvane {
namespace {

SealCase Sixteen(SealKind kind) { return testing::WorkedExampleSeal(kind); }

void BM_ToothByTooth_16Teeth(benchmark::State& state) {
  const SealCase s = Sixteen(SealKind::kInterlocking);
  for (auto _ : state) benchmark::DoNotOptimize(ToothByTooth(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToothByTooth_16Teeth)->Unit(benchmark::kMicrosecond);

void BM_ToothByTooth_16Teeth_SeeThrough(benchmark::State& state) {
  const SealCase s = Sixteen(SealKind::kSeeThrough);
  for (auto _ : state) benchmark::DoNotOptimize(ToothByTooth(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToothByTooth_16Teeth_SeeThrough)->Unit(benchmark::kMicrosecond);

void BM_ToothByTooth_16Teeth_Choked(benchmark::State& state) {
  SealCase s = Sixteen(SealKind::kSeeThrough);
  s.pressure_down = 20000;
  for (auto _ : state) benchmark::DoNotOptimize(ToothByTooth(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToothByTooth_16Teeth_Choked)->Unit(benchmark::kMicrosecond);

void BM_MartinVermes(benchmark::State& state) {
  const SealCase s = Sixteen(SealKind::kSeeThrough);
  for (auto _ : state) benchmark::DoNotOptimize(MartinVermes(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MartinVermes)->Unit(benchmark::kMicrosecond);

// Ten thousand cases, all three methods each: downstream pressures from 5 % to 100 % of the
// upstream one, 4 to 40 teeth, both seal kinds.
void BM_AllMethods_Sweep10000(benchmark::State& state) {
  std::vector<SealCase> cases;
  for (int k = 0; k < 10000; ++k) {
    SealCase s = Sixteen(k % 2 ? SealKind::kSeeThrough : SealKind::kInterlocking);
    s.teeth = 4 + (k / 2) % 37;
    s.pressure_down = s.pressure_up * (0.05 + 0.95 * (k % 101) / 100.0);
    cases.push_back(s);
  }
  for (auto _ : state) {
    double sum = 0;
    for (const SealCase& s : cases) {
      sum += Martin(s).mass_flow + MartinVermes(s).mass_flow + ToothByTooth(s).mass_flow;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_AllMethods_Sweep10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace torvane

BENCHMARK_MAIN();
