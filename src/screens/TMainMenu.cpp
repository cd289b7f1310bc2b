#include "screens/TMainMenu.h"

#include "screens/ScreenActions.h"
#include "screens/TOptionMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"

TMainMenu::TMainMenu() : TWinMenu(L"Главное Меню", 260, 210) {
  new TWinButton(this, this, TRect{30, 30, 200, 40}, L"Загрузить игру", 2);
  new TWinButton(this, this, TRect{30, 70, 200, 40}, L"Настроки", 3);
  new TWinButton(this, this, TRect{30, 110, 200, 40}, L"О программе", 6);
  new TWinButton(this, this, TRect{30, 150, 200, 40}, L"Выйти", 4);
}

void TMainMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  if (code == kNotifyAnswer) {
    if (p2 != 0) PostCloseRequest();
    return;
  }
  if (code != kNotifyClick) return;
  // The next window opens first, so it is already the input root when this
  // menu is deleted at the end of the frame.
  switch (p1) {
    case 2:
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyMainMenu, 2, 0);
      QueueForDeletion(this);
      break;
    case 3:
      new TOptionMenu();
      QueueForDeletion(this);
      break;
    case 4:
      OpenExitQuestion();
      break;
    case 6:
      OpenAboutBox();
      break;
    default:
      break;
  }
}
