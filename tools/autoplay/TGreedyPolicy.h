#pragma once
// Plays one order ahead. It strikes the enemy queen when it can. Otherwise it
// weighs every strike, every step of its own queen and every move that puts a
// stack beside its queen, and one move per other stack towards the enemy queen,
// on the board each would leave: an order after which no enemy stack could
// strike its queen next turn comes first; then a strike on a stack that
// threatens its queen; then a strike on the weakest enemy (fewest lives left
// in all), then the move that comes closest to the enemy queen, and passing
// last. Ties are broken by its own seeded generator, so a seed decides its play.

#include <random>

#include "autoplay/TPolicy.h"

class TGreedyPolicy : public TPolicy {
 public:
  explicit TGreedyPolicy(uint32_t in_seed) : Random_(in_seed) {}
  TAction Choose(const TBoard& in_board, const TViewSpan& in_span) override;

  // Whether an enemy stack of in_owner could strike in_owner's queen with its
  // next order on this board, as far as the map shows both at once.
  static bool QueenInReach(const TBoard& in_board, int32_t in_owner, const TViewSpan& in_span);

 private:
  std::mt19937 Random_;
};
