#include "opponent/BoardPlay.h"

#include "opponent/TGameRoute.h"
#include "opponent/TPosition.h"
#include "opponent/TRoutes.h"

int32_t PlayOrder(TBoard& io_board, const TOrder& in_order, const std::function<int32_t()>& in_random) {
  int32_t loser = -1;
  const auto& mover = io_board.Inside(in_order.From) ? io_board.Stack(in_order.From) : std::nullopt;
  if (!in_order.Pass && mover && ((mover->Owner % 2) + 2) % 2 == io_board.ToMove() &&
      IsLegalTarget(io_board, in_order.From, in_order.To)) {
    const TPosition position(io_board);
    TGameRoute routes(position);
    const int32_t stop = routes.StopOf(position.CellOf(in_order.From), position.CellOf(in_order.To));
    const TStackView walker = *mover;
    io_board.SetStack(in_order.From, std::nullopt);
    io_board.SetStack(position.PosOf(stop), walker);
    if (stop != position.CellOf(in_order.To)) {
      TStackView target = *io_board.Stack(in_order.To);
      target.Lives -= in_random() % 10;
      if (target.Lives <= 0) {
        target.Count -= 1;
        if (target.Count > 0) target.Lives = in_random() % 10 + 5;
      }
      if (target.Lives > 0) {
        io_board.SetStack(in_order.To, target);
      } else {
        io_board.SetStack(in_order.To, std::nullopt);
        if (target.Type == kQueenType) loser = ((target.Owner % 2) + 2) % 2;
      }
    }
  }
  io_board.Turn += 1;
  return loser;
}
