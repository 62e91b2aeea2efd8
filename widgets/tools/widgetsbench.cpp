// Repaint and search timings of the calendar grid with 1,000 items (Google Benchmark).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "widgets/planner.h"
#include "widgets/plannergrid.h"
#include "widgets/tools/democalendar.h"

namespace {

constexpr int ItemCount = 1000;

struct TBenchGrid {
  TBenchGrid(bool TimeOnTop) {
    Planner.resize(1600, 1000);
    Planner.show();
    FillDemoCalendar(Planner, {false, TimeOnTop, ItemCount});
    QApplication::processEvents();
  }
  TPlannerGrid& Grid() { return *static_cast<TPlannerGrid*>(Planner.GridControl()); }
  TPlanner Planner;
};

void Repaint(benchmark::State& State, bool TimeOnTop, bool ItemsChanged) {
  TBenchGrid Bench(TimeOnTop);
  QImage Image(Bench.Grid().viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : State) {
    // A changed item makes the grid lay out its columns again before painting.
    if (ItemsChanged) Bench.Planner.Items().Changed();
    QPainter Painter(&Image);
    Bench.Grid().PaintAll(Painter);
  }
  State.counters["items"] = ItemCount;
}

void BM_RepaintTimeLeft(benchmark::State& State) { Repaint(State, false, false); }
void BM_RepaintTimeOnTop(benchmark::State& State) { Repaint(State, true, false); }
void BM_RepaintAfterItemChange(benchmark::State& State) { Repaint(State, false, true); }

void BM_FindFirstNext(benchmark::State& State) {
  TBenchGrid Bench(false);
  TPlannerItems& Items = Bench.Planner.Items();
  const TPlannerDisplay& D = Bench.Planner.Display();
  for (auto _ : State) {
    int Found = 0;
    for (int Pos = 0; Pos < Bench.Planner.Positions(); ++Pos)
      for (auto* Item = Items.FindFirst(D.DisplayStart(), D.DisplayEnd() + 1, Pos); Item;
           Item = Items.FindNext(D.DisplayStart(), D.DisplayEnd() + 1, Pos))
        ++Found;
    benchmark::DoNotOptimize(Found);
  }
}

}  // namespace

BENCHMARK(BM_RepaintTimeLeft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintTimeOnTop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintAfterItemChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindFirstNext)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
