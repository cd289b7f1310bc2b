#pragma once
// The application object of the game: its icon and cursor, the first screen,
// and the orderly tear-down of the world, the window tree and the textures.

#include "shell/TTaskMsg.h"

// Ids of the executable's resources.
constexpr int kIconResource = 102;
constexpr int kCursorResource = 101;

class TGame : public TTaskMsg {
 public:
  TGame() = default;

  // Installs icon 102 and cursor 101 on the window class, runs the timer's
  // creation and requests the menu screen.
  LRESULT OnCreate() override;
  // Frees the world state, tears down the window tree (logging every window
  // that survives it), stops the timer and frees every texture.
  LRESULT OnDestroy() override;

 protected:
  // For another program built on the same shell: its own title and window class.
  TGame(const char* in_title, const char* in_className) : TTaskMsg(in_title, in_className) {}
};
