#pragma once
// Replay files: one session of the autoplay (one run of the program, several
// games) as text that plays it again: the seed that starts the test clock (and
// so the game's own dice), the map files the working directory held, byte for
// byte, and every game's map and actions in order. A session writes its file
// as it goes, a line at a time, so a crash leaves the actions up to it.
//
//   krambol-autoplay-replay 1
//   seed 12345
//   policies random greedy
//   swap 0
//   turns 2000
//   draw-every 16
//   map duel.map 2714          the name and the byte count, a line break, the bytes, a line break
//   game duel.map              a game on the map, played by the header's policies
//   game duel.map greedy random  ... or by these, for player 0 and player 1
//   order 0 3 4 4              the actions (TAction.h)
//   result win 1 turns 17      how the game ended: "win" and the winner, "draw" at
//                              the turn cap, or "stopped" at the time budget
//   quit
//   failure <what went wrong>  only in the file of a failed session
// Lines starting with "#" are comments.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "autoplay/TAction.h"

struct TMapFile {
  std::string Name;
  std::string Bytes;
};

struct TReplayGame {
  std::string Map;
  // Who played player 0 and player 1, when not the header's policies.
  std::string Policies[2];
  std::vector<TAction> Actions;
  // The result line's words after "result", empty when the file ends before it.
  std::string Result;
};

struct TReplay {
  uint32_t Seed = 1;
  std::string Policies[2] = {"random", "random"};
  bool Swap = false;
  int32_t Turns = 2000;
  int32_t DrawEvery = 0;
  std::vector<TMapFile> Maps;
  std::vector<TReplayGame> Games;
  bool Quit = false;
  std::string Failure;
};

// Reads a replay file; false with the reason in out_error when it is not one.
bool ReadReplay(const std::filesystem::path& in_path, TReplay& out_replay, std::string& out_error);

// Writes a session's replay file line by line, flushing each line.
class TReplayWriter {
 public:
  // Writes the header and the maps of the replay (its games are written as they are played).
  TReplayWriter(const std::filesystem::path& in_path, const TReplay& in_header);
  TReplayWriter(const TReplayWriter&) = delete;
  TReplayWriter& operator=(const TReplayWriter&) = delete;

  bool Good() const { return File_.good(); }
  // A game on in_map; in_policies, when not empty, are player 0's and player 1's.
  void Game(const std::string& in_map, const std::string* in_policies = nullptr);
  void Action(const TAction& in_action);
  void Result(const std::string& in_result);
  void Quit();
  void Failure(const std::string& in_what);
  void Comment(const std::string& in_text);

 private:
  void Line(const std::string& in_line);

  std::ofstream File_;
};
