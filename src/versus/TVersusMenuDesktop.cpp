#include "versus/TVersusMenuDesktop.h"

#include "graphics/TTexture.h"
#include "graphics/TextureRegistry.h"
#include "platform/Win32.h"
#include "screens/ScreenActions.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/WindowTree.h"
#include "versus/TVersusMenu.h"

TVersusMenuDesktop::TVersusMenuDesktop(TVersusSetup& in_setup, bool in_withMenu)
    : Setup_(in_setup), Background(FindTexture(L"res/button/back.tif")) {
  Background->Acquire();
  if (in_withMenu) new TVersusMenu(Setup_);
}

TVersusMenuDesktop::~TVersusMenuDesktop() { Background->Release(); }

void TVersusMenuDesktop::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  if (code == kNotifyAnswer) {
    if (p2 != 0) PostCloseRequest();
  } else if (code == kNotifyMapListClosed) {
    if (p1 == 1) {
      LoadChosenMap(p2);
    } else {
      new TVersusMenu(Setup_);
    }
  }
}

bool TVersusMenuDesktop::OnKeyDown() {
  if (Application && Application->WParam == VK_TAB) FocusNext(this);
  return true;
}

void TVersusMenuDesktop::DrawBackground() { DrawStretchedBackground(*this, *Background); }
