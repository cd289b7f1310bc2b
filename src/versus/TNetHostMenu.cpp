#include "versus/TNetHostMenu.h"

#include "screens/TFailureBox.h"
#include "screens/TNewGameMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "versus/TVersusMenu.h"

TNetHostMenu::TNetHostMenu(TVersusSetup& in_setup) : TWinMenu(L"Создать сетевую игру", 300, 250), Setup_(in_setup) {
  Side_ = std::make_unique<TChoiceRow>(this, TRect{30, 30, 240, TChoiceRow::kHeight}, L"Вы ходите:",
                                       std::vector<std::wstring>{L"первым", L"вторым"}, Setup_.HostFirst ? 0 : 1);
  new TWinText(TRect{30, 100, 80, 18}, this, L"Порт:");
  Port_ = new TWinEdit(TRect{120, 100, 100, 18}, this, this, std::to_wstring(Setup_.Port));
  new TWinButton(this, this, TRect{50, 140, 200, 40}, L"Выбрать карту", kChooseMap);
  new TWinButton(this, this, TRect{50, 185, 200, 40}, L"Назад", kBack);
}

void TNetHostMenu::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyClick) {
    if (Side_->Take(sender)) {
      Setup_.HostFirst = Side_->Chosen() == 0;
    } else if (p1 == kChooseMap) {
      // The field answers at once with its text.
      Port_->OnNotify(this, Port_, kNotifyReport, 0, 0);
    } else if (p1 == kBack) {
      new TVersusMenu(Setup_);
      QueueForDeletion(this);
    }
    return;
  }
  if (code != kNotifyEditText || !p1) return;
  // The field takes digits only.
  const std::wstring& typed = *reinterpret_cast<const std::wstring*>(p1);
  uint16_t port = 0;
  if (!NNet::ParsePort(std::string(typed.begin(), typed.end()), port)) {
    new TFailureBox(L"Порт — число от 1 до 65535.", this);
    return;
  }
  Setup_.Port = port;
  Setup_.Mode = TVersusMode::NetHost;
  new TNewGameMenu(L"Выбрать карту");
  QueueForDeletion(this);
}
