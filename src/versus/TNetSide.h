#pragma once
// The other player of a network game: on its turns the hand replays the
// order that came from the other copy, with the very mouse messages a person
// sends, so that it looks like a person's turn (selection, route, walk,
// strike, and the right press that stopped a walk). An order the hand cannot
// give ends the game on both copies.

#include <cstdint>

#include "versus/TSide.h"

class TNetGame;

class TNetSide : public TSide {
 public:
  explicit TNetSide(TNetGame& in_game) : Game_(in_game) {}

  bool IsLocal() const override { return false; }
  void NewGame() override { Given_ = -1; }
  void Play(TOrderHand& in_hand) override;

 private:
  TNetGame& Game_;
  // The turn whose order is in hand or was given.
  int32_t Given_ = -1;
};
