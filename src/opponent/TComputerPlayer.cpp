#include "opponent/TComputerPlayer.h"

#include <limits>

#include "opponent/TGreedyPlayer.h"
#include "opponent/TStrongPlayer.h"

TOrder TComputerPlayer::Choose(const TBoard& in_board, const TViewSpan& in_span) {
  Begin(in_board, in_span);
  while (!Think(std::numeric_limits<int64_t>::max())) {
  }
  return Order();
}

std::unique_ptr<TComputerPlayer> MakeComputerPlayer(TStrength in_strength, uint32_t in_seed) {
  if (in_strength == TStrength::Strong) return std::make_unique<TStrongPlayer>(in_seed);
  return std::make_unique<TGreedyPlayer>(in_seed);
}
