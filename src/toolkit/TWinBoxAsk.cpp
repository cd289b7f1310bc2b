#include "toolkit/TWinBoxAsk.h"

#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"

TWinBoxAsk::TWinBoxAsk(const TRect& rect, const std::wstring& title, const std::wstring& text)
    : TWinBox(rect, title, text), Owner(RootWindow) {
  // The message box's "Ok" goes at once; two answer buttons take its place.
  if (!Children.empty()) DeleteChild(Children.front());
  new TWinButton(this, this, TRect{Width / 2 - 63, Height - 40, 60, 20}, L"Да", 1);
  new TWinButton(this, this, TRect{Width / 2 + 3, Height - 40, 60, 20}, L"Нет", 0);
  InputRoot = this;
}

void TWinBoxAsk::OnNotify(TWindow*, TWindow*, int32_t, intptr_t p1, intptr_t) {
  if (p1 != 0 && p1 != 1) return;
  if (Answered) return;
  Answered = true;
  if (Owner) Owner->OnNotify(this, Owner, kNotifyAnswer, Id, p1);
  QueueForDeletion(this);
}
