#include "versus/TVersusMenu.h"

#include "screens/ScreenActions.h"
#include "screens/TNewGameMenu.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"
#include "versus/TNetHostMenu.h"
#include "versus/TNetJoinMenu.h"
#include "versus/TVersusApp.h"

namespace {
constexpr int32_t kWidth = 300;
constexpr int32_t kLeft = 30;
constexpr int32_t kRowWidth = kWidth - 2 * kLeft;
constexpr int32_t kFirstRow = 30;
constexpr int32_t kButtonsTop = kFirstRow + 3 * TChoiceRow::kHeight + 10;
constexpr int32_t kHeight = kButtonsTop + 190;
}  // namespace

TVersusMenu::TVersusMenu(TVersusSetup& in_setup) : TWinMenu(L"Против компьютера", kWidth, kHeight), Setup_(in_setup) {
  Mode_ = std::make_unique<TChoiceRow>(this, TRect{kLeft, kFirstRow, kRowWidth, TChoiceRow::kHeight}, L"Противник:",
                                       std::vector<std::wstring>{L"Компьютер"}, 0);
  ComputerSide_ = std::make_unique<TChoiceRow>(this, TRect{kLeft, kFirstRow + TChoiceRow::kHeight, kRowWidth, TChoiceRow::kHeight},
                                               L"Компьютер ходит:", std::vector<std::wstring>{L"первым", L"вторым"},
                                               Setup_.ComputerFirst ? 0 : 1);
  Strength_ = std::make_unique<TChoiceRow>(this, TRect{kLeft, kFirstRow + 2 * TChoiceRow::kHeight, kRowWidth, TChoiceRow::kHeight},
                                           L"Сила:", std::vector<std::wstring>{L"Лёгкий", L"Сильный"},
                                           Setup_.Strength == TStrength::Easy ? 0 : 1);
  new TWinButton(this, this, TRect{50, kButtonsTop, 200, 40}, L"Выбрать карту", kChooseMap);
  new TWinButton(this, this, TRect{50, kButtonsTop + 45, 200, 40}, L"Создать сетевую игру", kHostGame);
  new TWinButton(this, this, TRect{50, kButtonsTop + 90, 200, 40}, L"Подключиться", kJoinGame);
  new TWinButton(this, this, TRect{50, kButtonsTop + 135, 200, 40}, L"Выйти", kQuit);
}

void TVersusMenu::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  if (code == kNotifyAnswer) {
    if (p2 != 0) PostCloseRequest();
    return;
  }
  if (code != kNotifyClick) return;
  if (Mode_->Take(sender)) {
    Setup_.Mode = TVersusMode::Computer;
    return;
  }
  if (ComputerSide_->Take(sender)) {
    Setup_.ComputerFirst = ComputerSide_->Chosen() == 0;
    return;
  }
  if (Strength_->Take(sender)) {
    Setup_.Strength = Strength_->Chosen() == 0 ? TStrength::Easy : TStrength::Strong;
    return;
  }
  if (p1 == kChooseMap) {
    Setup_.Mode = TVersusMode::Computer;
    // The next window opens first, so it is already the input root when this
    // menu is deleted at the end of the frame.
    new TNewGameMenu(L"Выбрать карту");
    QueueForDeletion(this);
  } else if (p1 == kHostGame) {
    new TNetHostMenu(Setup_);
    QueueForDeletion(this);
  } else if (p1 == kJoinGame) {
    if (auto* app = dynamic_cast<TVersusApp*>(Application)) {
      new TNetJoinMenu(Setup_, app->Net);
      QueueForDeletion(this);
    }
  } else if (p1 == kQuit) {
    OpenExitQuestion();
  }
}
