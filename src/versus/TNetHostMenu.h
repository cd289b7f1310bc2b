#pragma once
// "Создать сетевую игру": which side the host plays ("Вы ходите:" first or
// second) and the port to listen on ("Порт:"); "Выбрать карту" opens the
// game's map list, whose choice starts waiting for the guest, and "Назад"
// brings the start menu back.

#include <cstdint>
#include <memory>

#include "toolkit/TWinMenu.h"
#include "versus/TChoiceRow.h"
#include "versus/TVersusSetup.h"

class TWinEdit;

class TNetHostMenu : public TWinMenu {
 public:
  static constexpr int32_t kBack = 0;
  static constexpr int32_t kChooseMap = 1;

  explicit TNetHostMenu(TVersusSetup& in_setup);
  ~TNetHostMenu() override = default;

  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  const TChoiceRow& Side() const { return *Side_; }
  TWinEdit* PortEdit() const { return Port_; }

 private:
  TVersusSetup& Setup_;
  std::unique_ptr<TChoiceRow> Side_;
  TWinEdit* Port_;
};
