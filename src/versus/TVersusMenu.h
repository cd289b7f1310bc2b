#pragma once
// The start menu of the versus program ("Против компьютера"): whom to play
// ("Противник:"), which side the computer plays ("Компьютер ходит:" first or
// second) and how well ("Сила:" "Лёгкий" or "Сильный"); "Выбрать карту" opens
// the game's map list, whose choice starts the game; "Создать сетевую игру"
// and "Подключиться" open the network game's menus; "Выйти" asks before
// closing the program. The choices are written into the setup at once.

#include <cstdint>
#include <memory>

#include "toolkit/TWinMenu.h"
#include "versus/TChoiceRow.h"
#include "versus/TVersusSetup.h"

class TVersusMenu : public TWinMenu {
 public:
  // Button ids.
  static constexpr int32_t kChooseMap = 1;
  static constexpr int32_t kQuit = 4;
  static constexpr int32_t kHostGame = 5;
  static constexpr int32_t kJoinGame = 6;

  // Centred on the current desktop and modal, showing in_setup's choices;
  // in_setup must outlive the menu.
  explicit TVersusMenu(TVersusSetup& in_setup);
  ~TVersusMenu() override = default;

  // Check buttons: the choice of their row. "Выбрать карту": the map list
  // (the menu closes); "Выйти": the exit question over the menu.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  const TChoiceRow& Mode() const { return *Mode_; }
  const TChoiceRow& ComputerSide() const { return *ComputerSide_; }
  const TChoiceRow& Strength() const { return *Strength_; }

 private:
  TVersusSetup& Setup_;
  std::unique_ptr<TChoiceRow> Mode_;
  std::unique_ptr<TChoiceRow> ComputerSide_;
  std::unique_ptr<TChoiceRow> Strength_;
};
