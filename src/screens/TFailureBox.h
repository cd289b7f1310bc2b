#pragma once
// A message box telling the player that something they asked for failed, over
// a menu that stays open so they can try again: modal while it is open, and
// on closing ("Ok", Enter or Esc) it hands the input back to that menu and the
// focus back to the window that held it before the box opened.

#include <string>

#include "toolkit/TWinBox.h"

class TFailureBox : public TWinBox {
 public:
  // Centred on the current desktop, titled "Ошибка", and the input root.
  TFailureBox(const std::wstring& in_text, TWindow* in_menu);
  ~TFailureBox() override = default;

  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Esc closes the box and goes no further.
  bool OnKeyDown() override;

 private:
  TFailureBox(const std::wstring& in_text, TWindow* in_menu, TWindow* in_focus);

  // Makes the menu the input root again and refocuses what had the focus, as
  // far as they still exist.
  void HandBack();

  TWindow* Menu;
  TWindow* Focus;
};
