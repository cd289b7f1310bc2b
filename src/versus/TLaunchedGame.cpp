#include "versus/TLaunchedGame.h"

#include <cstdio>
#include <filesystem>

#include "net/NetTexts.h"
#include "screens/ScreenActions.h"
#include "screens/TFailureBox.h"
#include "screens/TFinishDesktop.h"
#include "screens/TGameDesktop.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "versus/TComputerSide.h"
#include "versus/TOrderHand.h"
#include "versus/TVersusApp.h"
#include "versus/TVersusMenuDesktop.h"
#include "world/BoardRest.h"
#include "world/MapFile.h"
#include "world/Utf8Text.h"
#include "world/WholeFile.h"
#include "world/WorldState.h"

namespace {

using TState = NNet::TNetSession::TState;

}  // namespace

std::unique_ptr<TSide> TLaunchedGame::LocalSide() const {
  if (Options_.Computer)
    return std::make_unique<TComputerSide>(Options_.Strength, timeGetTime(), Options_.TurnCap);
  return std::make_unique<TLocalSide>();
}

void TLaunchedGame::AfterTick(TVersusApp& in_app) {
  if (Options_.Role == TLaunchRole::Menu || Stage_ == TStage::Over) return;
  if (Stage_ == TStage::Start) {
    Begin(in_app);
  } else {
    Follow(in_app);
  }
}

void TLaunchedGame::Begin(TVersusApp& in_app) {
  // The start screen is built with the first frame.
  if (!dynamic_cast<TVersusMenuDesktop*>(RootWindow)) return;
  in_app.Net.SetLoopbackOnly(Options_.LoopbackOnly);
  if (Options_.Role == TLaunchRole::Host) {
    const std::wstring map = MapFileNameOf(std::filesystem::path(Options_.MapPath));
    if (!ReadMapFile(map)) {
      // The game's own words over the start menu, for a person who typed the command.
      new TFailureBox(L"Не удалось открыть карту.\n" + map, InputRoot);
      End(kExitFiles, "the map cannot be read: " + Options_.MapPath);
      return;
    }
    in_app.Setup.Mode = TVersusMode::NetHost;
    in_app.Setup.Port = Options_.Port;
    in_app.Setup.HostFirst = !Options_.HostSecond;
    RequestScreen(1);
  } else {
    in_app.Net.Join(Options_.Address, Options_.JoinPort, Options_.Code);
  }
  Stage_ = TStage::Following;
}

void TLaunchedGame::Announce(TVersusApp& in_app) {
  const NNet::TNetSession* session = in_app.Net.Session();
  if (Announced_ || Options_.AnnouncePath.empty() || !session || session->State() != TState::Listening) return;
  Announced_ = true;
  const std::string line = std::to_string(session->Port()) + " " + Utf8Text(NNet::JoinCodeText(session->HostCode())) + "\n";
  if (!WriteWholeFile(std::filesystem::path(Options_.AnnouncePath), line)) End(kExitFiles, "the port and code cannot be written to " + Options_.AnnouncePath);
}

void TLaunchedGame::Follow(TVersusApp& in_app) {
  Announce(in_app);
  if (Stage_ == TStage::Over) return;
  const NNet::TNetSession* session = in_app.Net.Session();
  if (!in_app.Net.LastFaultText().empty()) {
    // The box's words, then what the error log would say, for whoever reads the output.
    const std::string problem = session ? session->Problem() : std::string();
    End(kExitFault, Utf8Text(in_app.Net.LastFaultText()) + (problem.empty() ? "" : "\n(" + problem + ")"));
    return;
  }
  if (!session) return;
  if (Options_.TurnCap > 0 && TurnCounter >= Options_.TurnCap && dynamic_cast<TGameDesktop*>(RootWindow)) {
    // The cap: neither computer gives another order; the game ends once the
    // last one is confirmed, as a finished game does.
    const TMap* map = TOrderHand::GameMap();
    if (session->State() == TState::Playing && in_app.Net.Playing() && !in_app.Net.OrderPending() && map &&
        BoardAtRest(*map))
      in_app.Net.GameOver();
    if (session->State() == TState::Finished)
      EndAgreed("turn " + std::to_string(TurnCounter) + " reached: the game stops there as a draw");
    return;
  }
  if (!dynamic_cast<TFinishDesktop*>(RootWindow)) return;
  // The finish screen: the game is over once both copies agree on the position.
  if (session->State() == TState::Failed) {
    End(kExitFault, "the game ended, but not in agreement: " + session->Problem());
  } else if (session->State() == TState::Finished) {
    EndAgreed("");
  }
}

void TLaunchedGame::EndAgreed(const std::string& in_message) {
  if (!Options_.ResultPath.empty() &&
      !WriteWholeFile(std::filesystem::path(Options_.ResultPath), WriteMapToBytes())) {
    End(kExitFiles, "the final position cannot be written to " + Options_.ResultPath);
    return;
  }
  End(kExitFinished, in_message);
}

void TLaunchedGame::End(int in_code, const std::string& in_message) {
  Stage_ = TStage::Over;
  ExitCode_ = in_code;
  if (!in_message.empty()) std::fprintf(stderr, "krambol-versus: %s\n", in_message.c_str());
  // A person who started the game from the command line goes on with the program.
  if (Options_.Computer) PostCloseRequest();
}
