#include "versus/TNetWaitMenu.h"

#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "versus/TNetGame.h"

TNetWaitMenu::TNetWaitMenu(TNetGame& in_game, const std::wstring& in_title, const std::wstring& in_text)
    : TWinMenu(in_title, 360, 210), Game_(in_game) {
  Text_ = new TWinText(TRect{20, 25, 320, 120}, this, in_text);
  new TWinButton(this, this, TRect{115, 155, 130, 40}, L"Отмена", 0);
}

void TNetWaitMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code != kNotifyClick || p1 != 0) return;
  Game_.Leave();
  RequestScreen(0);
}

void TNetWaitMenu::SetText(const std::wstring& in_text) {
  if (Text_->Text == in_text) return;
  Text_->Text = in_text;
  Dirty = true;
}

const std::wstring& TNetWaitMenu::Text() const { return Text_->Text; }

TNetWaitMenu* TNetWaitMenu::Live() {
  for (TWindow* window : LiveWindows)
    if (auto* menu = dynamic_cast<TNetWaitMenu*>(window)) return menu;
  return nullptr;
}
