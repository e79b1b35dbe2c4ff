// Throughput of design studies: sweep points through the labyrinth calculation path, with and
// without their CSV rows, each beside its floor (the same arithmetic as one plain inline loop,
// see sweep_floor.h) so that the ratio is measured in one run; batch lines, and the calculator's
// sweep and batch as processes.
// Run: cmake --preset bench && cmake --build --preset bench &&
// taskset -c 1 build/bench/bench/torvane_study_bench --benchmark_repetitions=5
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/batch_command.h"
#include "engine/gas_engine.h"
#include "platform/message_service.h"
#include "study/sweep.h"
#include "study/sweep_csv.h"
#include "support/english_case.h"
#include "support/process_run.h"
#include "sweep_floor.h"

namespace torvane {
namespace {

constexpr const char kGas[] = "CH4:0.9,C2H6:0.06,C3H8:0.02,N2:0.01,CO2:0.01";

// By default a 1000 x 1000 grid of clearances and numbers of teeth, as the calculator's
// benchmark runs it.
struct GridSweep {
  RecordingMessageService messages;
  GasEngine engine{messages};
  std::unique_ptr<Sweep> sweep;
  explicit GridSweep(const char* teeth = "teeth=4:12:1000",
                     std::optional<SweepMethods> methods = std::nullopt,
                     const char* clearance = "clearance=0.005:0.02:1000",
                     LabyInputs base = testing::EnglishStraightCase(),
                     UnitChoice units = UnitChoice()) {
    engine.CharacteriseGas(
        0, std::vector<GasComponentSlot>{{1, 0.9}, {2, 0.06}, {3, 0.02}, {60, 0.01}, {53, 0.01}});
    sweep = std::make_unique<Sweep>(
        units, engine, base,
        std::vector<SweepRange>{ParseSweepRange(clearance), ParseSweepRange(teeth)}, methods);
  }
};

// The floor must answer as the program does: every point of the benchmarks' grid, and of an SI
// grid with failed points of every kind, gives the same CSV row (numbers in the shortest text
// that reads back to the same double: the same bits). Checked once a run; a difference ends it.
void CheckFloorOnce() {
  static const bool checked = [] {
    LabyInputs si;
    si.laby_type = 0;
    si.seal_dia = 152.4;
    si.seal_rad_clear = 0.3;
    si.press_up = 34.5;
    si.tooth_thk = 0.5;
    si.tooth_spc = 3.2;
    si.tooth_no = 8;
    si.flo_co = 0.7;
    UnitChoice si_units;
    si_units.ApplyUnitChoice(PresetIndices(UnitSystem::kSI));
    GridSweep grids[] = {GridSweep(), GridSweep("temperature-up=-280:760:560", std::nullopt,
                                                "pressure-down=-5:40:460", si, si_units)};
    for (GridSweep& grid : grids) {
      const bench::SweepFloor floor(*grid.sweep, grid.engine.CurrentMixture());
      std::string program, plain;
      for (std::int64_t i = 0; i < grid.sweep->size(); ++i) {
        program.clear();
        plain.clear();
        AppendSweepCsvRow(grid.sweep->Calculate(i), 2, program);
        floor.AppendCsvRow(floor.Calculate(i), plain);
        if (program != plain) {
          std::cerr << "The floor differs from the program at point " << i << ":\n  " << program
                    << "  " << plain;
          std::exit(1);
        }
      }
    }
    return true;
  }();
  benchmark::DoNotOptimize(checked);
}

// One point an iteration, as a sweep's run calculates them: into the one point it hands on.
void BM_SweepPoint(benchmark::State& state) {
  GridSweep grid;
  SweepPoint point;
  std::int64_t i = std::getenv("START") ? std::atoll(std::getenv("START")) : 0;
  for (auto _ : state) {
    grid.sweep->Calculate(i, point);
    benchmark::DoNotOptimize(point.results.laby_flow);
    i = (i + 1) % grid.sweep->size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SweepPoint);

void BM_SweepPoint_Floor(benchmark::State& state) {
  CheckFloorOnce();
  GridSweep grid;
  const bench::SweepFloor floor(*grid.sweep, grid.engine.CurrentMixture());
  std::int64_t i = std::getenv("START") ? std::atoll(std::getenv("START")) : 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(floor.Calculate(i).flows[0]);
    i = (i + 1) % grid.sweep->size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SweepPoint_Floor);

// The points of a grid with their CSV rows, one point an iteration.
void PointsWithCsvRows(benchmark::State& state, GridSweep& grid) {
  std::string csv;
  csv.reserve((1 << 16) + 4096);
  SweepPoint point;
  std::int64_t i = std::getenv("START") ? std::atoll(std::getenv("START")) : 0;
  for (auto _ : state) {
    grid.sweep->Calculate(i, point);
    AppendSweepCsvRow(point, 2, csv);
    if (csv.size() > (1 << 16)) csv.clear();
    i = (i + 1) % grid.sweep->size();
  }
  benchmark::DoNotOptimize(csv.data());
  state.SetItemsProcessed(state.iterations());
}

void BM_SweepPointWithCsvRow(benchmark::State& state) {
  GridSweep grid;
  PointsWithCsvRows(state, grid);
}
BENCHMARK(BM_SweepPointWithCsvRow);

void BM_SweepPointWithCsvRow_Floor(benchmark::State& state) {
  CheckFloorOnce();
  GridSweep grid;
  const bench::SweepFloor floor(*grid.sweep, grid.engine.CurrentMixture());
  std::string csv;
  csv.reserve((1 << 16) + 4096);
  std::int64_t i = std::getenv("START") ? std::atoll(std::getenv("START")) : 0;
  for (auto _ : state) {
    floor.AppendCsvRow(floor.Calculate(i), csv);
    if (csv.size() > (1 << 16)) csv.clear();
    i = (i + 1) % grid.sweep->size();
  }
  benchmark::DoNotOptimize(csv.data());
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SweepPointWithCsvRow_Floor);

// A point with the classical methods beside the correlation, and its CSV row: 1000 clearances
// by 4 to 12 teeth in whole numbers, so that tooth by tooth works at every point.
void BM_SweepPointWithMethods(benchmark::State& state) {
  GridSweep grid("teeth=4:12:9", SweepMethods{kDefaultGamma, false});
  PointsWithCsvRows(state, grid);
}
BENCHMARK(BM_SweepPointWithMethods);

void BM_SweepPointWithMethodsRealGas(benchmark::State& state) {
  GridSweep grid("teeth=4:12:9", SweepMethods{kDefaultGamma, true});
  PointsWithCsvRows(state, grid);
}
BENCHMARK(BM_SweepPointWithMethodsRealGas);

std::string BatchLine(int k) {
  char buf[400];
  std::snprintf(buf, sizeof buf,
                "{\"gas\":\"%s\",\"type\":\"straight\",\"diameter\":%d,\"clearance\":0.012,"
                "\"pressure-up\":500,\"pressure-down\":%d,\"temperature-up\":100,"
                "\"thickness\":0.02,\"spacing\":0.125,\"teeth\":%d,\"flow-coef\":0.67}",
                kGas, 2 + k % 19, 50 + k % 400, 3 + k % 18);
  return buf;
}

void BM_BatchLine(benchmark::State& state) {
  std::vector<std::string> lines;
  for (int k = 0; k < 1000; ++k) lines.push_back(BatchLine(k));
  size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cli::BatchAnswer(lines[k], static_cast<long long>(k + 1)).size());
    k = (k + 1) % lines.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BatchLine);

// Runs the calculator with its standard input and output on files; the wall time is the
// benchmark's.
void RunCli(benchmark::State& state, const std::vector<std::string>& args, const std::string& in,
            const std::string& out) {
  if (testing::RunProgram(TORVANE_CLI_PATH, args, in, out).code != 0) {
    state.SkipWithError("torvane-cli failed");
  }
}

// The sweep of the 1000 x 1000 grid of GridSweep.
std::vector<std::string> GridSweepArguments() {
  std::vector<std::string> args = {"sweep", "--gas", kGas};
  for (const std::string& a :
       testing::CaseArguments(testing::EnglishStraightCase(), {"--clearance", "--teeth"})) {
    args.push_back(a);
  }
  for (const char* vary : {"clearance=0.005:0.02:1000", "teeth=4:12:1000"}) {
    args.push_back("--vary");
    args.push_back(vary);
  }
  return args;
}

// `torvane-cli sweep` of 1,000,000 points written as CSV to a file.
void BM_CliSweepMillionPointsCsv(benchmark::State& state) {
  const std::string out = "/tmp/torvane-bench-sweep.csv";
  for (auto _ : state) {
    RunCli(state, GridSweepArguments(), "", out);
  }
  std::remove(out.c_str());
  state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_CliSweepMillionPointsCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// `torvane-cli batch` of 100,000 lines, answers written to a file.
void BM_CliBatchHundredThousandLines(benchmark::State& state) {
  const std::string in = "/tmp/torvane-bench-batch.jsonl";
  const std::string out = "/tmp/torvane-bench-batch.out";
  {
    std::ofstream file(in);
    for (int k = 0; k < 100000; ++k) file << BatchLine(k) << '\n';
  }
  for (auto _ : state) RunCli(state, {"batch"}, in, out);
  std::remove(in.c_str());
  std::remove(out.c_str());
  state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_CliBatchHundredThousandLines)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
}  // namespace torvane

BENCHMARK_MAIN();
