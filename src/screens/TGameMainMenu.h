#pragma once
// The main menu of the game screen (260 x 300, "Главное Меню"): back to the
// game, load a map, save, options, About and leave the program. Every button
// closes it.

#include <cstdint>

#include "toolkit/TWinMenu.h"

class TGameMainMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal; its buttons "Назат" (1),
  // "Загрузить игру" (2), "Сохранить игру" (5), "Настроки" (3), "О программе" (6)
  // and "Выйти" (4) notify the menu.
  TGameMainMenu();
  ~TGameMainMenu() override = default;

  // Clicks only: 1, 2 and 5 are passed to the screen with code 6; 3 opens the
  // options menu, 4 the exit question and 6 the About box. After any of these
  // the menu closes; other ids are ignored.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
};
