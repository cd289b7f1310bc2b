#include "screens/ScreenActions.h"

#include <string>

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "screens/TFailureBox.h"
#include "screens/TNewGameMenu.h"
#include "shell/TTimer.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWindow.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"

TRect CentredOn(const TWindow* in_window, int32_t in_width, int32_t in_height) {
  if (!in_window) return TRect{0, 0, in_width, in_height};
  return TRect{in_window->X + (in_window->Width - in_width) / 2, in_window->Y + (in_window->Height - in_height) / 2,
               in_width, in_height};
}

void OpenExitQuestion() {
  auto* box = new TWinBoxAsk(CentredOn(RootWindow, 160, 100), L"???", L"Вы точно хотите выйти?");
  box->Id = 0;
}

void OpenAboutBox() {
  auto* box = new TWinBox(CentredOn(RootWindow, 260, 200), L"О программе", L"Крамбол!");
  InputRoot = box;
}

void PostCloseRequest() {
  if (Application) Application->CloseRequested = true;
}

void DrawStretchedBackground(const TWindow& in_window, const TTexture& in_texture) {
  if (TGraphics* surface = in_window.Surface()) DrawTexture(in_window.Bounds(), in_texture, *surface);
}

void LoadChosenMap(intptr_t in_pathPointer, const TWindow* in_sender) {
  // The path belongs to the sender: copy it before anything else runs.
  const std::wstring path = in_pathPointer ? *reinterpret_cast<const std::wstring*>(in_pathPointer) : std::wstring();
  if (ReadMapFile(path)) {
    RequestScreen(1);
    return;
  }
  // The world and the screen stay as they were. The map list opens again,
  // searched anew (the file may have gone), with the reason over it.
  auto* list = new TNewGameMenu();
  const auto* chosenFrom = dynamic_cast<const TNewGameMenu*>(in_sender);
  list->ShowAsLeft(path, chosenFrom && chosenFrom->List ? chosenFrom->List->First : 0);
  new TFailureBox(L"Не удалось открыть карту.\n" + path, list);
}
