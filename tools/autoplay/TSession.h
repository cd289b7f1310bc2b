#pragma once
// One session of the autoplay: the program started as its entry point starts
// it (the real TGame, the dice seeded from the clock, here the test clock that
// the seed sets), several whole games played through real window messages
// only, then the program closed through its own menus. Every step is checked;
// the first check that fails ends the session with a report, and the session's
// replay file (written as it goes) plays it again.
//
// Each game begins on the menu screen or the game screen with the map list,
// and ends when a queen falls (the finish screen, its box closed, the menu
// screen back) or, as a draw, at the turn cap.

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "autoplay/Strikes.h"
#include "autoplay/TAction.h"
#include "opponent/TBoard.h"
#include "autoplay/TReplay.h"
#include "autoplay/TWrongGame.h"

class TGameHarness;
class THands;
class TMap;
class TPolicy;

struct TSessionConfig {
  // The header of the replay: seed, policies (Policies[0] plays player 0 unless
  // swapped), whether the policies swap sides every other game, the turn cap,
  // how often a frame is drawn for real, and the maps of the working directory.
  TReplay Setup;
  // The map of each game, in order (names of Setup.Maps).
  std::vector<std::string> Schedule;
  // Who plays player 0 and player 1 in each game, in the order of Schedule;
  // a game without an entry is played by Setup's policies (swapped every other
  // game when Setup.Swap).
  std::vector<std::array<std::string, 2>> Pairings;
  // When set, no game starts after this time (the first always does).
  std::optional<std::chrono::steady_clock::time_point> Deadline;
  // When set, a game still running at this time is stopped after its current
  // order (every order it gave was checked), and no game starts after it.
  std::optional<std::chrono::steady_clock::time_point> StopAt;
  // Frames an awaited change may take before the game counts as soft-locked.
  int32_t FrameBound = 5000;
  // Where the replay file is written as the session goes; nothing when empty.
  std::filesystem::path ReplayPath;
  // When set, these games' recorded actions are played instead of the policies'.
  const TReplay* Replay = nullptr;
  // Tests only: the game is made wrong on purpose (TWrongGame), to show that
  // the checks catch it. Neither the command line nor a replay sets it.
  TGameFault Fault = TGameFault::None;
};

struct TGameResult {
  std::string Map;
  // Who played player 0 and player 1.
  std::string Policies[2];
  // The player who moved first, and the winner (-1 for a draw or a game stopped).
  int32_t FirstSide = 0;
  int32_t Winner = -1;
  // Stopped at the time budget before it ended.
  bool Stopped = false;
  // The policy that won (0 or 1, as in the setup's Policies), -1 for a draw.
  int32_t WinnerPolicy = -1;
  int32_t Turns = 0;
  int64_t Orders = 0;
  double Seconds = 0.0;
};

struct TSessionResult {
  std::vector<TGameResult> Games;
  int64_t Frames = 0;
  // What failed; empty when every check passed.
  std::string Failure;
};

class TSession {
 public:
  explicit TSession(TSessionConfig in_config);
  ~TSession();
  TSession(const TSession&) = delete;
  TSession& operator=(const TSession&) = delete;

  TSessionResult Run();

 private:
  void Play();
  TGameResult PlayGame(const std::string& in_map, size_t in_index);
  // The policies of game in_index, player 0's and player 1's, when the game
  // has its own (Pairings, or the replay's game line); null otherwise.
  const std::string* PairingOf(size_t in_index) const;
  // Whether the time to stop playing has come.
  bool PastStop() const;
  // The recorded action, or the policy's choice, for the player to move.
  std::optional<TAction> NextAction(const TBoard& in_board, size_t in_game, size_t& io_step);

  // Screens and menus.
  void OpenMapList();
  void LoadFromMapList(const std::wstring& in_row);
  void Quit();
  void FinishGame(TGameResult& io_result);
  void SaveAs(const std::string& in_name);

  // Actions, each checked.
  void Do(const TAction& in_action, const TBoard& in_board);
  void GiveOrder(const TAction& in_action, const TBoard& in_board);
  // Brings both cells into view, selects the mover with a click (checked) and
  // points at in_to; the map window.
  TMap* SelectAndPoint(TCellPos in_from, TCellPos in_to, const TStackView& in_mover);
  // Selects, points at a cell that is no target, then cancels or clicks it.
  void TryIllegal(const TAction& in_action, const TBoard& in_board);
  // The click during a walk, in_poke.Frames into it, which must change nothing.
  void Poke(const TPoke& in_poke, TMap& io_map, const std::function<bool()>& in_onScreen);
  void Probe(const TAction& in_action, const TBoard& in_board);
  void Pass(const TBoard& in_board);
  void LookIntoMenu(const TBoard& in_board);
  void SaveAndReload(TAction& io_action, const TBoard& in_board);

  // Waits until no order runs, nothing animates and no screen is pending.
  void Settle();
  // Fails when the game has logged anything (the run would end with "Fatal Error").
  void CheckLog() const;
  // Fails when a player's stack list and the stacks on the grid disagree.
  void CheckStackLists() const;
  // Fails when the marks on the map are not the route's cells.
  void CheckRouteMarks(const TMap& in_map) const;
  // Fails when the strike on in_target with these rolls did not leave
  // in_after as the rules do; counts its damage.
  void CheckStrike(const TStackView& in_target, const std::vector<int32_t>& in_rolls,
                   const std::optional<TStackView>& in_after, TCellPos in_cell);
  // On the game screen at rest: fails when a stack without lives is still there.
  void CheckNoDeadStacks() const;
  // Fails when a player has lost a queen and no finish screen comes.
  void CheckFallenQueens() const;
  // The index of the route cell that holds the mover now.
  std::optional<size_t> MoverOnRoute(const std::vector<TCellPos>& in_route, const TStackView& in_mover) const;
  bool OnGameScreen() const;
  bool OnMenuScreen() const;

  TSessionConfig Config_;
  std::unique_ptr<TGameHarness> Harness_;
  std::unique_ptr<TWrongGame> WrongGame_;
  std::unique_ptr<THands> Hands_;
  std::unique_ptr<TPolicy> Policies_[2];
  // The players of the game in progress when it has its own pairing.
  std::unique_ptr<TPolicy> GamePolicies_[2];
  std::unique_ptr<TReplayWriter> Writer_;
  TSessionResult Result_;
  int64_t Orders_ = 0;
  // How many queens each player had when the game began.
  int32_t QueensAtStart_[2] = {0, 0};
  // The damage of every strike of the session.
  TDamageTally Damage_{};
};
