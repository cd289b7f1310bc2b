// The strong computer player's think time per order, at the budget the versus
// program plays with and the game's default view (10 columns, 13 rows). Goal:
// a median of at most 250 ms and at most 1 s for the slowest order on
// battle.map, at most 2 s for the slowest on highlands.map. The positions are
// those of games the strong player plays against the greedy one from the
// map's start (a fixed seed), every fifth turn; each iteration thinks once on
// every one of them and reports the median and the slowest order.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "WorldBench.h"
#include "opponent/BoardPlay.h"
#include "opponent/TBoard.h"
#include "opponent/TGreedyPlayer.h"
#include "opponent/TStrongPlayer.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

const TViewSpan kDefaultView{10, 13};
constexpr int kPositions = 24;
constexpr int kEvery = 5;

// Positions of strong-against-greedy games on the sample map, the strong player to move.
std::vector<TBoard> PreparePositions(const std::string& in_map) {
  std::vector<TBoard> positions;
  if (!ReadMapFile(std::wstring(in_map.begin(), in_map.end()))) return positions;
  const TBoard start = TBoard::FromWorld();
  ClearMap();
  uint32_t dice = 1;
  const auto random = [&dice]() {
    dice = dice * 214013u + 2531011u;
    return static_cast<int32_t>((dice >> 16) & 0x7FFF);
  };
  for (uint32_t game = 0; positions.size() < kPositions && game < 20; ++game) {
    TBoard board = start;
    TStrongPlayer strong(game);
    TGreedyPlayer greedy(game);
    const int32_t strongSide = static_cast<int32_t>(game % 2);
    for (int turn = 0; turn < 400 && positions.size() < kPositions; ++turn) {
      const bool strongMoves = board.ToMove() == strongSide;
      if (strongMoves && turn % kEvery < 2) positions.push_back(board);
      const TOrder order = strongMoves ? strong.Choose(board, kDefaultView) : greedy.Choose(board, kDefaultView);
      if (PlayOrder(board, order, random) >= 0) break;
    }
  }
  return positions;
}

void BM_StrongOrder(benchmark::State& state, const std::string& in_map) {
  const std::vector<TBoard> positions = PreparePositions(KRAMBOL_MAPS_DIR "/" + in_map);
  if (positions.empty()) {
    state.SkipWithError("the map does not read");
    return;
  }
  std::vector<double> times;
  int64_t work = 0;
  for (auto _ : state) {
    times.clear();
    for (const TBoard& board : positions) {
      TStrongPlayer strong(7);
      const auto start = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(strong.Choose(board, kDefaultView));
      times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
      work += strong.Work();
    }
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times[times.size() / 2];
  state.counters["slowest_ms"] = times.back();
  state.counters["positions"] = static_cast<double>(positions.size());
  state.counters["weighed_per_order"] =
      static_cast<double>(work) / static_cast<double>(state.iterations() * static_cast<int64_t>(positions.size()));
}

BENCHMARK_CAPTURE(BM_StrongOrder, battle, std::string("battle.map"))->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_StrongOrder, highlands, std::string("highlands.map"))->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return RunWorldBenchmarks(argc, argv); }
