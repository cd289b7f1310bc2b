#pragma once
// The options menu (300 x 230, "Настроки"): full screen and the interval between
// frames. The values edited here stay the menu's own until "Применить" hands
// them to the application object; "Отмена" drops them.

#include <cstdint>

#include "toolkit/TWinMenu.h"

class TWinCheckButton;
class TWinScroll;

class TOptionMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal. Starts from the application
  // object's requested settings (66 ms windowed without one), the interval
  // clamped to 1..500 by the scroll bar.
  TOptionMenu();
  ~TOptionMenu() override = default;

  // Code 2: the edited interval. Clicks: 2 (the check button, new state in p2)
  // the edited full-screen choice; 3 "Сбросить" shows 66 ms windowed without
  // applying it; 1 "Применить" stores the edited values as the requested
  // settings, marks them changed, tells the screen code 7 with p1 1 and closes
  // the menu; 0 "Отмена" tells the screen code 7 with p1 0 and closes it.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // Children, deleted with them.
  TWinScroll* Scroll = nullptr;
  TWinCheckButton* Check = nullptr;
  int32_t EditedInterval = 66;
  bool EditedFullScreen = false;
};
