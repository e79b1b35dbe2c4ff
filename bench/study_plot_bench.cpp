// How long the study window takes to draw its plots: a study of 100,000 points (the most the
// window holds) shown in both plots and painted once, as the screen paints it. The curves are
// thinned for drawing (ThinnedForDrawing); the table and the exports keep every point.
// Run: cmake --preset bench && cmake --build --preset bench --target torvane_study_plot_bench &&
// build/bench/bench/torvane_study_plot_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPixmap>
#include <memory>
#include <vector>

#include "engine/gas_engine.h"
#include "platform/message_service.h"
#include "study/study_run.h"
#include "study/ui/study_plot_view.h"
#include "support/english_case.h"

namespace torvane {
namespace {

// The points of a study, calculated once for all the benchmarks.
struct Study {
  RecordingMessageService messages;
  GasEngine engine{messages};
  std::unique_ptr<StudyRun> run;
  Study(const char* first, const char* second) {
    engine.CharacteriseGas(
        0, std::vector<GasComponentSlot>{{1, 0.9}, {2, 0.06}, {3, 0.02}, {60, 0.01}, {53, 0.01}});
    std::vector<SweepRange> ranges{ParseSweepRange(first)};
    if (second) ranges.push_back(ParseSweepRange(second));
    run = std::make_unique<StudyRun>(UnitChoice(), engine, testing::EnglishStraightCase(),
                                     std::move(ranges));
    while (run->RunUntil(StudyRun::Clock::now() + std::chrono::seconds(60))) {
    }
  }
};

// Shows the study in the plots and draws them as the screen does: the layout settles, then the
// widget paints itself.
void DrawPlots(benchmark::State& state, const Study& study, const char* picture) {
  StudyPlotView view;
  view.resize(960, 620);
  view.show();
  QPixmap screen;
  for (auto _ : state) {
    view.Show(&study.run->sweep(), study.run->points());
    QCoreApplication::processEvents();
    screen = view.grab();
    benchmark::DoNotOptimize(screen.cacheKey());
  }
  state.counters["points"] = static_cast<double>(study.run->points().size());
  // What was drawn, for a person to look at.
  if (const QString dir = qEnvironmentVariable("TORVANE_SCREENSHOT_DIR"); !dir.isEmpty()) {
    screen.save(dir + "/" + picture + ".png");
  }
}

void BM_DrawStudyPlotOneCurve(benchmark::State& state) {
  static const Study study("clearance=0.005:0.02:100000", nullptr);
  DrawPlots(state, study, "study-plot-one-curve");
}
BENCHMARK(BM_DrawStudyPlotOneCurve)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_DrawStudyPlotFiftyCurves(benchmark::State& state) {
  static const Study study("clearance=0.005:0.02:2000", "teeth=4:53:50");
  DrawPlots(state, study, "study-plot-fifty-curves");
}
BENCHMARK(BM_DrawStudyPlotFiftyCurves)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace torvane

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
