#include "screens/TFailureBox.h"

#include <algorithm>

#include "screens/ScreenActions.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"

namespace {

constexpr int32_t kWidth = 300;
constexpr int32_t kHeight = 120;

bool IsLive(const TWindow* window) {
  return window && std::find(LiveWindows.begin(), LiveWindows.end(), window) != LiveWindows.end();
}

// The window with the focus before the box takes it.
TWindow* FocusedWindow() { return FocusPath.empty() ? nullptr : FocusPath.back(); }

}  // namespace

TFailureBox::TFailureBox(const std::wstring& in_text, TWindow* in_menu)
    : TFailureBox(in_text, in_menu, FocusedWindow()) {}

TFailureBox::TFailureBox(const std::wstring& in_text, TWindow* in_menu, TWindow* in_focus)
    : TWinBox(CentredOn(RootWindow, kWidth, kHeight), L"Ошибка", in_text), Menu(in_menu), Focus(in_focus) {
  InputRoot = this;
}

void TFailureBox::OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) {
  TWinBox::OnNotify(sender, receiver, code, p1, p2);
  HandBack();
}

bool TFailureBox::OnKeyDown() {
  const bool handled = TWinBox::OnKeyDown();
  if (!Application || Application->WParam != VK_ESCAPE) return handled;
  HandBack();
  return true;
}

void TFailureBox::HandBack() {
  if (InputRoot == this && IsLive(Menu)) InputRoot = Menu;
  if (IsLive(Focus)) Focus->TakeFocus();
  Menu = nullptr;
  Focus = nullptr;
}
