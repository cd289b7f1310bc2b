#pragma once
// The main menu of the menu screen (260 x 210, "Главное Меню"): load a map,
// options, About and leave the program.

#include <cstdint>

#include "toolkit/TWinMenu.h"

class TMainMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal; its buttons "Загрузить игру" (2),
  // "Настроки" (3), "О программе" (6) and "Выйти" (4) notify the menu.
  TMainMenu();
  ~TMainMenu() override = default;

  // Clicks: 2 asks the screen for the map list (code 5) and closes the menu; 3
  // opens the options menu and closes this one; 4 opens the exit question and
  // 6 the About box over the menu, which stays. Code 4 with a yes answer closes
  // the program. Everything else is ignored.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
};
