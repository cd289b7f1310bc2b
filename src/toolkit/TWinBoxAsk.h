#pragma once
// A modal yes/no question: "Да" and "Нет" side by side, "Нет" focused, so a
// bare Enter answers no. The answer goes to the desktop that was current when
// the box opened (code 4, p1 = Id, p2 = 1 yes or 0 no), then the box closes.
// Escape does not close it.

#include <cstdint>

#include "toolkit/TWinBox.h"

class TWinBoxAsk : public TWinBox {
 public:
  // Makes itself the input root.
  TWinBoxAsk(const TRect& rect, const std::wstring& title, const std::wstring& text);
  ~TWinBoxAsk() override = default;

  // p1 1 answers yes, p1 0 answers no; anything else leaves the box open. Only
  // the first answer counts.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Tab only: a question must be answered.
  bool OnKeyDown() override { return TWindow::OnKeyDown(); }

  TWindow* Owner = nullptr;
  // Sent back with the answer; set by whoever opened the box.
  int32_t Id = 0;

 private:
  bool Answered = false;
};
