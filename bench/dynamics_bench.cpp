// Speed of the rotordynamic coefficients. One speed of the worked example's 16-tooth seal with
// the leakage already solved must take under 20 microseconds, and 41 speeds with the leakage
// under 1 millisecond, for the ideal gas and the real gas.
// Run: cmake --preset bench && cmake --build --preset bench --target dynamics_bench &&
//      build/bench/bench/dynamics_bench
#include <benchmark/benchmark.h>

#include "dynamics/seal_dynamics.h"
#include "engine/component_library.h"
#include "support/worked_dynamics.h"

namespace torvane {
namespace {

using testing::kWorkedSpeed;
using testing::WorkedExampleDynamics;

void BM_OneSpeed_16Teeth(benchmark::State& state) {
  const SealDynamics seal(WorkedExampleDynamics());
  for (auto _ : state) benchmark::DoNotOptimize(seal.AtSpeed(kWorkedSpeed).coefficients.kxy);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneSpeed_16Teeth)->Unit(benchmark::kMicrosecond);

void BM_OneSpeed_16Teeth_JennyKanki(benchmark::State& state) {
  DynamicsCase c = WorkedExampleDynamics();
  c.jenny_kanki = true;
  const SealDynamics seal(c);
  for (auto _ : state) benchmark::DoNotOptimize(seal.AtSpeed(kWorkedSpeed).coefficients.kxy);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneSpeed_16Teeth_JennyKanki)->Unit(benchmark::kMicrosecond);

// The leakage, the cavity states and viscosities, then 41 speeds from 0 to 20000 rpm.
void BM_41Speeds_WithLeakage_16Teeth(benchmark::State& state) {
  const DynamicsCase c = WorkedExampleDynamics();
  for (auto _ : state) {
    const SealDynamics seal(c);
    double sum = 0;
    for (int k = 0; k <= 40; ++k) sum += seal.AtSpeed(500.0 * k).coefficients.kxy;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 41);
}
BENCHMARK(BM_41Speeds_WithLeakage_16Teeth)->Unit(benchmark::kMillisecond);

// The same on the real gas: the leakage along air's isentrope, the cavity states of the
// equation of state, then 41 speeds.
void BM_41Speeds_WithLeakage_16Teeth_RealGas(benchmark::State& state) {
  const DynamicsCase c = WorkedExampleDynamics();
  const std::vector<GasComponentSlot> air = {{FindComponent("AIR").value(), 1}};
  const CaloricGas gas(CharacteriseGas(air));
  for (auto _ : state) {
    const SealDynamics seal = RealGasSealDynamics(c, gas);
    double sum = 0;
    for (int k = 0; k <= 40; ++k) sum += seal.AtSpeed(500.0 * k).coefficients.kxy;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 41);
}
BENCHMARK(BM_41Speeds_WithLeakage_16Teeth_RealGas)->Unit(benchmark::kMillisecond);

// A long seal: 200 teeth, one speed.
void BM_OneSpeed_200Teeth(benchmark::State& state) {
  DynamicsCase c = WorkedExampleDynamics();
  c.seal.teeth = 200;
  c.seal.pressure_down = 20000;
  const SealDynamics seal(c);
  for (auto _ : state) benchmark::DoNotOptimize(seal.AtSpeed(kWorkedSpeed).coefficients.kxy);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneSpeed_200Teeth)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvane

BENCHMARK_MAIN();
