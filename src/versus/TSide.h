#pragma once
// Who gives one side's orders in a game of the versus program: the person at
// this screen, the computer, or a peer in another mode. A side that is not
// local plays its turns through a TOrderHand, with the very window messages a
// mouse sends, so that its turns look like a person's; the map does not listen
// to the person on its turns.

#include "opponent/TOrder.h"

class TOrderHand;

class TSide {
 public:
  virtual ~TSide() = default;

  // Whether the person at this screen plays the side with the mouse.
  virtual bool IsLocal() const = 0;
  // A game is on the screen, new or loaded: whatever turn was in hand is over.
  virtual void NewGame() {}
  // Once per tick on the side's own turn, while the hand is free and the game
  // screen waits for an order (the board at rest, no menu or box open, no
  // mouse button held): think on, and hand the order over when it is known.
  virtual void Play(TOrderHand& in_hand) = 0;
  // An order or a pass was given on the map, by either side.
  virtual void TurnPlayed(const TOrder& in_order) { (void)in_order; }
};

// The person at this screen: plays with the mouse, so there is nothing to do.
class TLocalSide : public TSide {
 public:
  bool IsLocal() const override { return true; }
  void Play(TOrderHand&) override {}
};
