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

#include "opponent/TComputerPlayer.h"

class TGreedyPlayer : public TComputerPlayer {
 public:
  explicit TGreedyPlayer(uint32_t in_seed) : Random_(in_seed) {}
  // Decides at once: the first Think answers true.
  void Begin(const TBoard& in_board, const TViewSpan& in_span) override;
  bool Think(int64_t) override { return true; }
  TOrder Order() const override { return Order_; }

  // Whether an enemy stack of in_owner could strike in_owner's queen with its
  // next order on this board, as far as the map shows both at once.
  static bool QueenInReach(const TBoard& in_board, int32_t in_owner, const TViewSpan& in_span);

 private:
  TOrder Decide(const TBoard& in_board, const TViewSpan& in_span);

  std::mt19937 Random_;
  TOrder Order_;
};
