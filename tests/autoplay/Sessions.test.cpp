#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>

#include "autoplay/TPolicy.h"
#include "autoplay/TRunner.h"
#include "autoplay/TSession.h"

namespace {

TMapFile SampleMap(const std::string& in_name) {
  std::ifstream file(std::filesystem::path(KRAMBOL_MAPS_DIR) / in_name, std::ios::binary);
  return TMapFile{in_name, std::string(std::istreambuf_iterator<char>(file), {})};
}

// A scratch folder for replay files, removed at the end.
class SessionTest : public ::testing::Test {
 protected:
  SessionTest()
      : Dir_(std::filesystem::temp_directory_path() / ("autoplay-test-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(Dir_);
  }
  ~SessionTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(Dir_, ignored);
  }

  TSessionConfig Config(const std::string& in_policy, uint32_t in_seed, int in_games, int in_turns, int in_drawEvery) {
    TSessionConfig config;
    config.Setup.Seed = in_seed;
    config.Setup.Policies[0] = config.Setup.Policies[1] = in_policy;
    config.Setup.Turns = in_turns;
    config.Setup.DrawEvery = in_drawEvery;
    config.Setup.Maps = {SampleMap("duel.map")};
    config.Schedule.assign(static_cast<size_t>(in_games), "duel.map");
    config.ReplayPath = Dir_ / "session.replay";
    return config;
  }

  std::filesystem::path Dir_;
};

void ExpectSameGames(const TSessionResult& a, const TSessionResult& b) {
  ASSERT_EQ(a.Games.size(), b.Games.size());
  for (size_t i = 0; i < a.Games.size(); ++i) {
    EXPECT_EQ(a.Games[i].Winner, b.Games[i].Winner) << i;
    EXPECT_EQ(a.Games[i].Turns, b.Games[i].Turns) << i;
    EXPECT_EQ(a.Games[i].Orders, b.Games[i].Orders) << i;
  }
  EXPECT_EQ(a.Frames, b.Frames);
}

// Plays the replay again: it must pass and go as the games it recorded went.
TSessionResult ExpectReplayPlaysTheSame(const TReplay& replay, const TSessionResult& played) {
  TSessionConfig again;
  again.Setup = replay;
  again.Replay = &replay;
  TSession replayed(again);
  const TSessionResult second = replayed.Run();
  EXPECT_EQ(second.Failure, "");
  ExpectSameGames(played, second);
  return second;
}

}  // namespace

TEST_F(SessionTest, WholeGamesPassEveryCheckAndTheirReplayPlaysThemAgain) {
  TSession session(Config("greedy", 21, 3, 2000, 4));
  const TSessionResult played = session.Run();
  ASSERT_EQ(played.Failure, "");
  ASSERT_EQ(played.Games.size(), 3u);
  for (const TGameResult& game : played.Games) {
    EXPECT_NE(game.Winner, -1) << "greedy games on the duel map end with a fallen queen";
    EXPECT_EQ(game.FirstSide, 0);
    EXPECT_GT(game.Orders, 0);
  }

  TReplay replay;
  std::string error;
  ASSERT_TRUE(ReadReplay(Dir_ / "session.replay", replay, error)) << error;
  EXPECT_TRUE(replay.Quit);
  ASSERT_EQ(replay.Games.size(), 3u);
  ExpectReplayPlaysTheSame(replay, played);
}

TEST_F(SessionTest, RandomPlayDrawsAtTheTurnCapAndASeedRepeatsIt) {
  TSession first(Config("random", 8, 2, 40, 0));
  const TSessionResult a = first.Run();
  ASSERT_EQ(a.Failure, "");
  ASSERT_EQ(a.Games.size(), 2u);
  for (const TGameResult& game : a.Games) {
    if (game.Winner == -1) {
      EXPECT_EQ(game.Turns, 40);
    }
    EXPECT_LE(game.Turns, 40);
  }
  TSession second(Config("random", 8, 2, 40, 0));
  ExpectSameGames(a, second.Run());
}

