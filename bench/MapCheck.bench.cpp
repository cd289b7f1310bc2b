// The editor's map check, which runs after every edit. Goal: under 50 ms on a
// 64 x 64 map, also when no stack can reach the enemy (every pair of stacks is
// searched then), and under 1 s on a 256 x 256 one.

#include <benchmark/benchmark.h>

#include <string>

#include "BenchMaps.h"
#include "WorldBench.h"
#include "editor/MapCheck.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

// A size x size field of grass cut in two by a column of trees, with a queen
// and fifteen other stacks for each side on its own half: no route crosses.
std::string WalledMapText(int in_size) {
  std::string text = "0\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[" + std::to_string(in_size) + " " +
                     std::to_string(in_size) + "]\r\n";
  for (int r = 0; r < in_size; ++r) {
    for (int c = 0; c < in_size; ++c) {
      const bool wall = c == in_size / 2;
      const bool stackRow = r % (in_size / 4) == 1;
      const int stackColumn = c % (in_size / 8);
      if (wall) {
        text += "<[0 0]P(2 3)N>\r\n";
      } else if (stackRow && stackColumn == 1) {
        const char owner = c < in_size / 2 ? '0' : '1';
        const int type = r == 1 && (c == 1 || c == in_size / 2 + 1) ? 8 : 0;
        text += std::string("<[0 0]NU") + owner + "[" + std::to_string(type) + " 10 3 4 2.5]>\r\n";
      } else {
        text += "<[0 0]NN>\r\n";
      }
    }
    text += "\r\n";
  }
  return text;
}

void BM_CheckPlayableMap(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  ReadMapFromBytes(BenchMapText(size, size));
  for (auto _ : state) benchmark::DoNotOptimize(CheckMap());
  ClearMap();
}
BENCHMARK(BM_CheckPlayableMap)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

void BM_CheckWalledMap(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  ReadMapFromBytes(WalledMapText(size));
  state.counters["warnings"] = static_cast<double>(CheckMap().size());
  for (auto _ : state) benchmark::DoNotOptimize(CheckMap());
  ClearMap();
}
BENCHMARK(BM_CheckWalledMap)->Arg(64)->Arg(256)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunWorldBenchmarks(argc, argv); }
