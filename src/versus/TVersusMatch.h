#pragma once
// The game on the versus program's screen: who plays each side, and the
// driving of the sides that are not the person at this screen. After every
// tick, outside the event lock, the side to move gets its chance to play
// through the hand; the turn box that announces such a side is closed by the
// hand too. On those turns the map and "Пропустить Ход." do not listen to the
// person (PersonMayReach), while the side menu's other buttons and every menu
// do.

#include <cstdint>
#include <memory>

#include "opponent/TOrder.h"
#include "versus/TOrderHand.h"
#include "versus/TSide.h"
#include "versus/TVersusSetup.h"

class TWindow;

class TVersusMatch {
 public:
  TVersusMatch() = default;
  TVersusMatch(const TVersusMatch&) = delete;
  TVersusMatch& operator=(const TVersusMatch&) = delete;

  // A game screen was built for the world as it is loaded now: the setup
  // decides who plays the side to move and who the other; in_seed breaks the
  // computer's ties.
  void NewGame(const TVersusSetup& in_setup, uint32_t in_seed);
  // Puts other sides in (for tests and other modes); either may be null for the person.
  void SetSides(std::unique_ptr<TSide> in_first, std::unique_ptr<TSide> in_second);
  // The screen shows no game any more.
  void EndGame();

  // Called after every tick, outside the lock.
  void AfterTick();
  // Called after the person's input was routed, to notice an order or a pass it gave.
  void AfterInput() { Observe(); }

  // Whether the person at this screen plays the side to move (always, with no game).
  bool LocalTurn() const;
  // Whether the person's input may go to the window: not to the map window or
  // its cells, and not to "Пропустить Ход.", on a turn that is not theirs.
  bool PersonMayReach(const TWindow* in_window) const;
  // Whether the window is the game screen's map window or one of its cells.
  static bool OnMap(const TWindow* in_window);
  const TSide* Side(int32_t in_player) const { return Sides_[in_player & 1].get(); }

 private:
  // Tells both sides of an order or a pass given since the last look.
  void Observe();

  std::unique_ptr<TSide> Sides_[2];
  TOrderHand Hand_;
  bool Playing_ = false;
  // What the last look saw: an order running, and the turn.
  bool SawMoving_ = false;
  int32_t SawTurn_ = 0;
};
