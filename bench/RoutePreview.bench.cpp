// The route preview on the game screen at 1920 x 1080: a stack of the player to
// move is selected near the middle of the view, and every iteration moves the
// pointer onto the next cell of the view it could walk to or strike (a free
// cell or an enemy stack), in rows from the top left, as WM_MOUSEMOVE: the hit
// test, the route search (TMap::ComputeRoute) and the route marks. Each sweep
// over the view starts from a fresh selection, so every move is one of the
// first sweep after selecting. Goals: at most 3 ms per move on 256 x 256, at
// most 16 ms on 1024 x 1024.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "BenchGame.h"
#include "BenchMaps.h"
#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

// The cells of the view: 1720 x 1080 pixels of map.
constexpr int kViewColumns = 26;
constexpr int kViewRows = 22;

bool Eligible(const TCell* in_cell) {
  if (!in_cell) return false;
  if (!in_cell->Unit) return !in_cell->Place;
  return in_cell->Unit->Owner != PlayerToMove();
}

void BM_RoutePreview(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame game;
  game.PutMap("bench.map", BenchMapText(size, size));
  game.LoadMap("bench.map");
  TMap* map = TBenchGame::Find<TMap>();
  if (!map) {
    state.SkipWithError("the map did not load");
    return;
  }

  // The stack of the player to move nearest the middle of the view.
  const TWinCell* stack = nullptr;
  int nearest = 1 << 30;
  std::vector<TPoint> targets;
  for (int r = 0; r < kViewRows; ++r) {
    for (int c = 0; c < kViewColumns; ++c) {
      const TWinCell* cell = map->CellWindow(c, r);
      if (!cell || !cell->Cell) continue;
      if (Eligible(cell->Cell)) targets.push_back(TBenchGame::CellCentre(*map, c, r));
      const TUnit* unit = cell->Cell->Unit;
      const int distance = std::abs(c - kViewColumns / 2) + std::abs(r - kViewRows / 2);
      if (unit && unit->Owner == PlayerToMove() && unit->Lives > 0 && distance < nearest) {
        nearest = distance;
        stack = cell;
      }
    }
  }
  if (!stack || targets.empty()) {
    state.SkipWithError("no stack to select in the view");
    return;
  }
  const TPoint from = TBenchGame::CellCentre(*map, stack->Column, stack->Row);

  size_t next = targets.size();
  size_t routeCells = 0;
  for (auto _ : state) {
    if (next == targets.size()) {
      state.PauseTiming();
      game.Harness.RightDown(from.x, from.y);
      game.Harness.RightUp(from.x, from.y);
      game.Harness.LeftClick(from.x, from.y);
      next = 0;
      state.ResumeTiming();
    }
    game.Harness.MouseMove(targets[next].x, targets[next].y);
    routeCells += map->Route.size();
    ++next;
  }
  state.counters["route_cells"] =
      benchmark::Counter(static_cast<double>(routeCells), benchmark::Counter::kAvgIterations);
  state.counters["targets"] = static_cast<double>(targets.size());
}
BENCHMARK(BM_RoutePreview)->ArgName("size")->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
