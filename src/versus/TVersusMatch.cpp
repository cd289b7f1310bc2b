#include "versus/TVersusMatch.h"

#include "screens/TGameMenu.h"
#include "toolkit/TWinButton.h"
#include "versus/TComputerSide.h"
#include "world/TMap.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

void TVersusMatch::NewGame(const TVersusSetup& in_setup, uint32_t in_seed) {
  std::unique_ptr<TSide> computer = std::make_unique<TComputerSide>(in_setup.Strength, in_seed);
  std::unique_ptr<TSide> person = std::make_unique<TLocalSide>();
  // The side to move now is the one that moves first.
  const int32_t first = PlayerToMove();
  Sides_[first] = in_setup.ComputerFirst ? std::move(computer) : std::move(person);
  Sides_[1 - first] = in_setup.ComputerFirst ? std::move(person) : std::move(computer);
  for (const auto& side : Sides_) side->NewGame();
  Hand_.Reset();
  Playing_ = true;
  SawMoving_ = false;
  SawTurn_ = TurnCounter;
}

void TVersusMatch::SetSides(std::unique_ptr<TSide> in_first, std::unique_ptr<TSide> in_second) {
  Sides_[0] = in_first ? std::move(in_first) : std::make_unique<TLocalSide>();
  Sides_[1] = in_second ? std::move(in_second) : std::make_unique<TLocalSide>();
  for (const auto& side : Sides_) side->NewGame();
  Hand_.Reset();
}

void TVersusMatch::EndGame() {
  Playing_ = false;
  Hand_.Reset();
}

bool TVersusMatch::LocalTurn() const {
  if (!Playing_ || !TOrderHand::GameMap()) return true;
  const TSide* side = Sides_[PlayerToMove()].get();
  return !side || side->IsLocal();
}

bool TVersusMatch::PersonMayReach(const TWindow* in_window) const {
  if (TOrderHand::IsSending() || LocalTurn() || !in_window) return true;
  return in_window != TOrderHand::PassButton() && !OnMap(in_window);
}

bool TVersusMatch::OnMap(const TWindow* in_window) {
  for (const TWindow* window = in_window; window; window = window->Parent)
    if (dynamic_cast<const TMap*>(window)) return true;
  return false;
}

void TVersusMatch::Observe() {
  const TMap* map = Playing_ ? TOrderHand::GameMap() : nullptr;
  if (!map) return;
  TOrder played;
  bool seen = false;
  if (map->Moving && !SawMoving_ && map->SelectedCell && map->TargetCell) {
    played = TOrder::Move({map->SelectedCell->Column, map->SelectedCell->Row},
                          {map->TargetCell->Column, map->TargetCell->Row});
    seen = true;
  } else if (!map->Moving && !SawMoving_ && TurnCounter != SawTurn_) {
    seen = true;  // the turn passed without an order: a pass
  }
  if (map->Moving != SawMoving_ || seen) SawTurn_ = TurnCounter;
  SawMoving_ = map->Moving;
  if (!seen) return;
  for (const auto& side : Sides_)
    if (side) side->TurnPlayed(played);
}

void TVersusMatch::AfterTick() {
  if (!Playing_) return;
  Observe();
  if (!TOrderHand::GameMap()) return;
  TSide* side = Sides_[PlayerToMove()].get();
  if (!side || side->IsLocal()) {
    Hand_.Reset();
    return;
  }
  if (Hand_.CloseTurnBox()) return;
  if (Hand_.Busy()) {
    Hand_.Step();
  } else if (TOrderHand::Ready()) {
    side->Play(Hand_);
    // An order known at once begins at once.
    if (Hand_.Busy()) Hand_.Step();
  }
  Observe();
}
