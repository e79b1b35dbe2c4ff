// Speed of the caloric properties and of tooth by tooth for the real gas. The properties of a
// 10-component gas must take under 2 microseconds a state, and the real-gas tooth by tooth of
// a 16-tooth seal under 1 ms a case, so that studies and sweeps stay fast.
// Run: cmake --preset bench && cmake --build --preset bench --target thermo_bench &&
//      taskset -c 1 build/bench/bench/thermo_bench
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/component_library.h"
#include "methods/real_gas_tooth_by_tooth.h"
#include "support/worked_seal.h"
#include "thermo/gas_properties.h"

namespace torvane {
namespace {

GasMixture GasOf(const std::vector<std::pair<const char*, double>>& parts) {
  std::vector<GasComponentSlot> slots;
  for (const auto& [code, x] : parts) slots.push_back({FindComponent(code).value(), x});
  return CharacteriseGas(slots);
}

// A rich natural gas of ten components.
GasMixture NaturalGas10() {
  return GasOf({{"CH4", 0.83},
                {"C2H6", 0.07},
                {"C3H8", 0.04},
                {"IBUT", 0.01},
                {"BUTA", 0.015},
                {"IPEN", 0.005},
                {"PENT", 0.005},
                {"HEXA", 0.002},
                {"N2", 0.013},
                {"CO2", 0.01}});
}

GasMixture PipelineGas() {
  return GasOf({{"CH4", 0.9}, {"C2H6", 0.05}, {"C3H8", 0.02}, {"N2", 0.02}, {"CO2", 0.01}});
}

// One state after another over 20 to 120 bar and 280 to 360 K.
void BM_Props_NaturalGas10(benchmark::State& state) {
  const CaloricGas gas(NaturalGas10());
  int k = 0;
  for (auto _ : state) {
    const double psia = 290 + 14.5 * (k % 101);
    const double rankine = 504 + 1.44 * (k % 97);
    benchmark::DoNotOptimize(PropertiesAt(gas, psia, rankine).speed_of_sound);
    ++k;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Props_NaturalGas10)->Unit(benchmark::kMicrosecond);

// The same with the ideal-gas part mixed from the component rows for every state, as
// `torvane-cli props` does once per run.
void BM_Props_NaturalGas10_WithMixing(benchmark::State& state) {
  const GasMixture mix = NaturalGas10();
  int k = 0;
  for (auto _ : state) {
    const double psia = 290 + 14.5 * (k % 101);
    const double rankine = 504 + 1.44 * (k % 97);
    benchmark::DoNotOptimize(PropertiesAt(CaloricGas(mix), psia, rankine).speed_of_sound);
    ++k;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Props_NaturalGas10_WithMixing)->Unit(benchmark::kMicrosecond);

// The worked example of the methods: air, 16 teeth, 3.08 -> 0.943 bar.
void BM_RealGasToothByTooth_16Teeth_Air(benchmark::State& state) {
  const CaloricGas air(GasOf({{"AIR", 1}}));
  const SealCase s = testing::WorkedExampleSeal();
  for (auto _ : state) benchmark::DoNotOptimize(RealGasToothByTooth(s, air).method.mass_flow);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RealGasToothByTooth_16Teeth_Air)->Unit(benchmark::kMicrosecond);

// Natural gas at 100 bar and 310 K through 16 see-through teeth to p2 (Pa).
void RealGasNaturalGas(benchmark::State& state, double p2) {
  const CaloricGas gas(PipelineGas());
  SealCase s = testing::WorkedExampleSeal(SealKind::kSeeThrough);
  s.pressure_up = 100e5;
  s.pressure_down = p2;
  s.temperature_up = 310;
  for (auto _ : state) benchmark::DoNotOptimize(RealGasToothByTooth(s, gas).method.mass_flow);
  state.SetItemsProcessed(state.iterations());
}

void BM_RealGasToothByTooth_16Teeth_NaturalGas(benchmark::State& state) {
  RealGasNaturalGas(state, 40e5);
}
BENCHMARK(BM_RealGasToothByTooth_16Teeth_NaturalGas)->Unit(benchmark::kMicrosecond);

// Choked: to 5 bar.
void BM_RealGasToothByTooth_16Teeth_Choked(benchmark::State& state) {
  RealGasNaturalGas(state, 5e5);
}
BENCHMARK(BM_RealGasToothByTooth_16Teeth_Choked)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace torvane

BENCHMARK_MAIN();
