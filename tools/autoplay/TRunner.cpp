#include "autoplay/TRunner.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>

#include "autoplay/TPolicy.h"
#include "autoplay/TSession.h"
#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "headless/GameHarness.h"
#include "platform/PlatformTest.h"
#include "platform/Win32.h"
#include "shell/ErrorLog.h"

namespace {

using TClock = std::chrono::steady_clock;

// How many bytes of a failed session's error output go into its report.
constexpr size_t kLogTail = 16000;

struct TChild {
  pid_t Pid = 0;
  uint32_t Seed = 0;
  size_t Map = 0;
  std::filesystem::path Replay;
  std::filesystem::path Results;
  std::filesystem::path Log;
  uintmax_t ReplaySize = 0;
  TClock::time_point LastGrowth;
};

std::string Fixed(double value, int decimals) {
  std::ostringstream text;
  text << std::fixed << std::setprecision(decimals) << value;
  return text.str();
}

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The session's file stem: its seed.
std::filesystem::path SessionFile(const TRunnerConfig& config, uint32_t seed, const char* extension) {
  return config.ReplayDir / ("session-" + std::to_string(seed) + extension);
}

// Writes one game result per line: map, first side, winner, turns, orders,
// seconds, whether it was stopped, and who played player 0 and player 1.
void WriteResults(const std::filesystem::path& path, const TSessionResult& result) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  for (const TGameResult& game : result.Games)
    file << "game " << game.Map << " " << game.FirstSide << " " << game.Winner << " " << game.Turns << " "
         << game.Orders << " " << Fixed(game.Seconds, 6) << " " << (game.Stopped ? 1 : 0) << " "
         << game.Policies[0] << " " << game.Policies[1] << " " << game.WinnerPolicy << "\n";
  file << "frames " << result.Frames << "\n";
  if (!result.Failure.empty()) file << "failure\n";
}

// The games of a results file. complete: the file ends with its frames line,
// which a session writes only after its last game.
std::vector<TGameResult> ReadResults(const std::filesystem::path& path, bool& failed, bool& complete) {
  std::vector<TGameResult> games;
  std::ifstream file(path);
  std::string verb;
  failed = false;
  complete = false;
  while (file >> verb) {
    if (verb == "game") {
      TGameResult game;
      file >> game.Map >> game.FirstSide >> game.Winner >> game.Turns >> game.Orders >> game.Seconds >>
          game.Stopped >> game.Policies[0] >> game.Policies[1] >> game.WinnerPolicy;
      games.push_back(game);
    } else if (verb == "failure") {
      failed = true;
    } else if (verb == "frames") {
      int64_t frames = 0;
      complete = static_cast<bool>(file >> frames);
    } else {
      std::string ignored;
      std::getline(file, ignored);
    }
  }
  return games;
}

void Count(TMapTally& tally, const TGameResult& game) {
  ++tally.Games;
  tally.Orders += game.Orders;
  tally.Turns += game.Turns;
  tally.Seconds += game.Seconds;
  if (game.Winner >= 0 && (game.WinnerPolicy == 0 || game.WinnerPolicy == 1)) ++tally.PolicyWins[game.WinnerPolicy];
  if (game.Stopped) {
    ++tally.Stopped;
  } else if (game.Winner < 0) {
    ++tally.Draws;
  } else if (game.Winner == game.FirstSide) {
    ++tally.FirstWins;
  } else {
    ++tally.SecondWins;
  }
}

// The line of one game: its session's seed and its number there, who played
// and how it ended.
std::string GameLine(uint32_t seed, size_t index, const TGameResult& game) {
  std::string line = "  " + game.Map + " seed " + std::to_string(seed) + " game " + std::to_string(index + 1) + ": " +
                     game.Policies[0] + " against " + game.Policies[1] + ", ";
  if (game.Stopped)
    line += "stopped at the time budget";
  else if (game.Winner < 0)
    line += "a draw at the turn cap";
  else
    line += "player " + std::to_string(game.Winner) + " won (a queen fell)";
  return line + " after " + std::to_string(game.Turns) + " turns, " + std::to_string(game.Orders) + " orders";
}

