#pragma once
// The save menu (330 x 120, "Сохранить игру"): an edit field with the file name,
// "Save01.map" at first, and the buttons "Сохранить" (1) and "Назад" (0).

#include <cstdint>

#include "toolkit/TWinMenu.h"

class TWinEdit;

class TSaveMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal. The edit field takes letters and
  // digits only; its caret starts before the first character.
  TSaveMenu();
  ~TSaveMenu() override = default;

  // "Назад" closes the menu. "Сохранить" asks the edit field for its text; the
  // text (code 3, p1 a const std::wstring*, also sent on Enter in the field)
  // is written as the game under that file name, and the menu closes whether
  // the file could be written or not.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // One of the children.
  TWinEdit* Edit;
};
