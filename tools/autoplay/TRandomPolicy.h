#pragma once
// Plays at random: mostly a uniformly random legal order (one of the mover's
// stacks at random, then one of its legal targets at random), now and then a
// click that must select nothing first, an order given by a click on a tree or
// another own stack, a right click in the middle of the walk, a click during
// the walk that must change nothing, a stack pointed at a cell that is no
// target of it (another own stack, a tree, a cell out of reach), a pass, a look
// into the in-game main menu, or a save under a random name that is loaded
// again through the map list; and now and then in a hurry, before the board
// has come to rest.

#include <random>

#include "autoplay/TPolicy.h"

class TRandomPolicy : public TPolicy {
 public:
  explicit TRandomPolicy(uint32_t in_seed) : Random_(in_seed) {}
  bool Hurries() override;
  TAction Choose(const TBoard& in_board, const TViewSpan& in_span) override;

 private:
  TAction ChooseAction(const TBoard& in_board, const TViewSpan& in_span);

  std::mt19937 Random_;
  bool Hurried_ = false;
};
