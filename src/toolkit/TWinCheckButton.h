#pragma once
// A check button: a tick box from "res/button/button1.tif" (21 x 21 frames:
// unticked with the mouse over it, unticked, ticked with the mouse over it,
// ticked) and a caption. A click toggles it and tells the owner code 1 with
// p1 = 2 (its id) and p2 = the new state.

#include "toolkit/TWinButton.h"

class TWinCheckButton : public TWinButton {
 public:
  TWinCheckButton(TWindow* parent, TWindow* owner, const TRect& rect, const std::wstring& text, bool ticked);
  ~TWinCheckButton() override = default;

  void Draw() override;
  // Any code sets the state: ticked exactly when p1 is 1. Repaints.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Toggles, then reports the new state; does not repaint (the caller does).
  void Click() override;

  bool Ticked;
};
