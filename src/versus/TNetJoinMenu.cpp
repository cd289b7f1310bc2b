#include "versus/TNetJoinMenu.h"

#include "net/NetAddress.h"
#include "net/NetTexts.h"
#include "screens/TFailureBox.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"
#include "versus/TNetGame.h"
#include "versus/TVersusMenu.h"

bool TWinEditAddress::OnChar() {
  const wchar_t c = MessageCharacter();
  const bool allowed = (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'.' ||
                       c == L':' || c == L'-' || c == L'[' || c == L']' || c == L'%';
  return allowed && Insert(c);
}

TNetJoinMenu::TNetJoinMenu(TVersusSetup& in_setup, TNetGame& in_game)
    : TWinMenu(L"Подключиться", 360, 200), Setup_(in_setup), Game_(in_game) {
  new TWinText(TRect{20, 30, 70, 18}, this, L"Адрес:");
  Address_ = new TWinEditAddress(TRect{95, 30, 245, 18}, this, this, Setup_.JoinAddress);
  new TWinText(TRect{20, 65, 70, 18}, this, L"Код:");
  Code_ = new TWinEdit(TRect{95, 65, 100, 18}, this, this, Setup_.JoinCode);
  new TWinButton(this, this, TRect{30, 120, 140, 40}, L"Подключиться", kConnect);
  new TWinButton(this, this, TRect{190, 120, 140, 40}, L"Назад", kBack);
}

void TNetJoinMenu::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyClick) {
    if (p1 == kConnect) {
      // The field answers at once with its text, as it does on Enter.
      Code_->OnNotify(this, Code_, kNotifyReport, 0, 0);
    } else if (p1 == kBack) {
      new TVersusMenu(Setup_);
      QueueForDeletion(this);
    }
    return;
  }
  if (code != kNotifyEditText || !p1) return;
  const std::wstring& text = *reinterpret_cast<const std::wstring*>(p1);
  if (sender == Address_) {
    Setup_.JoinAddress = text;
    return;
  }
  if (sender != Code_) return;
  Setup_.JoinCode = text;
  Address_->OnNotify(this, Address_, kNotifyReport, 0, 0);
  NNet::THostAndPort address;
  // The field takes ASCII only.
  if (!NNet::ParseAddress(std::string(Setup_.JoinAddress.begin(), Setup_.JoinAddress.end()), NNet::kDefaultPort,
                          address)) {
    new TFailureBox(L"Адрес написан неверно.\nНапример: 192.168.1.5, [fe80::1]:47210 или имя компьютера.", this);
    return;
  }
  uint32_t joinCode = 0;
  if (!NNet::ParseJoinCode(Setup_.JoinCode, joinCode)) {
    new TFailureBox(L"Код игры — шесть цифр.", this);
    return;
  }
  QueueForDeletion(this);
  Game_.Join(address.Host, address.Port, joinCode);
}