TSessionConfig SessionConfig(const TRunnerConfig& config, uint32_t seed, size_t map, int32_t games,
                             std::optional<TClock::time_point> deadline,
                             std::optional<TClock::time_point> stopAt) {
  TSessionConfig session;
  session.Setup.Seed = seed;
  session.Setup.Policies[0] = config.Policies[0];
  session.Setup.Policies[1] = config.Policies[1];
  session.Setup.Swap = config.Swap;
  session.Setup.Turns = config.Turns;
  session.Setup.DrawEvery = config.DrawEvery;
  session.Setup.Maps = {config.Maps[map]};
  session.Schedule.assign(static_cast<size_t>(games), config.Maps[map].Name);
  if (config.Mix) {
    // Each session starts the turn of pairings at another place.
    const auto& pairings = MixedPairings();
    for (int32_t i = 0; i < games; ++i) session.Pairings.push_back(pairings[(seed + static_cast<uint32_t>(i)) % pairings.size()]);
  }
  session.Deadline = deadline;
  session.StopAt = stopAt;
  session.FrameBound = config.FrameBound;
  session.ReplayPath = SessionFile(config, seed, ".replay");
  return session;
}

// In the child: plays the session, writes its results, and ends the process.
[[noreturn]] void RunChild(const TRunnerConfig& config, const TChild& child, int32_t games,
                           std::optional<TClock::time_point> deadline, std::optional<TClock::time_point> stopAt) {
  const int log = open(child.Log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (log >= 0) {
    dup2(log, STDERR_FILENO);
    dup2(log, STDOUT_FILENO);
    close(log);
  }
  TSession session(SessionConfig(config, child.Seed, child.Map, games, deadline, stopAt));
  const TSessionResult result = session.Run();
  WriteResults(child.Results, result);
  if (!result.Failure.empty()) std::fprintf(stderr, "autoplay: %s\n", result.Failure.c_str());
  std::fflush(nullptr);
  // A normal exit, so that the leak checker of a sanitizer build has its say.
  std::exit(result.Failure.empty() ? 0 : 3);
}

std::string DescribeEnd(int status, bool complete) {
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 && !complete)
    return "the session exited without its results (no results file, or one cut short)";
  if (WIFSIGNALED(status)) return "crash: the session died of signal " + std::to_string(WTERMSIG(status)) + " (" + strsignal(WTERMSIG(status)) + ")";
  if (WIFEXITED(status) && WEXITSTATUS(status) == 3) return "a check failed";
  if (WIFEXITED(status)) return "sanitizer report or abnormal end: the session exited with status " + std::to_string(WEXITSTATUS(status));
  return "the session ended abnormally";
}

// Every session decodes the same pictures when its games load. Decoded once
// here, before the sessions are forked, they are kept in this process (the
// platform's store of decoded images, keyed by path and bytes), and each
// session copies them from the memory it inherits instead of decoding again.
// Only pictures are loaded: no window, font or thread exists here to be
// caught half-way by a fork.
void DecodePicturesOnce() {
  PlatformTest::KeepDecodedImages(true);
  std::error_code error;
  const std::filesystem::path previous = std::filesystem::current_path(error);
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path(error) / ("krambol-autoplay-pictures-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch, error);
  // The same relative paths as a session's working directory gives them.
  std::filesystem::create_directory_symlink(GeneratedResDir(), scratch / "res", error);
  if (!error) {
    std::filesystem::current_path(scratch, error);
    ULONG_PTR token = 0;
    GdiplusStartupInput input;
    if (!error && GdiplusStartup(&token, &input, nullptr) == Ok) {
      RegisterTextures();
      for (TTexture* texture : RegisteredTextures()) {
        texture->Acquire();
        texture->Release();
      }
      FreeTextures();
      GdiplusShutdown(token);
    }
  }
  // A picture that failed to load is logged; the sessions load it again and say so.
  ClearErrorLogForTests();
  std::filesystem::current_path(previous, error);
  std::filesystem::remove_all(scratch, error);
}


// The share of in_wins among in_decided games, with its 95 % Wilson interval.
TShare WilsonShare(int64_t in_wins, int64_t in_decided) {
  TShare share;
  const double decided = static_cast<double>(in_decided);
  if (decided <= 0) return share;
  const double p = in_wins / decided;
  const double z = 1.959963984540054;
  const double denominator = 1 + z * z / decided;
  const double centre = (p + z * z / (2 * decided)) / denominator;
  const double half = z * std::sqrt(p * (1 - p) / decided + z * z / (4 * decided * decided)) / denominator;
  share.Percent = 100 * p;
  share.Low = 100 * std::max(0.0, centre - half);
  share.High = 100 * std::min(1.0, centre + half);
  return share;
}

// The share and its interval as the tables show them; a map without a
// decided game has neither.
std::string ShareText(const TShare& in_share, int64_t in_decided) {
  if (in_decided <= 0) return "no decided game";
  return Fixed(in_share.Percent, 1) + " % (" + Fixed(in_share.Low, 1) + " to " + Fixed(in_share.High, 1) + " %)";
}

}  // namespace

