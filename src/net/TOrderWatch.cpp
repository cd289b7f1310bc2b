#include "net/TOrderWatch.h"

#include "world/BoardRest.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

namespace NNet {

namespace {

TCellRef RefOf(const TWinCell* in_cell) {
  return in_cell ? TCellRef{in_cell->Column, in_cell->Row} : TCellRef{};
}

}  // namespace

void TOrderWatch::Reset() { *this = TOrderWatch{}; }

void TOrderWatch::Look(const TMap* in_map) {
  if (!in_map) return;
  if (!Started_) {
    Started_ = true;
    SawTurn_ = TurnCounter;
    SawMoving_ = in_map->Moving;
  }
  if (in_map->Moving && !SawMoving_) {
    // An order begins: what is selected and where its route leads.
    Running_ = true;
    Over_ = false;
    Turn_ = TurnCounter;
    Order_ = TNetOrder{};
    Order_.From = RefOf(in_map->SelectedCell);
    if (!in_map->Route.empty() && in_map->TargetCell) {
      Order_.Kind = TOrderKind::Move;
      Order_.To = RefOf(in_map->TargetCell);
    } else {
      Order_.Kind = TOrderKind::NoRoute;
    }
  } else if (!in_map->Moving && SawMoving_) {
    Over_ = Running_;
    Running_ = false;
  } else if (!in_map->Moving && !SawMoving_ && TurnCounter != SawTurn_ && !Running_) {
    // The turn went on with no order running: a pass.
    Over_ = true;
    Turn_ = SawTurn_;
    Order_ = TNetOrder{};
  }
  SawMoving_ = in_map->Moving;
  SawTurn_ = TurnCounter;
}

void TOrderWatch::BeforeInput(const TMap* in_map) {
  Look(in_map);
  WalkingBefore_ = in_map && in_map->Moving && !in_map->Route.empty();
  if (WalkingBefore_) WalkerBefore_ = TCellRef{in_map->Route.front().first, in_map->Route.front().second};
}

void TOrderWatch::AfterInput(const TMap* in_map) {
  // A right press on the map empties the route of a walk: the stack stays
  // where it stands and the order ends with the next frame.
  if (in_map && WalkingBefore_ && Running_ && in_map->Moving && in_map->Route.empty() &&
      Order_.Kind == TOrderKind::Move && !Order_.Stopped) {
    Order_.Stopped = true;
    Order_.StopCell = WalkerBefore_;
  }
  WalkingBefore_ = false;
  Look(in_map);
}

void TOrderWatch::AfterTick(const TMap* in_map) { Look(in_map); }

bool TOrderWatch::Take(const TMap* in_map, int32_t& out_turn, TNetOrder& out_order) {
  Look(in_map);
  if (!Over_ || !in_map || !BoardAtRest(*in_map)) return false;
  Over_ = false;
  out_turn = Turn_;
  out_order = Order_;
  return true;
}

bool TOrderWatch::TakeNow(const TMap* in_map, int32_t& out_turn, TNetOrder& out_order) {
  Look(in_map);
  if (!Over_ && !Running_) return false;
  Over_ = Running_ = false;
  out_turn = Turn_;
  out_order = Order_;
  return true;
}

}  // namespace NNet
