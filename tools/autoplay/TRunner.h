#pragma once
// Runs many sessions of the autoplay and reports on them. Each session runs in
// a child process of its own, so that a crash or a sanitizer report ends only
// that child and can still be reported, with the session's replay file and
// the end of its error output. Sessions take turns over the maps; the run
// stops at the first failure.
//
// Output: with ListGames one line per game (its session's seed and its number
// there, which play it again, who played and how it ended); one line per map
// (games, how many ended by a queen's fall, draws at the turn cap and games
// stopped at the time budget, orders, wins of the first and the second side,
// turns per game, orders and games per second); a line of totals; and the
// closing line "N passed, M failed", counting games.

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "autoplay/TReplay.h"

struct TRunnerConfig {
  std::vector<TMapFile> Maps;
  std::string Policies[2] = {"random", "random"};
  bool Swap = false;
  // Every game gets its pairing from MixedPairings() in turn instead of Policies.
  bool Mix = false;
  // Prints a line for every game.
  bool ListGames = false;
  uint32_t Seed = 1;
  // Either a time budget (no session starts, and no game, after it, but every
  // map has one session; each session has its share, the budget times the
  // jobs over the maps, for starting games; a game still running at the end
  // of the budget is stopped after its current order) or a number of games per map.
  std::optional<double> Seconds;
  int32_t GamesPerMap = 0;
  int32_t GamesPerSession = 20;
  int32_t Jobs = 1;
  int32_t Turns = 2000;
  int32_t DrawEvery = 0;
  int32_t FrameBound = 5000;
  // A session that adds nothing to its replay file for this long is hung.
  double HangSeconds = 300.0;
  std::filesystem::path ReplayDir = "autoplay-replays";
  // Keeps the replay files of sessions that passed too.
  bool KeepReplays = false;
  // Where to write the report (Markdown): the balance table when both
  // policies are the same, else the strength table; nothing when empty.
  std::filesystem::path Report;
};

// Wins and games of one map.
struct TMapTally {
  std::string Map;
  int64_t Games = 0;
  int64_t Orders = 0;
  int64_t FirstWins = 0;
  int64_t SecondWins = 0;
  int64_t Draws = 0;
  int64_t Turns = 0;
  double Seconds = 0.0;
  // Wins of each policy, as in the configuration's Policies.
  int64_t PolicyWins[2] = {0, 0};
  // Games stopped at the time budget: neither won nor drawn.
  int64_t Stopped = 0;
};

// The share of the first side among the decided games and its 95 % (Wilson)
// interval, in percent; 50 with the whole range when no game was decided.
struct TShare {
  double Percent = 50.0;
  double Low = 0.0;
  double High = 100.0;
};
TShare FirstSideShare(const TMapTally& in_tally);
// The same for the first policy's share of the decided games.
TShare FirstPolicyShare(const TMapTally& in_tally);
// A map is unbalanced when its first side wins outside 40 to 60 % of the decided games.
bool Unbalanced(const TMapTally& in_tally);

// The per-map line of the output.
std::string TallyLine(const TMapTally& in_tally);
// The balance table in Markdown, one row per map.
std::string BalanceTable(const std::vector<TMapTally>& in_tallies, const std::string& in_policies);
// The strength table in Markdown, one row per map: the wins of each policy,
// the first policy's share of the decided games and the share of draws.
std::string StrengthTable(const std::vector<TMapTally>& in_tallies, const std::string in_policies[2]);

// Runs the sessions; the output goes to out. Returns 0 when every game passed.
int RunSessions(const TRunnerConfig& in_config, std::ostream& out);

// Plays a replay file again in this process; returns 0 when it passes.
int RunReplay(const std::filesystem::path& in_path, std::ostream& out);
