// The route preview on the game screen at 1920 x 1080: with a stack of the
// player to move selected, the pointer moves onto a cell it could walk to or
// strike (a free cell or an enemy stack), as WM_MOUSEMOVE: the hit test, the
// route search (TMap::ComputeRoute) and the route marks. Goals: at most 3 ms
// per move on 256 x 256, at most 16 ms on 1024 x 1024.
//
// BM_RoutePreview: the pointer sweeps over every such cell of the view, in
//   rows from the top left; each sweep starts by selecting the other of the
//   two stacks nearest the middle of the view, so the search starts afresh.
// BM_RoutePreviewFirstMove: the first move after selecting the other stack,
//   onto the farthest such cell of the view.
// BM_FirstPreviewOnNewMap: the first move on a map just loaded, onto the
//   farthest such cell of the view: the search's grid is made then.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "BenchGame.h"
#include "BenchMaps.h"
#include "shell/TTimer.h"
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

// The two stacks of the player to move nearest the middle of the view, and
// the cells of the view they could walk to or strike.
struct TView {
  TPoint Stacks[2] = {};
  std::vector<TPoint> Targets;
  // For each stack, the target farthest from it.
  TPoint Farthest[2] = {};
};

TView ViewOf(const TMap& in_map) {
  TView view;
  int nearest[2] = {1 << 30, 1 << 30};
  std::vector<TPoint> cells;
  for (int r = 0; r < kViewRows; ++r) {
    for (int c = 0; c < kViewColumns; ++c) {
      const TWinCell* cell = in_map.CellWindow(c, r);
      if (!cell || !cell->Cell) continue;
      if (Eligible(cell->Cell)) {
        view.Targets.push_back(TBenchGame::CellCentre(in_map, c, r));
        cells.push_back(TPoint{c, r});
      }
      const TUnit* unit = cell->Cell->Unit;
      if (!unit || unit->Owner != PlayerToMove() || unit->Lives <= 0) continue;
      const int distance = std::abs(c - kViewColumns / 2) + std::abs(r - kViewRows / 2);
      const TPoint point = TBenchGame::CellCentre(in_map, c, r);
      if (distance < nearest[0]) {
        nearest[1] = nearest[0];
        view.Stacks[1] = view.Stacks[0];
        nearest[0] = distance;
        view.Stacks[0] = point;
      } else if (distance < nearest[1]) {
        nearest[1] = distance;
        view.Stacks[1] = point;
      }
    }
  }
  for (int s = 0; s < 2; ++s) {
    int farthest = -1;
    for (const TPoint& target : view.Targets) {
      const int distance = std::max(std::abs(target.x - view.Stacks[s].x) / TWinCell::kWidth,
                                    std::abs(target.y - view.Stacks[s].y) / TWinCell::kHeight);
      if (distance > farthest) {
        farthest = distance;
        view.Farthest[s] = target;
      }
    }
  }
  if (nearest[1] == 1 << 30) view.Targets.clear();
  return view;
}

// Cancels any selection (a right click on the stack) and selects the stack.
void Select(TBenchGame& io_game, TPoint in_stack) {
  io_game.Harness.RightDown(in_stack.x, in_stack.y);
  io_game.Harness.RightUp(in_stack.x, in_stack.y);
  io_game.Harness.LeftClick(in_stack.x, in_stack.y);
}

// A generated map loaded through the map list, with its view.
struct TLoadedMap {
  TMap* Map = nullptr;
  TView View;
};

// Loads a generated in_size x in_size map; the map is null, and the benchmark
// skipped with an error, when its view holds no two stacks to select.
TLoadedMap LoadBenchMap(benchmark::State& state, TBenchGame& io_game, int in_size) {
  io_game.PutMap("bench.map", BenchMapText(in_size, in_size));
  io_game.LoadMap("bench.map");
  TLoadedMap loaded;
  loaded.Map = TBenchGame::Find<TMap>();
  if (loaded.Map) loaded.View = ViewOf(*loaded.Map);
  if (loaded.View.Targets.empty()) {
    state.SkipWithError("no two stacks to select in the view");
    loaded.Map = nullptr;
  }
  return loaded;
}

void BM_RoutePreview(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame game;
  const TLoadedMap loaded = LoadBenchMap(state, game, size);
  if (!loaded.Map) return;
  TMap* map = loaded.Map;
  const TView& view = loaded.View;
  size_t next = view.Targets.size();
  int stack = 0;
  size_t routeCells = 0;
  for (auto _ : state) {
    if (next == view.Targets.size()) {
      state.PauseTiming();
      stack = 1 - stack;
      Select(game, view.Stacks[stack]);
      next = 0;
      state.ResumeTiming();
    }
    game.Harness.MouseMove(view.Targets[next].x, view.Targets[next].y);
    routeCells += map->Route.size();
    ++next;
  }
  state.counters["route_cells"] =
      benchmark::Counter(static_cast<double>(routeCells), benchmark::Counter::kAvgIterations);
  state.counters["targets"] = static_cast<double>(view.Targets.size());
}
BENCHMARK(BM_RoutePreview)->ArgName("size")->Arg(64)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_RoutePreviewFirstMove(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame game;
  const TLoadedMap loaded = LoadBenchMap(state, game, size);
  if (!loaded.Map) return;
  TMap* map = loaded.Map;
  const TView& view = loaded.View;
  int stack = 0;
  size_t routeCells = 0;
  for (auto _ : state) {
    state.PauseTiming();
    stack = 1 - stack;
    Select(game, view.Stacks[stack]);
    state.ResumeTiming();
    game.Harness.MouseMove(view.Farthest[stack].x, view.Farthest[stack].y);
    routeCells += map->Route.size();
  }
  state.counters["route_cells"] =
      benchmark::Counter(static_cast<double>(routeCells), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RoutePreviewFirstMove)
    ->ArgName("size")
    ->Arg(64)
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMicrosecond);

void BM_FirstPreviewOnNewMap(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame game;
  for (auto _ : state) {
    state.PauseTiming();
    RequestScreen(0);
    game.Frame();
    const TLoadedMap loaded = LoadBenchMap(state, game, size);
    if (!loaded.Map) break;
    Select(game, loaded.View.Stacks[0]);
    state.ResumeTiming();
    game.Harness.MouseMove(loaded.View.Farthest[0].x, loaded.View.Farthest[0].y);
  }
}
BENCHMARK(BM_FirstPreviewOnNewMap)
    ->ArgName("size")
    ->Arg(64)
    ->Arg(256)
    ->Arg(1024)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