TShare FirstSideShare(const TMapTally& in_tally) {
  return WilsonShare(in_tally.FirstWins, in_tally.FirstWins + in_tally.SecondWins);
}

TShare FirstPolicyShare(const TMapTally& in_tally) {
  return WilsonShare(in_tally.PolicyWins[0], in_tally.PolicyWins[0] + in_tally.PolicyWins[1]);
}

bool Unbalanced(const TMapTally& in_tally) {
  const TShare share = FirstSideShare(in_tally);
  return share.Percent < 40.0 || share.Percent > 60.0;
}

std::string TallyLine(const TMapTally& in_tally) {
  const double games = static_cast<double>(std::max<int64_t>(1, in_tally.Games));
  const double seconds = std::max(1e-9, in_tally.Seconds);
  return in_tally.Map + ": " + std::to_string(in_tally.Games) + " games, " +
         std::to_string(in_tally.FirstWins + in_tally.SecondWins) + " ended by a queen's fall, " +
         std::to_string(in_tally.Draws) + " draws, " + std::to_string(in_tally.Stopped) + " stopped, " +
         std::to_string(in_tally.Orders) + " orders, wins " + std::to_string(in_tally.FirstWins) + " first side / " +
         std::to_string(in_tally.SecondWins) + " second side, " +
         Fixed(in_tally.Turns / games, 1) + " turns per game, " + Fixed(in_tally.Orders / seconds, 0) +
         " orders/s, " + Fixed(in_tally.Games / seconds, 1) + " games/s";
}

std::string BalanceTable(const std::vector<TMapTally>& in_tallies, const std::string& in_policies) {
  std::ostringstream table;
  table << "Policies: " << in_policies << ", sides swapped every other game.\n\n";
  table << "| Map | Games | First side wins | Second side wins | Draws | First side share of decided games (95 % interval) | Verdict |\n";
  table << "|---|---|---|---|---|---|---|\n";
  for (const TMapTally& tally : in_tallies) {
    const int64_t decided = tally.FirstWins + tally.SecondWins;
    const std::string verdict = decided <= 0 ? "no decided game" : Unbalanced(tally) ? "unbalanced" : "balanced";
    table << "| " << tally.Map << " | " << tally.Games << " | " << tally.FirstWins << " | " << tally.SecondWins << " | "
          << tally.Draws << " | " << ShareText(FirstSideShare(tally), decided) << " | " << verdict << " |\n";
  }
  return table.str();
}

std::string StrengthTable(const std::vector<TMapTally>& in_tallies, const std::string in_policies[2]) {
  std::ostringstream table;
  table << "Policies: " << in_policies[0] << " against " << in_policies[1] << ", sides swapped every other game.\n\n";
  table << "| Map | Games | " << in_policies[0] << " wins | " << in_policies[1] << " wins | Draws | " << in_policies[0]
        << " share of decided games (95 % interval) | Draws |\n";
  table << "|---|---|---|---|---|---|---|\n";
  for (const TMapTally& tally : in_tallies) {
    const double draws = tally.Games > 0 ? 100.0 * tally.Draws / tally.Games : 0.0;
    table << "| " << tally.Map << " | " << tally.Games << " | " << tally.PolicyWins[0] << " | " << tally.PolicyWins[1]
          << " | " << tally.Draws << " | "
          << ShareText(FirstPolicyShare(tally), tally.PolicyWins[0] + tally.PolicyWins[1]) << " | " << Fixed(draws, 1)
          << " % |\n";
  }
  return table.str();
}

