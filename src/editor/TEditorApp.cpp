#include "editor/TEditorApp.h"

#include <memory>

#include "editor/TEditorDesktop.h"
#include "shell/KrambolMain.h"
#include "shell/TLock.h"
#include "toolkit/WindowTree.h"

const char kEditorWindowClassName[] = "KrambolEditorWinClass";

namespace {

// "The map editor stopped because of an unexpected error".
constexpr char kUnexpectedStopMessage[] = "Редактор карт остановлен непредвиденной ошибкой";

std::unique_ptr<TGame> MakeEditor() { return std::make_unique<TEditorApp>(); }

}  // namespace

TEditorApp::TEditorApp() : TGame("Редактор карт Крамбол.", kEditorWindowClassName) {
  // A click right after a box or menu closes goes where the pointer is, not
  // to whatever the last mouse move found while the box was still open.
  PressesReachWindowUnderPointer = true;
}

HWND TEditorApp::Create() {
  HWND window = TGame::Create();
  if (window) MoveWindow(window, WindowX, WindowY, kStartWidth, kStartHeight, TRUE);
  return window;
}

LRESULT TEditorApp::OnGetMinMaxInfo() {
  auto* info = reinterpret_cast<MINMAXINFO*>(LParam);
  info->ptMinTrackSize.x = kMinWidth;
  info->ptMinTrackSize.y = kMinHeight;
  return 0;
}

bool TEditorApp::CanClose() {
  auto* desktop = dynamic_cast<TEditorDesktop*>(RootWindow);
  if (!desktop || desktop->CloseConfirmed || !desktop->Document.Modified()) return true;
  TLockGuard guard(Lock);
  desktop->AskBeforeClosing();
  return false;
}

void TEditorApp::BuildRequestedScreen(int32_t) { new TEditorDesktop(); }

int EditorMain() { return RunApplication(MakeEditor, kUnexpectedStopMessage); }
