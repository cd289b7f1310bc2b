// Route search speed: one corner-to-corner query, node list built afresh as the
// game does on each pointer move, for the fast search and the literal one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "algo/TDijkstra.h"
#include "algo/TDijkstraOracle.h"
#include "algo/TTestGrid.h"

namespace {

using NAlgo::TDijkstra;

// A size x size map with the given share of impassable cells (fixed seeds) on
// which the far corner can be reached from the near one.
TTestGrid MakeMap(int in_size, int in_obstaclePercent) {
  for (uint32_t seed = 1;; ++seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> percent(0, 99);
    TTestGrid grid(in_size, in_size);
    for (int column = 0; column < in_size; ++column) {
      for (int row = 0; row < in_size; ++row) grid.At(column, row).Passable = percent(random) >= in_obstaclePercent;
    }
    grid.At(0, 0).Passable = true;
    grid.At(in_size - 1, in_size - 1).Passable = true;
    TDijkstra search;
    search.Build(grid.Cells(), in_size, in_size);
    std::vector<TDijkstra::TPosition> route;
    try {
      search.Search({0, 0}, {in_size - 1, in_size - 1}, route);
      return grid;
    } catch (int) {
    }
  }
}

template <class SearchT>
void CornerToCorner(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TTestGrid grid = MakeMap(size, static_cast<int>(state.range(1)));
  std::vector<TDijkstra::TPosition> route;
  for (auto _ : state) {
    SearchT search;
    search.Build(grid.Cells(), size, size);
    route.clear();
    search.Search({0, 0}, {size - 1, size - 1}, route);
    benchmark::DoNotOptimize(route.data());
  }
  state.counters["route"] = static_cast<double>(route.size());
}

void FastSizes(benchmark::internal::Benchmark* in_bench) {
  in_bench->ArgNames({"size", "obstacles%"});
  for (int obstacles : {0, 20}) {
    for (int size : {32, 64, 128, 256}) in_bench->Args({size, obstacles});
  }
}

void OracleSizes(benchmark::internal::Benchmark* in_bench) {
  in_bench->ArgNames({"size", "obstacles%"});
  for (int obstacles : {0, 20}) {
    for (int size : {32, 64, 128}) in_bench->Args({size, obstacles});
  }
}

BENCHMARK(CornerToCorner<TDijkstra>)->Apply(FastSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(CornerToCorner<TDijkstraOracle>)->Apply(OracleSizes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
