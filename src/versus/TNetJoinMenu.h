#pragma once
// "Подключиться": the host's address as the player types it ("Адрес:", a
// name or an IPv4 or IPv6 address, with ":port" or without) and the join
// code ("Код:"); "Подключиться" connects, "Назад" brings the start menu back.
// A text that is no address or no code gets a box and the menu stays.

#include <cstdint>
#include <string>

#include "toolkit/TWinEdit.h"
#include "toolkit/TWinMenu.h"
#include "versus/TVersusSetup.h"

class TNetGame;

// An edit field for an address: digits, Latin letters and . : - [ ] %.
class TWinEditAddress : public TWinEdit {
 public:
  using TWinEdit::TWinEdit;
  bool OnChar() override;
};

class TNetJoinMenu : public TWinMenu {
 public:
  static constexpr int32_t kBack = 0;
  static constexpr int32_t kConnect = 1;

  TNetJoinMenu(TVersusSetup& in_setup, TNetGame& in_game);
  ~TNetJoinMenu() override = default;

  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  TWinEdit* AddressEdit() const { return Address_; }
  TWinEdit* CodeEdit() const { return Code_; }

 private:
  TVersusSetup& Setup_;
  TNetGame& Game_;
  TWinEditAddress* Address_;
  TWinEdit* Code_;
};