// At the time to stop, the game in progress ends after its current order and
// counts as stopped, not drawn; no game starts after it; its replay ends it the same way.
TEST_F(SessionTest, AGameRunningAtTheStopIsStoppedAfterItsOrderAndItsReplayStopsToo) {
  TSessionConfig config = Config("random", 31, 3, 2000, 0);
  config.Setup.Maps = {SampleMap("highlands.map")};
  config.Schedule.assign(3, "highlands.map");
  const auto start = std::chrono::steady_clock::now();
  config.StopAt = start + std::chrono::milliseconds(1500);
  TSession session(config);
  const TSessionResult played = session.Run();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(played.Failure, "");
  ASSERT_EQ(played.Games.size(), 1u);
  EXPECT_TRUE(played.Games[0].Stopped);
  EXPECT_EQ(played.Games[0].Winner, -1);
  EXPECT_LT(played.Games[0].Turns, 2000);
  // Random play on the largest map takes minutes to end; the stop comes within an order or so.
  EXPECT_LT(seconds, 15.0);

  TReplay replay;
  std::string error;
  ASSERT_TRUE(ReadReplay(Dir_ / "session.replay", replay, error)) << error;
  ASSERT_EQ(replay.Games.size(), 1u);
  EXPECT_EQ(replay.Games[0].Result, "stopped turns " + std::to_string(played.Games[0].Turns));
  const TSessionResult second = ExpectReplayPlaysTheSame(replay, played);
  ASSERT_EQ(second.Games.size(), 1u);
  EXPECT_TRUE(second.Games[0].Stopped);
}

// A mixed run gives the games the pairings in turn, lists every game with the
// seed and number that play it again, and its replay names each game's players.
TEST_F(SessionTest, AMixedRunPlaysEveryPairingAndListsEachGame) {
  TRunnerConfig config;
  config.Maps = {SampleMap("duel.map")};
  config.Mix = true;
  config.ListGames = true;
  config.KeepReplays = true;
  config.GamesPerMap = static_cast<int32_t>(MixedPairings().size());
  config.Turns = 60;
  config.Seed = 40;
  config.ReplayDir = Dir_ / "replays";
  std::ostringstream out;
  ASSERT_EQ(RunSessions(config, out), 0) << out.str();
  const std::string text = out.str();
  for (size_t i = 0; i < MixedPairings().size(); ++i) {
    const auto& pairing = MixedPairings()[i];
    EXPECT_NE(text.find("duel.map seed 40 game " + std::to_string(i + 1) + ": "), std::string::npos) << text;
    EXPECT_NE(text.find(": " + pairing[0] + " against " + pairing[1] + ", "), std::string::npos) << text;
  }
  EXPECT_NE(text.find("\nwhole games " + std::to_string(MixedPairings().size()) + " ("), std::string::npos) << text;

  TReplay replay;
  std::string error;
  ASSERT_TRUE(ReadReplay(config.ReplayDir / "session-40.replay", replay, error)) << error;
  ASSERT_EQ(replay.Games.size(), MixedPairings().size());
  std::set<std::string> pairings;
  for (const TReplayGame& game : replay.Games) pairings.insert(game.Policies[0] + " " + game.Policies[1]);
  EXPECT_EQ(pairings.size(), MixedPairings().size());
  std::ostringstream again;
  EXPECT_EQ(RunReplay(config.ReplayDir / "session-40.replay", again), 0) << again.str();
}

// A run on a time budget ends close to it, whatever the games, and counts the
// games it stopped apart from the draws.
TEST_F(SessionTest, ARunOnATimeBudgetEndsCloseToItAndCountsTheStoppedGames) {
  TRunnerConfig config;
  config.Maps = {SampleMap("highlands.map")};
  config.Seconds = 2.0;
  config.Jobs = 2;
  config.Seed = 9;
  config.ReplayDir = Dir_ / "replays";
  std::ostringstream out;
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunSessions(config, out), 0) << out.str();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_LT(seconds, 12.0) << out.str();
  // Two sessions at once, each stopped in its first game.
  EXPECT_NE(out.str().find("highlands.map: 2 games, 0 ended by a queen's fall, 0 draws, 2 stopped, "), std::string::npos)
      << out.str();
  EXPECT_NE(out.str().find("\nwhole games 0 (0 ended by a queen's fall, 0 draws at the turn cap), 2 stopped at the "
                           "time budget, "),
            std::string::npos)
      << out.str();
}

