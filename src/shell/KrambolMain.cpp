#include "shell/KrambolMain.h"

#include <cstdlib>

#include "graphics/DrawingObjects.h"
#include "shell/CodePage.h"
#include "shell/ErrorLog.h"
#include "shell/RandomNumber.h"
#include "shell/TGame.h"

namespace {

// The line logged for a run that an exception ended without a log line of its
// own: "the game stopped because of an unexpected error".
constexpr char kUnexpectedStopMessage[] = "Игра остановлена непредвиденной ошибкой";

void RunGame() {
  TGame game;
  RunApplication(game);
}

}  // namespace

void RunApplication(TTimer& in_application) {
  // Without a window no quit message would ever come; the failure is logged.
  if (!in_application.Create()) return;
  MSG msg;
  for (;;) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    RethrowWindowException();
  }
}

int KrambolMain() { return KrambolMain(RunGame); }

int KrambolMain(void (*in_run)()) {
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  if (GdiplusStartup(&token, &input, nullptr) != Ok) {
    MessageBoxA(nullptr, "GdiplusStartup() - FAILED", "Error", MB_OK);
    ExitProcess(1);
  }
  CreateDrawingObjects();
  const DWORD seed = timeGetTime();
  std::srand(seed);
  SeedRandomNumber(seed);
  try {
    in_run();
  } catch (int) {
    // The game's own way to stop: the line that says why is logged already.
    // Thrown without one, the run still must not end in silence.
    if (ErrorLogEntries().empty()) LogError(kUnexpectedStopMessage);
  } catch (...) {
    // Out of memory, a library's error: nothing has said why yet.
    LogError(kUnexpectedStopMessage);
  }
  if (ErrorLogEntries().empty()) {
    FreeDrawingObjects();
    GdiplusShutdown(token);
    return 0;
  }
#ifdef _WIN32
  // The report is CP1251; the wide box shows it right under any ANSI code page.
  MessageBoxW(nullptr, Cp1251ToWide(BuildErrorReport()).c_str(), L"Fatal Error", MB_OK);
#else
  MessageBoxA(nullptr, BuildErrorReport().c_str(), "Fatal Error", MB_OK);
#endif
  ExitProcess(0);
}
