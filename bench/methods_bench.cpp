// Speed of the classical leakage methods. Tooth by tooth for 16 teeth must take under 50
// microseconds a case, so that a sweep of ten thousand cases with all methods stays under a
// second.
// Tooth by tooth is timed beside its floor (the same arithmetic as plain inline loops, see
// tooth_by_tooth_floor.h), so that their ratio is measured in one run.
// Run: cmake --preset bench && cmake --build --preset bench &&
// taskset -c 1 build/bench/bench/methods_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <iostream>
#include <vector>

#include "methods/leakage_methods.h"
#include "support/worked_seal.h"
#include "tooth_by_tooth_floor.h"

namespace torvane {
namespace {

SealCase Sixteen(SealKind kind) { return testing::WorkedExampleSeal(kind); }

void BM_ToothByTooth_16Teeth(benchmark::State& state) {
  const SealCase s = Sixteen(SealKind::kInterlocking);
  for (auto _ : state) benchmark::DoNotOptimize(ToothByTooth(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToothByTooth_16Teeth)->Unit(benchmark::kMicrosecond);

// The floor must answer as the program does: on a grid of seals of both kinds, 1 to 40 teeth,
// several gammas and downstream pressures (choked, not choked, none, at rest) and failures, every
// number of the answer has the same bits. Checked once a run; a difference ends it.
void CheckToothByToothFloorOnce() {
  static const bool checked = [] {
    int compared = 0;
    for (const SealKind kind : {SealKind::kInterlocking, SealKind::kSeeThrough}) {
      for (const double teeth : {1.0, 2.0, 3.0, 5.0, 8.0, 16.0, 17.0, 40.0, 2.5}) {
        for (const double gamma : {1.05, 1.3, 1.41, 1.67, 1.0}) {
          for (const double down :
               {0.0, 1000.0, 94300.0, 200000.0, 290000.0, 307999.0, 308000.0, 400000.0}) {
            for (const double thickness : {0.0001524, 0.0025}) {
              SealCase s = Sixteen(kind);
              s.teeth = teeth;
              s.gamma = gamma;
              s.pressure_down = down;
              s.tooth_thickness = thickness;
              const MethodResult program = ToothByTooth(s);
              const bench::ToothByToothFloorAnswer floor = bench::ToothByToothFloor::Calculate(s);
              bool same = program.ok() == floor.ok;
              if (same && floor.ok) {
                same = program.mass_flow == floor.mass_flow && program.flux == floor.flux &&
                       program.critical_ratio == floor.critical_ratio &&
                       program.choked == floor.choked &&
                       program.choked_throttle == floor.choked_throttle &&
                       program.discharge_coefficient == floor.alpha &&
                       program.carry_over == floor.nu &&
                       program.cavity_pressures.size() == static_cast<size_t>(floor.stations) &&
                       program.cavity_temperatures.size() == static_cast<size_t>(floor.stations);
                for (size_t i = 0; same && i < program.cavity_pressures.size(); ++i) {
                  same = program.cavity_pressures[i] == floor.pressures[i] &&
                         program.cavity_temperatures[i] == floor.temperatures[i];
                }
              }
              if (!same) {
                std::cerr << "The floor of tooth by tooth differs from the program for teeth "
                          << teeth << ", gamma " << gamma << ", downstream " << down << "\n";
                std::exit(1);
              }
              ++compared;
            }
          }
        }
      }
    }
    return compared > 0;
  }();
  benchmark::DoNotOptimize(checked);
}

void BM_ToothByTooth_16Teeth_Floor(benchmark::State& state) {
  CheckToothByToothFloorOnce();
  const SealCase s = Sixteen(SealKind::kInterlocking);
  for (auto _ : state) benchmark::DoNotOptimize(bench::ToothByToothFloor::Calculate(s).mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ToothByTooth_16Teeth_Floor)->Unit(benchmark::kMicrosecond);

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
