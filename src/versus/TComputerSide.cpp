#include "versus/TComputerSide.h"

#include "net/NetTrace.h"
#include "opponent/TBoard.h"
#include "versus/TOrderHand.h"
#include "world/WorldState.h"

TComputerSide::TComputerSide(TStrength in_strength, uint32_t in_seed, int32_t in_turnCap)
    : Player_(MakeComputerPlayer(in_strength, in_seed)), TurnCap_(in_turnCap) {}

void TComputerSide::NewGame() {
  Thinking_ = false;
  Turn_ = -1;
  Failures_ = 0;
}

void TComputerSide::Play(TOrderHand& in_hand) {
  if (TurnCap_ > 0 && TurnCounter >= TurnCap_) return;
  if (in_hand.TakeFailure()) {
    Thinking_ = false;
    NetTrace("computer: the order of turn %d could not be given (%d times)", static_cast<int>(TurnCounter),
             Failures_ + 1);
    if (++Failures_ >= 2) {
      NetTrace("computer: passes turn %d", static_cast<int>(TurnCounter));
      in_hand.Give(TOrder{});
      return;
    }
  }
  if (Turn_ != TurnCounter) {
    Turn_ = TurnCounter;
    Failures_ = 0;
    Thinking_ = false;
  }
  if (!Thinking_) {
    Player_->Begin(TBoard::FromWorld(), TOrderHand::Span());
    Thinking_ = true;
    Started_ = timeGetTime();
  }
  bool done = Player_->Think(kWorkPerSlice);
  if (!done && timeGetTime() - Started_ >= kMostThinkMilliseconds) {
    Player_->Stop();
    done = true;
  }
  if (!done) return;
  Thinking_ = false;
  in_hand.Give(Player_->Order());
}
