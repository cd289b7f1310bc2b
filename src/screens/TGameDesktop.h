#pragma once
// The game screen: the map window on the left and the side menu, 200 pixels
// wide, along the right edge. It opens the in-game menus that the side menu and
// the menus themselves ask for.

#include <cstdint>

#include "toolkit/TDesktop.h"

class TGameDesktop : public TDesktop {
 public:
  // Replaces the current screen, then builds the map window for the world as
  // it is loaded now and the side menu.
  TGameDesktop();
  ~TGameDesktop() override = default;

  // Code 1: the in-game main menu. Code 4 with a yes answer: closes the
  // program. Code 6 with p1 2: the map list; 3: the options; 5: the save menu;
  // other p1: nothing. Code 7: the in-game main menu. Code 9 with p1 1: loads
  // the map whose path p2 points to (a const std::wstring*) and requests a new
  // game screen; with another p1: the in-game main menu. Everything else is ignored.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // The screen's white background. The map window paints its whole rectangle
  // opaque every frame, so only the rest is cleared: the picture is the one a
  // full clear gives, for a seventh of the writing.
  void DrawBackground() override;
};
