// The map editor's tools on large maps, in the editor running headless.
// Goals, each under 50 ms: a fill of a whole 256 x 256 map, a paste of a
// 64 x 64 block, and the overview made again after an edit of a 256 x 256
// map. Each measures the edit as a click makes it (the area or the block,
// then the document's edit), not the frame after it.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "BenchMaps.h"
#include "editor/GridEdits.h"
#include "editor/TEditorApp.h"
#include "editor/TEditorDesktop.h"
#include "editor/TEditorOverview.h"
#include "editor/TMapBlock.h"
#include "headless/GameHarness.h"
#include "toolkit/WindowTree.h"
#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

TGameHarness* Harness = nullptr;

TEditorDesktop* Desktop() { return dynamic_cast<TEditorDesktop*>(RootWindow); }

// Opens a size x size map in the editor: the mixed bench map, or plain grass.
void OpenMap(int in_size, bool in_mixed) {
  if (in_mixed) {
    std::ofstream(Harness->WorkDir() / "bench.map", std::ios::binary) << BenchMapText(in_size, in_size);
  } else {
    CreateBlankWorld(in_size, in_size);
    Desktop()->SaveTo(L"bench.map");
  }
  Desktop()->OpenFile(L"bench.map");
  Harness->Tick();
}

void BM_FillWholeMap(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  OpenMap(size, false);
  const bool eight = state.range(1) != 0;
  int32_t tile = 0;
  for (auto _ : state) {
    // Every cell is one area of one tile, filled with the next tile.
    tile = (tile + 1) % 8;
    std::vector<TCellPlacement> area = ConnectedGround(0, 0, eight);
    for (TCellPlacement& placement : area) placement.Content.TileColumn = tile;
    Desktop()->Document.SetCells(area);
  }
  state.counters["cells"] = static_cast<double>(MapColumns) * MapRows;
}
BENCHMARK(BM_FillWholeMap)->Args({256, 0})->Args({256, 1})->Args({1024, 0})->Unit(benchmark::kMillisecond);

void BM_Paste64(benchmark::State& state) {
  OpenMap(256, true);
  // Two different blocks of the mixed map, put down in turn on the same place,
  // so that (nearly) every cell changes each time.
  const TMapBlock blocks[2] = {TMapBlock::Take(TGridRect{0, 0, 64, 64}), TMapBlock::Take(TGridRect{64, 0, 64, 64})};
  int32_t turn = 0;
  uint64_t changed = 0;
  for (auto _ : state) {
    turn ^= 1;
    const uint64_t before = Desktop()->Document.Revision();
    Desktop()->Document.SetCells(blocks[turn].PlacedAt(128, 128));
    changed += Desktop()->Document.Revision() - before;
  }
  state.counters["edits"] = static_cast<double>(changed) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Paste64)->Unit(benchmark::kMillisecond);

void BM_OverviewRedraw(benchmark::State& state) {
  OpenMap(static_cast<int>(state.range(0)), true);
  TEditorOverview* overview = Desktop()->Overview;
  const bool edit = state.range(1) != 0;
  TCellContent content = ContentOf(*MapCells[10][10]);
  for (auto _ : state) {
    if (edit) {
      // One cell painted: the miniature is made again.
      content.TileColumn = (content.TileColumn + 1) % 8;
      Desktop()->Document.SetCell(10, 10, content);
    }
    overview->Draw();
  }
}
BENCHMARK(BM_OverviewRedraw)->Args({256, 1})->Args({256, 0})->Args({1024, 1})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  TGameHarness harness;
  Harness = &harness;
  harness.Start(std::make_unique<TEditorApp>());
  harness.SetClientSize(1024, 740);
  harness.Tick();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (TEditorDesktop* desktop = Desktop()) desktop->CloseConfirmed = true;
  return 0;
}
