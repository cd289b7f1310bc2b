// Whole frames at 1920 x 1080, as the frame timer runs them: Update on every
// live window, Draw of the desktop, and the copy onto the native window.
// Goals: the menu screen at most 4 ms of CPU, the game screen at most 6 ms on
// any map up to 1024 x 1024; a frame that changes nothing at most 0.5 ms, one
// in which a stack walks at most 4 ms.
//
// Screens: the menu screen with its main menu, the map list open over it, and
// the game screen on battle.map and on generated maps of 256 x 256 and
// 1024 x 1024 cells, with the pointer resting on a cell in the middle of the view.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>

#include "BenchGame.h"
#include "BenchMaps.h"
#include "screens/TGameMenu.h"
#include "toolkit/TWinBox.h"
#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

// The game of the benchmark that runs now, kept while the benchmark library
// calls the same benchmark again. Everything that sets a scene up happens in
// functions named Prepare..., so that an instruction count (valgrind
// --tool=callgrind --toggle-collect='BM_*' --toggle-collect='*Prepare*')
// sees the measured frames only (they are never inlined for that).
std::unique_ptr<TBenchGame> Game;
std::string GameScene;

[[gnu::noinline]] TBenchGame& PrepareGame(const std::string& in_scene) {
  if (!Game || GameScene != in_scene) {
    Game.reset();
    Game = std::make_unique<TBenchGame>();
    GameScene = in_scene;
  }
  return *Game;
}

[[gnu::noinline]] void PrepareMapList(TBenchGame& io_game) {
  if (TBenchGame::Find<TNewGameMenu>()) return;
  io_game.CopySampleMap("battle.map");
  io_game.OpenMapList();
  io_game.Frame();
}

// Argument 0 is battle.map; any other is a generated square map of that size.
[[gnu::noinline]] TMap* PrepareGameScreen(TBenchGame& io_game, int in_size) {
  if (TMap* map = TBenchGame::Find<TMap>()) return map;
  if (in_size == 0) {
    io_game.CopySampleMap("battle.map");
    io_game.LoadMap("battle.map");
  } else {
    io_game.PutMap("bench.map", BenchMapText(in_size, in_size));
    io_game.LoadMap("bench.map");
  }
  TMap* map = TBenchGame::Find<TMap>();
  if (map) {
    const TPoint middle = TBenchGame::CellCentre(*map, 13, 11);
    io_game.Harness.MouseMove(middle.x, middle.y);
  }
  io_game.Frame();
  return map;
}

// The resident size of this process in MiB.
double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void BM_MenuScreen(benchmark::State& state) {
  TBenchGame& game = PrepareGame("menu");
  for (auto _ : state) game.Frame();
}
BENCHMARK(BM_MenuScreen)->Unit(benchmark::kMillisecond);

void BM_MapListOverMenu(benchmark::State& state) {
  TBenchGame& game = PrepareGame("list");
  PrepareMapList(game);
  for (auto _ : state) game.Frame();
}
BENCHMARK(BM_MapListOverMenu)->Unit(benchmark::kMillisecond);

void BM_GameScreen(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame& game = PrepareGame("game" + std::to_string(size));
  TMap* map = PrepareGameScreen(game, size);
  if (!map) {
    state.SkipWithError("the map did not load");
    return;
  }
  for (auto _ : state) game.Frame();
  state.counters["cells"] = static_cast<double>(map->Columns()) * map->Rows();
  state.counters["resident_MiB"] = ResidentMiB();
}
BENCHMARK(BM_GameScreen)->ArgName("size")->Arg(0)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

bool StartWalk(TBenchGame& io_game, TMap& io_map);

// Starts an order unless one is being carried out: a stack of the player to
// move, in the view and not dying, walks to a free cell six cells away. When
// the player to move has no stack in the view, the turn is passed first
// ("Пропустить Ход." and the box's "Ok"). Answers whether a stack walks.
[[gnu::noinline]] bool PrepareWalk(TBenchGame& io_game, TMap& io_map) {
  if (io_map.Moving) return true;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (StartWalk(io_game, io_map)) return true;
    io_game.ClickButton(TBenchGame::Find<TGameMenu>(), L"Пропустить Ход.");
    io_game.Frame();
    io_game.ClickButton(TBenchGame::Find<TWinBox>(), L"Ok");
    io_game.Frame();
  }
  return false;
}

bool StartWalk(TBenchGame& io_game, TMap& io_map) {
  constexpr int kViewColumns = 26;
  constexpr int kViewRows = 22;
  constexpr int kSteps[][2] = {{6, 0}, {-6, 0}, {0, 6}, {0, -6}, {4, 4}, {-4, -4}, {4, -4}, {-4, 4}};
  const auto free = [&](int c, int r) {
    const TWinCell* window = io_map.CellWindow(c, r);
    return c >= 0 && r >= 0 && c < kViewColumns && r < kViewRows && window && window->Cell &&
           !window->Cell->Unit && !window->Cell->Place;
  };
  for (int r = 0; r < kViewRows; ++r) {
    for (int c = 0; c < kViewColumns; ++c) {
      const TWinCell* window = io_map.CellWindow(c, r);
      const TUnit* unit = window && window->Cell ? window->Cell->Unit : nullptr;
      if (!unit || unit->Owner != PlayerToMove() || unit->Lives <= 0) continue;
      for (const auto& step : kSteps) {
        if (!free(c + step[0], r + step[1])) continue;
        const TPoint from = TBenchGame::CellCentre(io_map, c, r);
        const TPoint to = TBenchGame::CellCentre(io_map, c + step[0], r + step[1]);
        io_game.Harness.LeftClick(from.x, from.y);
        io_game.Harness.MouseMove(to.x, to.y);
        io_game.Harness.LeftClick(to.x, to.y);
        io_game.Frame();
        if (io_map.Moving) return true;
        io_map.CancelSelection();
      }
    }
  }
  return false;
}

// Frames in which one stack walks (orders given one after another; giving
// them is not measured). Goal: at most 4 ms on any map up to 1024 x 1024.
void BM_GameScreenWalk(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame& game = PrepareGame("walk" + std::to_string(size));
  TMap* map = PrepareGameScreen(game, size);
  if (!map) {
    state.SkipWithError("the map did not load");
    return;
  }
  for (auto _ : state) {
    if (!map->Moving) {
      state.PauseTiming();
      const bool walks = PrepareWalk(game, *map);
      state.ResumeTiming();
      if (!walks) {
        state.SkipWithError("no stack could walk");
        return;
      }
    }
    game.Frame();
  }
}
BENCHMARK(BM_GameScreenWalk)->ArgName("size")->Arg(0)->Arg(256)->Arg(1024)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Game.reset();
  return 0;
}
