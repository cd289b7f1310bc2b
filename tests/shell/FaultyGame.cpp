// A game whose handlers fail on purpose, run whole by KrambolMainOnWindows.test.cpp
// and watched from outside. The command line names the fault:
//   create    OnCreate throws, inside CreateWindowExA;
//   dispatch  the first WM_TIMER throws, inside DispatchMessageA;
//   send      the first tick asks to close and WM_CLOSE throws, inside SendMessageA;
//   quiet     nothing fails: the first tick asks to close.
// Frames build no screen, so the program needs no images.
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Win32.h"
#include "shell/ErrorLog.h"
#include "shell/KrambolMain.h"
#include "shell/TGame.h"
#include "shell/TWndDirect.h"

// The game's window class exists before the entry point runs, as in the game.
static const TWindowClassRegistration WindowClassRegistration(kWindowClassName);

namespace {

std::string Fault;

class TFaultyGame : public TGame {
 public:
  // Says in the log when an exception came back out of window creation.
  HWND Create() override {
    try {
      return TGame::Create();
    } catch (...) {
      LogError("rethrown after CreateWindowExA");
      throw;
    }
  }
  LRESULT OnCreate() override {
    if (Fault == "create") throw std::runtime_error("OnCreate");
    return TGame::OnCreate();
  }
  // Says in the log when an exception came back out of the close request's SendMessageA.
  LRESULT OnTimer() override {
    if (Fault == "dispatch") throw std::runtime_error("OnTimer");
    CloseRequested = true;
    try {
      return TGame::OnTimer();
    } catch (...) {
      LogError("rethrown after SendMessageA");
      throw;
    }
  }
  void OnFrame() override {}
  bool CanClose() override {
    if (Fault == "send") throw std::runtime_error("CanClose");
    return true;
  }
};

std::unique_ptr<TGame> MakeFaultyGame() { return std::make_unique<TFaultyGame>(); }

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  Fault = commandLine ? commandLine : "";
  // The game's own line for a run that ended without saying why.
  return RunApplication(MakeFaultyGame, "Игра остановлена непредвиденной ошибкой");
}
