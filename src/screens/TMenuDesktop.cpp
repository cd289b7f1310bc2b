#include "screens/TMenuDesktop.h"

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "screens/ScreenActions.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "screens/TOptionMenu.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinBox.h"
#include "toolkit/WindowTree.h"

TMenuDesktop::TMenuDesktop() : Background(FindTexture(L"res/button/back.tif")) {
  Background->Acquire();
  new TMainMenu();
}

TMenuDesktop::~TMenuDesktop() { Background->Release(); }

void TMenuDesktop::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyAnswer:
      if (p2 != 0) PostCloseRequest();
      break;
    case kNotifyMainMenu:
      if (p1 == 2) {
        new TNewGameMenu();
      } else if (p1 == 3) {
        new TOptionMenu();
      }
      break;
    case kNotifyOptionsClosed:
      new TMainMenu();
      break;
    case kNotifyMapListClosed:
      if (p1 == 1) {
        LoadChosenMap(p2, sender);
      } else {
        new TMainMenu();
      }
      break;
    default:
      break;
  }
}

bool TMenuDesktop::OnKeyDown() {
  const WPARAM key = Application ? Application->WParam : 0;
  if (key == VK_TAB) {
    FocusNext(this);
  } else if (key == VK_F1) {
    auto* box = new TWinBox(CentredOn(this, 200, 200), L"F1", L"Крамбол");
    InputRoot = box;
  }
  return true;
}

void TMenuDesktop::DrawBackground() { DrawStretchedBackground(*this, *Background); }
