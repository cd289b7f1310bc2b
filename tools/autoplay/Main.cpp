// autoplay: plays whole games of Krambol headless through real window messages,
// checking every step; a soak test under the sanitizers and a balance report
// for the maps. See README.md ("Autoplay") for the commands.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "autoplay/TPolicy.h"
#include "autoplay/TRunner.h"

namespace {

const char kUsage[] =
    "usage: autoplay [options]\n"
    "  --maps FILE...       the maps to play (default: every .map of the sample maps)\n"
    "  --policies A,B       random, greedy, strong or strong2 (two orders deep), for player 0 and\n"
    "                       player 1 (default random,random)\n"
    "  --swap               the policies change sides every other game\n"
    "  --mix                every game its own pairing in turn: random against greedy (both\n"
    "                       ways), greedy against greedy, random against random, strong against\n"
    "                       greedy (both ways)\n"
    "  --seconds S          play for about S seconds: no game starts after, and a game still\n"
    "                       running then is stopped after its current order\n"
    "  --games N            play N games on every map\n"
    "  --seed N             the first session's seed (default: a fresh one, printed)\n"
    "  --jobs N             sessions at once (default 1)\n"
    "  --turns N            the turn cap: a game that reaches it is a draw (default 2000)\n"
    "  --draw-every N       draw one frame in N (chosen at random) for real; the others discard\n"
    "                       their drawing (default 0: none; 1 draws every frame)\n"
    "  --frame-bound N      frames an awaited change may take before it counts as a soft-lock (default 5000)\n"
    "  --session-games N    games per run of the program (default 20)\n"
    "  --replay-dir DIR     where replay files go (default autoplay-replays)\n"
    "  --keep-replays       keep the replay files (and error output) of sessions that passed too\n"
    "  --report FILE        write the balance table (Markdown) there, or with two different\n"
    "                       policies the strength table (the wins of each)\n"
    "  --list-games         a line for every game: its session's seed and number, players, end\n"
    "  --replay FILE        play a replay file again and check it\n";

bool ReadMap(const std::filesystem::path& path, TMapFile& map, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot read " + path.string();
    return false;
  }
  map.Name = path.filename().string();
  if (map.Name.find_first_of(" \t\r\n") != std::string::npos) {
    error = "a map name with blanks: " + map.Name;
    return false;
  }
  map.Bytes.assign(std::istreambuf_iterator<char>(file), {});
  return true;
}

bool Number(const char* text, long long low, long long high, long long& value) {
  char* end = nullptr;
  value = std::strtoll(text, &end, 10);
  return end != text && *end == '\0' && value >= low && value <= high;
}

}  // namespace

int main(int argc, char** argv) {
  TRunnerConfig config;
  std::vector<std::filesystem::path> mapPaths;
  std::string replay;
  bool seeded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    const auto value = [&]() -> const char* {
      if (i + 1 >= argc) {
        std::cerr << "autoplay: " << option << " needs a value\n" << kUsage;
        std::exit(2);
      }
      return argv[++i];
    };
    const auto number = [&](long long low, long long high) {
      long long result = 0;
      const char* text = value();
      if (!Number(text, low, high, result)) {
        std::cerr << "autoplay: " << option << " takes a number from " << low << " to " << high << ", not " << text << "\n";
        std::exit(2);
      }
      return result;
    };
    if (option == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (option == "--maps") {
      while (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) mapPaths.emplace_back(argv[++i]);
    } else if (option == "--policies") {
      const std::string both = value();
      const size_t comma = both.find(',');
      config.Policies[0] = both.substr(0, comma);
      config.Policies[1] = comma == std::string::npos ? config.Policies[0] : both.substr(comma + 1);
      if (!IsPolicyName(config.Policies[0]) || !IsPolicyName(config.Policies[1])) {
        std::cerr << "autoplay: the policies are random, greedy, strong and strong2\n";
        return 2;
      }
    } else if (option == "--swap") {
      config.Swap = true;
    } else if (option == "--mix") {
      config.Mix = true;
    } else if (option == "--list-games") {
      config.ListGames = true;
    } else if (option == "--seconds") {
      config.Seconds = static_cast<double>(number(1, 1000000));
    } else if (option == "--games") {
      config.GamesPerMap = static_cast<int32_t>(number(1, 100000000));
    } else if (option == "--seed") {
      config.Seed = static_cast<uint32_t>(number(0, 0xFFFFFFFFll));
      seeded = true;
    } else if (option == "--jobs") {
      config.Jobs = static_cast<int32_t>(number(1, 64));
    } else if (option == "--turns") {
      config.Turns = static_cast<int32_t>(number(1, 100000000));
    } else if (option == "--draw-every") {
      config.DrawEvery = static_cast<int32_t>(number(0, 1000000));
    } else if (option == "--frame-bound") {
      config.FrameBound = static_cast<int32_t>(number(10, 100000000));
    } else if (option == "--session-games") {
      config.GamesPerSession = static_cast<int32_t>(number(1, 1000000));
    } else if (option == "--replay-dir") {
      config.ReplayDir = value();
    } else if (option == "--keep-replays") {
      config.KeepReplays = true;
    } else if (option == "--report") {
      config.Report = value();
    } else if (option == "--replay") {
      replay = value();
    } else {
      std::cerr << "autoplay: unknown option " << option << "\n" << kUsage;
      return 2;
    }
  }
  if (!replay.empty()) return RunReplay(replay, std::cout);

  if (mapPaths.empty()) {
    for (const auto& entry : std::filesystem::directory_iterator(KRAMBOL_MAPS_DIR))
      if (entry.path().extension() == ".map") mapPaths.push_back(entry.path());
    std::sort(mapPaths.begin(), mapPaths.end());
  }
  for (const auto& path : mapPaths) {
    TMapFile map;
    std::string error;
    if (!ReadMap(path, map, error)) {
      std::cerr << "autoplay: " << error << "\n";
      return 2;
    }
    config.Maps.push_back(std::move(map));
  }
  if (config.Maps.empty()) {
    std::cerr << "autoplay: no maps\n";
    return 2;
  }
  if (!config.Seconds && config.GamesPerMap == 0) config.GamesPerMap = 1;
  if (!seeded) config.Seed = std::random_device()();
  return RunSessions(config, std::cout);
}
