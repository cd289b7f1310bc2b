#pragma once
// The map list (360 x 400, "Загрузить игру"): every file with the extension
// "map" under the working directory, one row per file, and the buttons
// "Загрузить" (1) and "Назад" (0). The list is made once, when the menu opens.

#include <cstdint>
#include <string>

#include "toolkit/TWinMenu.h"

class TWinList;

class TNewGameMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal. Searches "./*" for map files and
  // adds one row per path found, in the order found; more rows than fit scroll.
  // Another program showing the same list may give it another title.
  explicit TNewGameMenu(const std::wstring& in_title = L"Загрузить игру");
  ~TNewGameMenu() override = default;

  // Clicks only. "Загрузить" with a selected row tells the screen code 9, p1 1,
  // p2 a const std::wstring* to the row's path (valid during the call), then
  // closes the menu; without a selection it does nothing. "Назад" tells the
  // screen code 9, p1 0, then closes the menu.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // Shows the list as the player left another map list: scrolled to the row
  // index in_first (as far as the rows reach), with the focus on the row of
  // in_path when it is still listed, brought into view if it is not; nothing
  // is selected. A box opened over the menu then hands the focus back to that
  // row, and the list does not move.
  void ShowAsLeft(const std::wstring& in_path, int32_t in_first);

  // One of the children.
  TWinList* List;
};
