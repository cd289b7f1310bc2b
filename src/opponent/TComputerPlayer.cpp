#include "opponent/TComputerPlayer.h"

#include <limits>

#include "opponent/TGreedyPlayer.h"

TOrder TComputerPlayer::Choose(const TBoard& in_board, const TViewSpan& in_span) {
  Begin(in_board, in_span);
  while (!Think(std::numeric_limits<int64_t>::max())) {
  }
  return Order();
}

std::unique_ptr<TComputerPlayer> MakeComputerPlayer(TStrength in_strength, uint32_t in_seed) {
  // FIXME: the strong player's search is not written yet; both strengths play greedily.
  (void)in_strength;
  return std::make_unique<TGreedyPlayer>(in_seed);
}
