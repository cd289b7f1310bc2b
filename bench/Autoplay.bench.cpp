// Whole games played by the autoplay on the duel map, drawing discarded as in
// its soak and balance runs. Goal: at least 20 games a second between two
// greedy players in a Release build. Each iteration is one run of the program
// with 40 games; the counters give games and orders per second of play (the
// start of the program and its first game, which decode every picture once,
// are not counted).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "autoplay/TSession.h"

namespace {

constexpr int kGames = 40;

void PlayDuel(benchmark::State& state, const char* policy) {
  std::ifstream file(std::filesystem::path(KRAMBOL_MAPS_DIR) / "duel.map", std::ios::binary);
  const TMapFile duel{"duel.map", std::string(std::istreambuf_iterator<char>(file), {})};
  double seconds = 0.0;
  int64_t games = 0;
  int64_t orders = 0;
  uint32_t seed = 1;
  for (auto _ : state) {
    TSessionConfig config;
    config.Setup.Seed = seed++;
    config.Setup.Policies[0] = config.Setup.Policies[1] = policy;
    config.Setup.Maps = {duel};
    config.Schedule.assign(kGames, "duel.map");
    TSession session(config);
    const TSessionResult result = session.Run();
    if (!result.Failure.empty()) {
      state.SkipWithError(result.Failure.c_str());
      break;
    }
    // The first game of a run decodes every picture it shows; it is not counted.
    for (size_t i = 1; i < result.Games.size(); ++i) {
      const TGameResult& game = result.Games[i];
      seconds += game.Seconds;
      orders += game.Orders;
      ++games;
    }
  }
  state.counters["games_per_s"] = seconds > 0 ? games / seconds : 0.0;
  state.counters["orders_per_s"] = seconds > 0 ? orders / seconds : 0.0;
  state.counters["orders_per_game"] = games > 0 ? static_cast<double>(orders) / games : 0.0;
}

void BM_GreedyDuel(benchmark::State& state) { PlayDuel(state, "greedy"); }
void BM_RandomDuel(benchmark::State& state) { PlayDuel(state, "random"); }

BENCHMARK(BM_GreedyDuel)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RandomDuel)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
