// Loading a map as a player does: on the menu screen, the map list is open and
// the map's row selected; measured from the click on "Загрузить" (which reads
// the file) to the end of the first frame of the game screen (which builds the
// map window, decodes the unit sheets and draws). Every iteration starts from
// an empty world, so every sheet is decoded again; the files are in the page
// cache. Goals: battle.map at most 250 ms, a 1024 x 1024 map at most 1.5 s.
// CPU time counts every thread of the process.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchGame.h"
#include "BenchMaps.h"
#include "shell/TTimer.h"
#include "world/WorldState.h"

namespace {

// Argument 0 is battle.map; any other is a generated square map of that size.
void BM_LoadMap(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TBenchGame game;
  std::string name = "battle.map";
  if (size == 0) {
    game.CopySampleMap(name);
  } else {
    name = "bench.map";
    game.PutMap(name, BenchMapText(size, size));
  }
  const std::wstring path = L"./" + std::wstring(name.begin(), name.end());
  for (auto _ : state) {
    state.PauseTiming();
    RequestScreen(0);
    game.Frame();
    ClearMap();
    TNewGameMenu* list = game.OpenMapList();
    game.Frame();
    state.ResumeTiming();
    game.ChooseMap(list, path);
    game.Frame();
  }
  if (!TBenchGame::Find<TMap>()) state.SkipWithError("the map did not load");
}
BENCHMARK(BM_LoadMap)
    ->ArgName("size")
    ->Arg(0)
    ->Arg(64)
    ->Arg(256)
    ->Arg(1024)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
