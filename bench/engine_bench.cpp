// Throughput of the gas property engine, the leakage calculation and the calculator process.
// Run: cmake --preset bench && cmake --build --preset bench && build/bench/bench/torvane_bench
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/gas_engine.h"
#include "laby/labyrinth_calculation.h"
#include "platform/message_service.h"
#include "support/english_case.h"
#include "support/process_run.h"

namespace torvane {
namespace {

GasMixture NaturalGas() {
  // A 10-component pipeline gas: CH4, C2H6, C3H8, BUTA, IBUT, PENT, HEXA, N2, CO2, H2S.
  const std::vector<GasComponentSlot> slots = {{1, 0.85},   {2, 0.06},  {3, 0.03},  {4, 0.01},
                                               {5, 0.008},  {6, 0.004}, {9, 0.003}, {60, 0.02},
                                               {53, 0.014}, {54, 0.001}};
  return CharacteriseGas(slots);
}

void BM_Compressibility_Methane(benchmark::State& state) {
  const GasMixture methane = CharacteriseGas(std::vector<GasComponentSlot>{{1, 1.0}});
  for (auto _ : state) {
    benchmark::DoNotOptimize(SolveCompressibility(methane, 1000, 560).z);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Compressibility_Methane);

void BM_Compressibility_NaturalGas10(benchmark::State& state) {
  const GasMixture gas = NaturalGas();
  for (auto _ : state) {
    benchmark::DoNotOptimize(SolveCompressibility(gas, 1000, 560).z);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Compressibility_NaturalGas10);

void BM_CharacteriseGas_30Components(benchmark::State& state) {
  std::vector<GasComponentSlot> slots;
  for (int id = 1; id <= 30; ++id) slots.push_back({id, 1.0 / 30});
  for (auto _ : state) {
    benchmark::DoNotOptimize(CharacteriseGas(slots).pseudo_crit_temp);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CharacteriseGas_30Components);

void BM_LabyrinthLeakage_Straight(benchmark::State& state) {
  RecordingMessageService messages;
  GasEngine engine(messages);
  engine.CharacteriseGas(
      0, std::vector<GasComponentSlot>{{1, 0.9}, {2, 0.06}, {3, 0.02}, {60, 0.01}, {53, 0.01}});
  LeakageInput in;
  in.type = LabyrinthType::kStraight;
  in.seal_diameter = 6;
  in.clearance = 0.012;
  in.pressure_up = 500;
  in.pressure_down = 100;
  in.temperature_up = 559.67;
  in.teeth = 8;
  in.flow_coef = 0.67;
  in.clearance_user = 0.012;
  in.spacing_user = 0.125;
  in.suggested_clearance_user = 0.2;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LabyrinthLeakage(in, engine).mass_flow);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LabyrinthLeakage_Straight);

// One whole `torvane-cli leak` case as a process: start, answer, exit. Peak resident memory of
// the child in kB is reported as the counter peak_rss_kB.
void BM_CliLeakProcess(benchmark::State& state) {
  std::vector<std::string> args = {"leak", "--gas", "CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01"};
  for (const std::string& a : testing::CaseArguments(testing::EnglishStraightCase())) {
    args.push_back(a);
  }
  args.push_back("--json");
  long peak = 0;
  for (auto _ : state) {
    const testing::ProgramRun run = testing::RunProgram(TORVANE_CLI_PATH, args, "", "/dev/null");
    if (run.code != 0) state.SkipWithError("cli failed");
    if (run.peak_rss_kB > peak) peak = run.peak_rss_kB;
  }
  state.counters["peak_rss_kB"] = static_cast<double>(peak);
}
BENCHMARK(BM_CliLeakProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace torvane

BENCHMARK_MAIN();
