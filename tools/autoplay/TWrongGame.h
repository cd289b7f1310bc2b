#pragma once
// A game made wrong on purpose, for the tests of the autoplay's checks: each
// fault breaks one rule of play by changing the world state or the map's order
// state between the game's own message handlers, through the harness's message
// hook. The game's code is untouched, and nothing of this reaches a program
// anyone plays: only sessions that a test configures install it.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/Win32.h"

class TGameHarness;
class TCell;
class TMap;
class TUnit;
class TWinCell;

enum class TGameFault {
  None,
  // A strike takes no lives, whatever the dice say.
  StrikeTakesNoLives,
  // A walk that ends on an enemy stops next to it without striking.
  StrikeIsSkipped,
  // A fallen queen does not end the game.
  QueenFallIsIgnored,
  // A walk stops one cell before the end of its route.
  WalkStopsShort,
  // The turn counter does not grow at the end of an order.
  TurnCounterStays,
  // The route shown goes straight through stacks, around trees only.
  RouteThroughStacks,
  // A stack whose lives are gone stays on the map once its animation is over.
  DeadStackStays,
  // A click on a stack of the player to move during a walk selects it.
  WalkTakesClicks,
  // Pointing at one of the mover's own stacks or at a tree shows a route to it.
  RouteToNoTarget,
  // A right click does not stop a walk.
  WalkIgnoresRightClicks,
};

// The fault's name, for test names and reports.
std::string FaultName(TGameFault in_fault);

class TWrongGame {
 public:
  // Installs the fault on the harness's messages; TGameFault::None installs nothing.
  TWrongGame(TGameHarness& in_harness, TGameFault in_fault);
  // Takes the hook off again.
  ~TWrongGame();
  TWrongGame(const TWrongGame&) = delete;
  TWrongGame& operator=(const TWrongGame&) = delete;

 private:
  void Before(UINT in_message);
  void After(UINT in_message);
  // Replaces the route shown by one that ignores stacks, when that one is
  // different and passes a stack.
  void RouteAroundTreesOnly(TMap& in_map) const;

  TGameHarness& Harness_;
  TGameFault Fault_;
  // Lives and count of every stack before a frame.
  std::vector<std::pair<TUnit*, std::pair<int32_t, int32_t>>> Before_;
  bool WasMoving_ = false;
  // The route of the walk before a right click.
  std::vector<std::pair<int32_t, int32_t>> Route_;
  TWinCell* Selected_ = nullptr;
  int32_t TurnBefore_ = 0;
  // Dead stacks kept out of their cells for the length of a frame, so that
  // the frame does not remove them.
  std::vector<std::pair<TCell*, TUnit*>> Hidden_;
};
