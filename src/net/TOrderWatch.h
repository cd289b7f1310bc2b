#pragma once
// Watches the game screen's map window for the orders given on it, by the
// person's mouse or by a hand replaying the other copy's order, and tells
// each one as the protocol carries it once it is over and the board is at
// rest (no order running, no stack animating, a dying stack gone), so that
// the world's digest can be taken then:
//  - a click on a stack and one on the end of its route: an order along the
//    route from the selected cell to the target cell;
//  - a click with a stack selected and no route: the turn passes with that
//    stack selected;
//  - a right press on the map while the stack walks: the walk stops where
//    the stack stands, the cell told with the order;
//  - "Пропустить Ход.": a pass.
// The program calls BeforeInput and AfterInput around every mouse press it
// routes, and AfterTick after every tick.

#include <cstdint>

#include "net/NetProtocol.h"

class TMap;

namespace NNet {

class TOrderWatch {
 public:
  // in_map: the game screen's map window, or null when none shows.
  void BeforeInput(const TMap* in_map);
  void AfterInput(const TMap* in_map);
  void AfterTick(const TMap* in_map);
  // The order given in turn out_turn, once it is over and in_map's board
  // rests; each order is told once.
  bool Take(const TMap* in_map, int32_t& out_turn, TNetOrder& out_order);
  // The same without waiting for the board to rest, and for an order still
  // running: for the moment a won game leaves the screen, which comes at the
  // same point of the game on both copies.
  bool TakeNow(const TMap* in_map, int32_t& out_turn, TNetOrder& out_order);
  // Forgets what it saw, as when another game comes on the screen.
  void Reset();
  // Whether an order is over and not yet told: the board has not come to
  // rest after it, and no other order may begin before it has.
  bool Pending() const { return Over_; }

 private:
  void Look(const TMap* in_map);

  bool Started_ = false;
  bool SawMoving_ = false;
  int32_t SawTurn_ = 0;
  // The order running or over and not yet told, and its turn.
  bool Running_ = false;
  bool Over_ = false;
  int32_t Turn_ = 0;
  TNetOrder Order_;
  // What the map's route began with before the input being routed.
  bool WalkingBefore_ = false;
  TCellRef WalkerBefore_;
};

}  // namespace NNet
