#pragma once
// A computer player of the opponent library playing one side of the autoplay:
// its orders, and its passes, as actions.

#include <memory>

#include "autoplay/TPolicy.h"
#include "opponent/TComputerPlayer.h"

class TComputerPolicy : public TPolicy {
 public:
  explicit TComputerPolicy(std::unique_ptr<TComputerPlayer> in_player) : Player_(std::move(in_player)) {}
  TAction Choose(const TBoard& in_board, const TViewSpan& in_span) override;

 private:
  std::unique_ptr<TComputerPlayer> Player_;
};
