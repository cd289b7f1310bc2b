#pragma once
// The network game the command line asked for (see TLaunchOptions), started
// after the first frame as the menus start one: the host loads its map and
// listens, the guest connects. It tells the host's port and code to the
// announce file once the host listens. When the computer plays this copy's
// side the run is unattended: the game's end (both copies agreeing on the
// position), or any fault, closes the program; the final position goes to the
// result file, a fault's text to the standard error, and the exit code says
// which came: 0 the game ended (or stopped at the turn cap), 1 a network
// fault, 3 the map or the result file could not be used.

#include <memory>
#include <string>

#include "versus/TLaunchOptions.h"

class TSide;
class TVersusApp;

class TLaunchedGame {
 public:
  static constexpr int kExitFinished = 0;
  static constexpr int kExitFault = 1;
  static constexpr int kExitFiles = 3;

  explicit TLaunchedGame(TLaunchOptions in_options = {}) : Options_(std::move(in_options)) {}

  const TLaunchOptions& Options() const { return Options_; }
  // Who plays this copy's side of a network game: the computer when asked, else the person.
  std::unique_ptr<TSide> LocalSide() const;
  // Called after every tick of the program.
  void AfterTick(TVersusApp& in_app);
  // Whether the run is over (an unattended one closes the program then).
  bool Over() const { return Stage_ == TStage::Over; }
  // The exit code of an unattended run; kExitFinished until something failed.
  int ExitCode() const { return ExitCode_; }

 private:
  enum class TStage { Start, Following, Over };

  void Begin(TVersusApp& in_app);
  void Follow(TVersusApp& in_app);
  void Announce(TVersusApp& in_app);
  // The game ended with both copies agreeing: the result file, then the end.
  void EndAgreed(const std::string& in_message);
  // The run ends with in_code; in_message goes to the standard error.
  void End(int in_code, const std::string& in_message);

  TLaunchOptions Options_;
  TStage Stage_ = TStage::Start;
  bool Announced_ = false;
  int ExitCode_ = kExitFinished;
};
