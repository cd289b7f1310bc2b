#include "versus/TComputerSide.h"

#include "opponent/TBoard.h"
#include "versus/TOrderHand.h"
#include "world/WorldState.h"

TComputerSide::TComputerSide(TStrength in_strength, uint32_t in_seed)
    : Player_(MakeComputerPlayer(in_strength, in_seed)) {}

void TComputerSide::NewGame() {
  Thinking_ = false;
  Turn_ = -1;
  Failures_ = 0;
}

void TComputerSide::Play(TOrderHand& in_hand) {
  if (in_hand.TakeFailure()) {
    Thinking_ = false;
    if (++Failures_ >= 2) {
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
