#pragma once
// The box of a network game on its way: the host waiting for its guest, with
// the addresses, the port and the join code to give the other player, or the
// guest connecting. "Отмена" ends the attempt and brings the start menu back.

#include <string>

#include "toolkit/TWinMenu.h"

class TNetGame;
class TWinText;

class TNetWaitMenu : public TWinMenu {
 public:
  TNetWaitMenu(TNetGame& in_game, const std::wstring& in_title, const std::wstring& in_text);
  ~TNetWaitMenu() override = default;

  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  void SetText(const std::wstring& in_text);
  const std::wstring& Text() const;

  // The box that shows now, or null.
  static TNetWaitMenu* Live();

 private:
  TNetGame& Game_;
  TWinText* Text_;
};
