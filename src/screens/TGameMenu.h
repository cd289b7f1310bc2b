#pragma once
// The side menu of the game screen: a framed panel 200 pixels wide along the
// right edge at full height, titled "Меню". It shows whose turn it is (a black
// or white swatch with the player's name) and the information text of the cell
// under a held right button, and carries "Главное меню." (0, heard by the game
// screen) and "Пропустить Ход." (1, heard by the panel). It is not modal.

#include <cstdint>
#include <string>

#include "toolkit/TFrameRect.h"
#include "toolkit/TWindowBuffer.h"

class TGameMenu : public TWindowBuffer, public TFrameRect {
 public:
  // A child of the current desktop at its right edge. Points the cell windows'
  // information text (InfoTextTarget) at its own text.
  TGameMenu();
  // Takes InfoTextTarget back if it still points at this menu's text.
  ~TGameMenu() override;

  // Repaints everything every frame (the player to move changes without
  // telling the panel), then copies the buffer onto the desktop.
  void Draw() override;
  // Ignores the size given: stays 200 wide at the right edge of the current
  // desktop, as high as it.
  void SetSize(int32_t in_width, int32_t in_height) override;
  // Click 1 passes the turn; click 0 opens the in-game main menu.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // The description of the cell under the held right button; empty otherwise.
  std::wstring InfoText;

  static constexpr int32_t kWidth = 200;
};
