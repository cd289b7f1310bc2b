#include "toolkit/TWinBox.h"

#include "shell/TTimer.h"
#include "toolkit/TWinButton.h"

TWinBox::TWinBox(const TRect& rect, const std::wstring& title, const std::wstring& text)
    : TWinBoxTemp(rect, title, text) {
  new TWinButton(this, this, TRect{Width / 2 - 30, Height - 40, 60, 20}, L"Ok", 0);
}

void TWinBox::OnMouseMove() {
  if (Application && Application->LButtonDown) MoveBy(Application->MouseDX, Application->MouseDY);
}