TEST_F(SessionTest, EveryKindOfActionPlaysThroughTheMenusAndIsChecked) {
  TReplay replay;
  std::string error;
  ASSERT_TRUE(ReadReplay(KRAMBOL_REPLAYS_DIR "/every-action.replay", replay, error)) << error;
  ASSERT_EQ(replay.Games.size(), 1u);
  std::set<TActionKind> kinds;
  for (const TAction& action : replay.Games[0].Actions) kinds.insert(action.Kind);
  EXPECT_EQ(kinds.size(), 7u);
  TSessionConfig config;
  config.Setup = replay;
  config.Replay = &replay;
  config.ReplayPath = Dir_ / "session.replay";
  TSession session(config);
  const TSessionResult result = session.Run();
  ASSERT_EQ(result.Failure, "");
  ASSERT_EQ(result.Games.size(), 1u);
  EXPECT_EQ(result.Games[0].Turns, 5);
  EXPECT_EQ(result.Games[0].Orders, 3);

  // An order a player cannot give stops the session with what was wrong.
  replay.Games[0].Actions = {*ParseAction("order 9 4 0 3")};
  replay.Games[0].Result.clear();
  TSession wrong(config);
  const TSessionResult refused = wrong.Run();
  EXPECT_NE(refused.Failure.find("not a legal order"), std::string::npos) << refused.Failure;
  std::ifstream file(Dir_ / "session.replay");
  const std::string written(std::istreambuf_iterator<char>(file), {});
  EXPECT_NE(written.find("\nfailure "), std::string::npos);
}

TEST_F(SessionTest, TheRunnerReportsGamesPerMapAndAFailureWithItsReplay) {
  TRunnerConfig config;
  config.Maps = {SampleMap("duel.map")};
  config.Policies[0] = config.Policies[1] = "greedy";
  config.GamesPerMap = 2;
  config.Seed = 77;
  config.ReplayDir = Dir_ / "replays";
  config.Report = Dir_ / "balance.md";
  std::ostringstream out;
  EXPECT_EQ(RunSessions(config, out), 0) << out.str();
  EXPECT_NE(out.str().find("duel.map: 2 games, "), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("\n2 passed, 0 failed\n"), std::string::npos) << out.str();
  EXPECT_TRUE(std::filesystem::is_empty(config.ReplayDir));
  std::ifstream report(config.Report);
  const std::string table(std::istreambuf_iterator<char>(report), {});
  EXPECT_NE(table.find("| duel.map | 2 | "), std::string::npos) << table;

  // A map the game cannot open: the map list says so, and the run stops.
  config.Maps = {TMapFile{"broken.map", "0\r\n\"a\"\r\n\"b\"\r\n[0 0]\r\n"}};
  std::ostringstream failed;
  EXPECT_EQ(RunSessions(config, failed), 1);
  EXPECT_NE(failed.str().find("FAILED: broken.map, session seed 77"), std::string::npos) << failed.str();
  EXPECT_NE(failed.str().find("\n0 passed, 1 failed\n"), std::string::npos) << failed.str();
  EXPECT_TRUE(std::filesystem::exists(config.ReplayDir / "session-77.replay"));
}

TEST_F(SessionTest, ARunThatPlayedNoGameOrASessionWithoutResultsFails) {
  TRunnerConfig config;
  config.Maps = {SampleMap("duel.map")};
  config.Policies[0] = config.Policies[1] = "greedy";
  config.Seed = 91;
  config.ReplayDir = Dir_ / "replays";
  // Nothing asked for: nothing checked, which is no pass.
  config.GamesPerMap = 0;
  std::ostringstream none;
  EXPECT_EQ(RunSessions(config, none), 1) << none.str();
  EXPECT_NE(none.str().find("FAILED: no game was played"), std::string::npos) << none.str();

  // The session plays and passes, but its results cannot be written (a folder
  // stands where the file goes): the run cannot tell what was played.
  config.GamesPerMap = 1;
  std::filesystem::create_directories(config.ReplayDir / "session-91.results");
  std::ostringstream lost;
  EXPECT_EQ(RunSessions(config, lost), 1) << lost.str();
  EXPECT_NE(lost.str().find("the session exited without its results"), std::string::npos) << lost.str();

  // A replay without a game plays nothing either.
  std::ofstream(Dir_ / "empty.replay") << "krambol-autoplay-replay 1\nseed 1\nquit\n";
  std::ostringstream empty;
  EXPECT_EQ(RunReplay(Dir_ / "empty.replay", empty), 1) << empty.str();
  EXPECT_NE(empty.str().find("played no game"), std::string::npos) << empty.str();
}

