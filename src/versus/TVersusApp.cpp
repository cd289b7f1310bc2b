#include "versus/TVersusApp.h"

#include <cstdio>
#include <memory>
#include <string>

#include "net/NetTrace.h"
#include "screens/TFailureBox.h"
#include "screens/TFinishDesktop.h"
#include "screens/TGameDesktop.h"
#include "shell/KrambolMain.h"
#include "shell/TLock.h"
#include "toolkit/TWindow.h"
#include "toolkit/WindowTree.h"
#include "versus/TNetSide.h"
#include "versus/TVersusMenuDesktop.h"

const char kVersusWindowClassName[] = "KrambolVersusWinClass";

namespace {

// "The game stopped because of an unexpected error", as the game says it.
constexpr char kUnexpectedStopMessage[] = "Игра остановлена непредвиденной ошибкой";

// What the command line asked for, and how the unattended run ended.
TLaunchOptions LaunchOptions;
int LaunchExitCode = 0;

std::unique_ptr<TGame> MakeVersus() { return std::make_unique<TVersusApp>(LaunchOptions); }

}  // namespace

TVersusApp::TVersusApp(TLaunchOptions in_launch)
    : TGame("Крамбол: против компьютера.", kVersusWindowClassName), Launch(std::move(in_launch)) {}

TVersusApp::~TVersusApp() { LaunchExitCode = Launch.ExitCode(); }

void TVersusApp::BuildRequestedScreen(int32_t in_kind) {
  NetTrace("program: builds screen %d", static_cast<int>(in_kind));
  switch (in_kind) {
    case 0: {
      Match.EndGame();
      // Leaving the game screen leaves a network game.
      if (Net.Playing()) Net.Leave();
      new TVersusMenuDesktop(Setup);
      const std::wstring fault = Net.TakeFaultText();
      if (!fault.empty()) new TFailureBox(fault, InputRoot);
      break;
    }
    case 1:
      // Another map loaded from the game's menus ends a network game.
      if (Net.Playing() && !Net.TakeStart()) Net.Leave();
      if (Setup.Mode == TVersusMode::NetHost && !Net.Playing()) {
        // The map is loaded: the host waits for its guest over the start screen.
        Setup.Mode = TVersusMode::Computer;
        new TVersusMenuDesktop(Setup, false);
        Net.Host(Setup.Port, Setup.HostFirst);
        break;
      }
      new TGameDesktop();
      Match.NewGame(Setup, timeGetTime());
      if (Net.Playing()) {
        // The other copy plays the other side; nobody else does.
        std::unique_ptr<TSide> peer = std::make_unique<TNetSide>(Net);
        std::unique_ptr<TSide> person = Launch.LocalSide();
        if (Net.LocalSide() == 0) Match.SetSides(std::move(person), std::move(peer));
        else Match.SetSides(std::move(peer), std::move(person));
      }
      break;
    case 2:
      Net.GameOver();
      Match.EndGame();
      new TFinishDesktop();
      break;
    default:
      break;
  }
}

LRESULT TVersusApp::OnTimer() {
  TGame::OnTimer();
  // The tick may have closed the window.
  if (IsWindow(Handle) && RootWindow) {
    Net.AfterTick();
    Match.AfterTick();
    Launch.AfterTick(*this);
  }
  return 0;
}

LRESULT TVersusApp::OnUserMessage() {
  if (TNetGame::IsSocketMessage(Message)) Net.OnSocketMessage(Message, WParam, LParam);
  return 0;
}

TWindow* TVersusApp::PointedWindow() {
  TLockGuard guard(Lock);
  return InputRoot ? InputRoot->HitTest(TPoint{MouseX, MouseY}) : nullptr;
}

bool TVersusApp::MoveAllowed() {
  if (TOrderHand::IsSending()) return true;
  // Wherever the person's pointer goes, the hand puts it back there when it is done.
  TOrderHand::PersonMoved(MouseX, MouseY);
  if (Match.LocalTurn()) return true;
  return Match.PersonMayReach(LButtonDown || RButtonDown ? PointerWindow : PointedWindow());
}

bool TVersusApp::PressAllowed() {
  if (TOrderHand::IsSending()) return true;
  // In a network game no order begins on the map before the last one is told.
  if (Net.OrderPending() && (TVersusMatch::OnMap(PointedWindow()) || TVersusMatch::OnMap(PointerWindow))) return false;
  if (Match.LocalTurn()) return true;
  return Match.PersonMayReach(PointedWindow()) && Match.PersonMayReach(PointerWindow);
}

bool TVersusApp::ReleaseAllowed() {
  if (TOrderHand::IsSending() || Match.LocalTurn()) return true;
  return Match.PersonMayReach(PointerWindow);
}

bool TVersusApp::KeysAllowed() {
  if (TOrderHand::IsSending() || Match.LocalTurn()) return true;
  return FocusPath.empty() || Match.PersonMayReach(FocusPath.back());
}

LRESULT TVersusApp::OnLButtonDown() {
  if (!PressAllowed()) return 0;
  Net.BeforeInput();
  TGame::OnLButtonDown();
  Net.AfterInput();
  Match.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnLButtonUp() {
  if (!ReleaseAllowed()) return 0;
  TGame::OnLButtonUp();
  Match.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnLButtonDblClk() { return PressAllowed() ? TGame::OnLButtonDblClk() : 0; }

LRESULT TVersusApp::OnRButtonDown() {
  if (!PressAllowed()) return 0;
  // A right press on the map stops a walk: the network game sends where.
  Net.BeforeInput();
  TGame::OnRButtonDown();
  Net.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnRButtonUp() { return ReleaseAllowed() ? TGame::OnRButtonUp() : 0; }

LRESULT TVersusApp::OnRButtonDblClk() { return PressAllowed() ? TGame::OnRButtonDblClk() : 0; }

LRESULT TVersusApp::OnMouseMove() {
  if (!MoveAllowed()) return 0;
  TGame::OnMouseMove();
  Match.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnKeyDown() {
  if (!KeysAllowed()) return 0;
  TGame::OnKeyDown();
  Match.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnKeyUp() {
  if (!KeysAllowed()) return 0;
  TGame::OnKeyUp();
  Match.AfterInput();
  return 0;
}

LRESULT TVersusApp::OnChar() { return KeysAllowed() ? TGame::OnChar() : 0; }

int VersusMain(const char* in_commandLine) {
  std::string error;
  if (!ParseLaunchOptions(SplitCommandLine(in_commandLine), LaunchOptions, error)) {
    std::fprintf(stderr, "krambol-versus: %s\n%s", error.c_str(), kLaunchUsage);
    MessageBoxA(nullptr, (error + "\n\n" + kLaunchUsage).c_str(), "krambol-versus", MB_OK);
    return 2;
  }
  const int code = RunApplication(MakeVersus, kUnexpectedStopMessage);
  return code != 0 ? code : LaunchExitCode;
}