int RunSessions(const TRunnerConfig& in_config, std::ostream& out) {
  std::filesystem::create_directories(in_config.ReplayDir);
  DecodePicturesOnce();
  const auto start = TClock::now();
  const std::optional<TClock::time_point> deadline =
      in_config.Seconds ? std::optional(start + std::chrono::duration_cast<TClock::duration>(
                                                    std::chrono::duration<double>(*in_config.Seconds)))
                        : std::nullopt;
  out << "autoplay: seed " << in_config.Seed << ", policies ";
  if (in_config.Mix) {
    out << "mixed (";
    for (const auto& pairing : MixedPairings())
      out << (&pairing == &MixedPairings().front() ? "" : ", ") << pairing[0] << " against " << pairing[1];
    out << ")";
  } else {
    out << in_config.Policies[0] << " and " << in_config.Policies[1] << (in_config.Swap ? " (swapped every other game)" : "");
  }
  out << ", " << in_config.Maps.size() << " maps" << std::endl;

  std::vector<TMapTally> tallies(in_config.Maps.size());
  for (size_t i = 0; i < tallies.size(); ++i) tallies[i].Map = in_config.Maps[i].Name;
  std::vector<int64_t> scheduled(in_config.Maps.size(), 0);
  std::vector<TChild> running;
  uint32_t nextSeed = in_config.Seed;
  size_t nextMap = 0;
  int64_t passed = 0;
  int64_t failed = 0;
  std::string failure;

  sigset_t childSignals;
  sigemptyset(&childSignals);
  sigaddset(&childSignals, SIGCHLD);
  sigprocmask(SIG_BLOCK, &childSignals, nullptr);

  const auto moreToRun = [&]() -> std::optional<std::pair<size_t, int32_t>> {
    if (!failure.empty() || in_config.Maps.empty()) return std::nullopt;
    if (deadline) {
      // Every map is played at least once, even when a long game used up the budget.
      if (TClock::now() >= *deadline && nextMap >= in_config.Maps.size()) return std::nullopt;
      const size_t map = nextMap++ % in_config.Maps.size();
      return std::pair(map, in_config.GamesPerSession);
    }
    for (size_t k = 0; k < in_config.Maps.size(); ++k) {
      const size_t map = (nextMap + k) % in_config.Maps.size();
      const int64_t left = in_config.GamesPerMap - scheduled[map];
      if (left > 0) {
        nextMap = map + 1;
        const int32_t games = static_cast<int32_t>(std::min<int64_t>(left, in_config.GamesPerSession));
        scheduled[map] += games;
        return std::pair(map, games);
      }
    }
    return std::nullopt;
  };

  while (true) {
    while (static_cast<int32_t>(running.size()) < std::max(1, in_config.Jobs)) {
      const auto next = moreToRun();
      if (!next) break;
      TChild child;
      child.Seed = nextSeed++;
      child.Map = next->first;
      child.Replay = SessionFile(in_config, child.Seed, ".replay");
      child.Results = SessionFile(in_config, child.Seed, ".results");
      child.Log = SessionFile(in_config, child.Seed, ".log");
      child.LastGrowth = TClock::now();
      std::fflush(nullptr);
      out.flush();
      // With a time budget every map gets its share: a session stops starting
      // games once its slice of the budget is over.
      std::optional<TClock::time_point> sessionDeadline = deadline;
      if (deadline) {
        const double slice = *in_config.Seconds * std::max(1, in_config.Jobs) / static_cast<double>(in_config.Maps.size());
        sessionDeadline = std::min(*deadline, TClock::now() + std::chrono::duration_cast<TClock::duration>(
                                                                  std::chrono::duration<double>(slice)));
      }
      const pid_t pid = fork();
      if (pid < 0) {
        failure = "cannot start a session: " + std::string(std::strerror(errno));
        break;
      }
      if (pid == 0) {
        sigprocmask(SIG_UNBLOCK, &childSignals, nullptr);
        RunChild(in_config, child, next->second, sessionDeadline, deadline);
      }
      child.Pid = pid;
      running.push_back(child);
    }
    if (running.empty()) break;

    // Wait for a session to end, looking for hung ones every second.
    const timespec second{1, 0};
    sigtimedwait(&childSignals, nullptr, &second);
    for (TChild& child : running) {
      std::error_code error;
      const uintmax_t size = std::filesystem::file_size(child.Replay, error);
      if (!error && size != child.ReplaySize) {
        child.ReplaySize = size;
        child.LastGrowth = TClock::now();
      } else if (std::chrono::duration<double>(TClock::now() - child.LastGrowth).count() > in_config.HangSeconds) {
        std::ofstream(child.Log, std::ios::app) << "autoplay: hang: no action for " << in_config.HangSeconds
                                                << " seconds; the session was killed\n";
        kill(child.Pid, SIGKILL);
        child.LastGrowth = TClock::now();
      }
    }
    for (auto it = running.begin(); it != running.end();) {
      int status = 0;
      if (waitpid(it->Pid, &status, WNOHANG) != it->Pid) {
        ++it;
        continue;
      }
      bool checkFailed = false;
      bool complete = false;
      const std::vector<TGameResult> games = ReadResults(it->Results, checkFailed, complete);
      for (size_t i = 0; i < games.size(); ++i) {
        Count(tallies[it->Map], games[i]);
        if (in_config.ListGames) out << GameLine(it->Seed, i, games[i]) << "\n";
      }
      passed += static_cast<int64_t>(games.size());
      const bool clean = WIFEXITED(status) && WEXITSTATUS(status) == 0 && !checkFailed && complete;
      if (clean) {
        if (!in_config.KeepReplays) {
          std::filesystem::remove(it->Replay);
          std::filesystem::remove(it->Log);
        }
        std::filesystem::remove(it->Results);
      } else {
        ++failed;
        std::string log = ReadAll(it->Log);
        if (log.size() > kLogTail) log = "...\n" + log.substr(log.size() - kLogTail);
        std::ofstream replay(it->Replay, std::ios::app);
        replay << "# " << DescribeEnd(status, complete) << "\n";
        std::istringstream lines(log);
        for (std::string line; std::getline(lines, line);) replay << "# " << line << "\n";
        if (failure.empty()) {
          failure = "FAILED: " + in_config.Maps[it->Map].Name + ", session seed " + std::to_string(it->Seed) + ": " +
                    DescribeEnd(status, complete) + "\n" + log + "replay: " + std::filesystem::absolute(it->Replay).string();
        }
        std::filesystem::remove(it->Results);
      }
      it = running.erase(it);
    }
    // After a failure the sessions still running are stopped.
    if (!failure.empty()) {
      for (const TChild& child : running) kill(child.Pid, SIGKILL);
    }
  }
  sigprocmask(SIG_UNBLOCK, &childSignals, nullptr);
  PlatformTest::KeepDecodedImages(false);
  // A run that played nothing has checked nothing.
  if (failure.empty() && passed == 0) failure = "FAILED: no game was played";

  TMapTally total;
  for (const TMapTally& tally : tallies) {
    out << TallyLine(tally) << "\n";
    total.Games += tally.Games;
    total.Orders += tally.Orders;
    total.Draws += tally.Draws;
    total.Stopped += tally.Stopped;
    total.FirstWins += tally.FirstWins;
    total.SecondWins += tally.SecondWins;
  }
  out << "whole games " << total.Games - total.Stopped << " (" << total.FirstWins + total.SecondWins
      << " ended by a queen's fall, " << total.Draws << " draws at the turn cap), " << total.Stopped
      << " stopped at the time budget, " << total.Orders << " orders checked\n";
  if (!failure.empty()) out << failure << "\n";
  if (!in_config.Report.empty()) {
    std::ofstream report(in_config.Report, std::ios::binary | std::ios::trunc);
    if (in_config.Policies[0] == in_config.Policies[1]) {
      report << BalanceTable(tallies, in_config.Policies[0] + " against " + in_config.Policies[1]);
    } else {
      report << StrengthTable(tallies, in_config.Policies);
    }
  }
  out << "time " << Fixed(std::chrono::duration<double>(TClock::now() - start).count(), 1) << " s\n";
  out << passed << " passed, " << failed << " failed" << std::endl;
  return failed == 0 && failure.empty() ? 0 : 1;
}

int RunReplay(const std::filesystem::path& in_path, std::ostream& out) {
  TReplay replay;
  std::string error;
  if (!ReadReplay(in_path, replay, error)) {
    out << "autoplay: " << error << "\n0 passed, 1 failed" << std::endl;
    return 1;
  }
  TSessionConfig config;
  config.Setup = replay;
  config.Setup.Games.clear();
  config.Replay = &replay;
  TSession session(config);
  const TSessionResult result = session.Run();
  std::map<std::string, TMapTally> tallies;
  for (const TGameResult& game : result.Games) {
    TMapTally& tally = tallies[game.Map];
    tally.Map = game.Map;
    Count(tally, game);
  }
  for (const auto& [name, tally] : tallies) out << TallyLine(tally) << "\n";
  const int64_t games = static_cast<int64_t>(result.Games.size());
  if (result.Failure.empty() && games == 0) {
    out << "FAILED: the replay played no game\n0 passed, 1 failed" << std::endl;
    return 1;
  }
  if (!result.Failure.empty()) {
    out << "FAILED: " << result.Failure << "\n" << games << " passed, 1 failed" << std::endl;
    return 1;
  }
  out << games << " passed, 0 failed" << std::endl;
  return 0;
}