TEST(TRunner, TheFirstSideShareCarriesItsIntervalAndTheVerdict) {
  TMapTally even{"even.map", 110, 0, 50, 50, 10, 0, 1.0};
  const TShare share = FirstSideShare(even);
  EXPECT_DOUBLE_EQ(share.Percent, 50.0);
  EXPECT_NEAR(share.Low, 40.4, 0.1);
  EXPECT_NEAR(share.High, 59.6, 0.1);
  EXPECT_FALSE(Unbalanced(even));
  TMapTally first{"first.map", 100, 0, 61, 39, 0, 0, 1.0};
  EXPECT_TRUE(Unbalanced(first));
  TMapTally second{"second.map", 100, 0, 39, 61, 0, 0, 1.0};
  EXPECT_TRUE(Unbalanced(second));
  const std::string table = BalanceTable({even, first}, "greedy against greedy");
  EXPECT_NE(table.find("| even.map | 110 | 50 | 50 | 10 | 50.0 % (40.4 to 59.6 %) | balanced |"), std::string::npos)
      << table;
  EXPECT_NE(table.find("| first.map | 100 | 61 | 39 | 0 | 61.0 % "), std::string::npos) << table;
  EXPECT_NE(table.find("unbalanced |"), std::string::npos);
  // The strength table counts wins by policy, whichever side each played.
  TMapTally strong{"strong.map", 100, 0, 45, 45, 10, 0, 1.0, {72, 18}};
  const std::string policies[2] = {"strong", "greedy"};
  const std::string strength = StrengthTable({strong}, policies);
  EXPECT_NE(strength.find("| Map | Games | strong wins | greedy wins | Draws | strong share of decided games"),
            std::string::npos)
      << strength;
  EXPECT_NE(strength.find("| strong.map | 100 | 72 | 18 | 10 | 80.0 % (70.6 to 87.0 %) | 10.0 % |"), std::string::npos)
      << strength;
  // Every game a draw: no share to give, and no verdict on the balance.
  TMapTally drawn{"drawn.map", 100, 0, 0, 0, 100, 0, 1.0};
  EXPECT_NE(BalanceTable({drawn}, "strong against strong")
                .find("| drawn.map | 100 | 0 | 0 | 100 | no decided game | no decided game |"),
            std::string::npos);
  EXPECT_NE(StrengthTable({drawn}, policies).find("| drawn.map | 100 | 0 | 0 | 100 | no decided game | 100.0 % |"),
            std::string::npos);
  EXPECT_EQ(TallyLine(TMapTally{"x.map", 4, 100, 1, 2, 1, 40, 2.0}),
            "x.map: 4 games, 3 ended by a queen's fall, 1 draws, 0 stopped, 100 orders, wins 1 first side / 2 second "
            "side, 10.0 turns per game, 50 orders/s, 2.0 games/s");
}

TEST_F(SessionTest, TheChecksCatchEveryWayTheGameIsMadeWrong) {
  // Each fault breaks one rule; the session that meets it first stops with
  // the report that names that rule.
  struct TCase {
    TGameFault Fault;
    const char* Policy;
    std::vector<std::string> Report;
  };
  const TCase cases[] = {
      {TGameFault::StrikeTakesNoLives, "greedy", {"a strike of ", " damage made ", " instead of "}},
      {TGameFault::StrikeIsSkipped, "greedy", {"the order onto ", " ended without a strike"}},
      {TGameFault::QueenFallIsIgnored, "greedy", {"fell and the game went on without the finish box"}},
      {TGameFault::WalkStopsShort, "random", {"the mover stopped at ", " instead of "}},
      {TGameFault::TurnCounterStays, "random", {"the order took the turn counter from 0 to 0"}},
      {TGameFault::RouteThroughStacks, "random", {"not legal: the route passes the occupied cell "}},
      {TGameFault::DeadStackStays, "greedy", {"has no lives left and was not removed"}},
      {TGameFault::WalkTakesClicks, "random", {" during the walk was not ignored: it selected a stack"}},
      {TGameFault::RouteToNoTarget, "random", {"pointing at ", ", showed the route "}},
      {TGameFault::WalkIgnoresRightClicks, "random", {"the walk stopped by a right click at ", " ended at "}},
  };
  for (const char* policy : {"greedy", "random"}) {
    TSession right(Config(policy, 5, 2, 300, 0));
    ASSERT_EQ(right.Run().Failure, "") << policy << ": the same games pass when the game is right";
  }
  for (const TCase& wrong : cases) {
    SCOPED_TRACE(FaultName(wrong.Fault));
    TSessionConfig config = Config(wrong.Policy, 5, 2, 300, 0);
    config.Fault = wrong.Fault;
    TSession session(config);
    const TSessionResult result = session.Run();
    for (const std::string& words : wrong.Report) EXPECT_NE(result.Failure.find(words), std::string::npos) << result.Failure;
  }
}
