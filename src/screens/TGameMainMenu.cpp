#include "screens/TGameMainMenu.h"

#include "screens/ScreenActions.h"
#include "screens/TOptionMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"

TGameMainMenu::TGameMainMenu() : TWinMenu(L"Главное Меню", 260, 300) {
  new TWinButton(this, this, TRect{30, 30, 200, 40}, L"Назат", 1);
  new TWinButton(this, this, TRect{30, 70, 200, 40}, L"Загрузить игру", 2);
  new TWinButton(this, this, TRect{30, 110, 200, 40}, L"Сохранить игру", 5);
  new TWinButton(this, this, TRect{30, 150, 200, 40}, L"Настроки", 3);
  new TWinButton(this, this, TRect{30, 190, 200, 40}, L"О программе", 6);
  new TWinButton(this, this, TRect{30, 230, 200, 40}, L"Выйти", 4);
}

void TGameMainMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code != kNotifyClick) return;
  switch (p1) {
    case 1:
    case 2:
    case 5:
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyGameMainMenu, p1, 0);
      break;
    case 3:
      new TOptionMenu();
      break;
    case 4:
      OpenExitQuestion();
      break;
    case 6:
      OpenAboutBox();
      break;
    default:
      return;
  }
  // Whatever opened in answer is the input root by now.
  QueueForDeletion(this);
}
