#pragma once
// The menu screen: the first screen of every run and the one a won game returns
// to. It shows the background picture "res/button/back.tif" and the main menu,
// and opens the menus that the main menu and its successors ask for.

#include <cstdint>

#include "toolkit/TDesktop.h"

class TTexture;

class TMenuDesktop : public TDesktop {
 public:
  // Replaces the current screen, takes a reference to the background texture
  // and opens a TMainMenu.
  TMenuDesktop();
  // Releases the background texture.
  ~TMenuDesktop() override;

  // Code 4 with a yes answer: closes the program. Code 5 with p1 2: the map
  // list; p1 3: the options menu. Code 7: a new main menu. Code 9 with p1 1:
  // loads the map whose path p2 points to (a const std::wstring*) and requests
  // the game screen; with another p1: a new main menu. Everything else is ignored.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Tab moves the focus to the next child, F1 opens the "F1" box; every key
  // counts as handled.
  bool OnKeyDown() override;
  // The background picture stretched over the whole screen.
  void DrawBackground() override;

 private:
  TTexture* Background;
};
