#include "autoplay/TComputerPolicy.h"

TAction TComputerPolicy::Choose(const TBoard& in_board, const TViewSpan& in_span) {
  const TOrder order = Player_->Choose(in_board, in_span);
  TAction action;
  if (order.Pass) return action;
  action.Kind = TActionKind::Order;
  action.From = order.From;
  action.To = order.To;
  return action;
}
