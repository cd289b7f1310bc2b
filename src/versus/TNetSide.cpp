#include "versus/TNetSide.h"

#include "versus/TNetGame.h"
#include "versus/TOrderHand.h"

void TNetSide::Play(TOrderHand& in_hand) {
  if (in_hand.TakeFailure()) {
    Game_.ReplayFailed();
    return;
  }
  int32_t turn = 0;
  TOrder order;
  std::optional<TCellPos> stopOn;
  if (!Game_.NextReplay(turn, order, stopOn) || turn == Given_) return;
  Given_ = turn;
  in_hand.Give(order, stopOn);
}
