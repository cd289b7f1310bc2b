#pragma once
// The start screen of the versus program, and the one a finished game returns
// to: the game's background picture with the versus start menu. A map chosen
// in the map list is loaded as the game loads it and starts the game screen;
// "Назад" brings the start menu back.

#include <cstdint>

#include "toolkit/TDesktop.h"
#include "versus/TVersusSetup.h"

class TTexture;

class TVersusMenuDesktop : public TDesktop {
 public:
  // Replaces the current screen and opens the start menu on in_setup, which
  // must outlive the screen; without in_withMenu, another box opens over it.
  explicit TVersusMenuDesktop(TVersusSetup& in_setup, bool in_withMenu = true);
  ~TVersusMenuDesktop() override;

  // Code 4 with a yes answer: closes the program. Code 9 with p1 1: loads the
  // map whose path p2 points to and requests the game screen (a map that
  // cannot be opened brings the map list back with the game's box); with
  // another p1: the start menu again.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Tab moves the focus to the next child; every key counts as handled.
  bool OnKeyDown() override;
  void DrawBackground() override;

 private:
  TVersusSetup& Setup_;
  TTexture* Background;
};
