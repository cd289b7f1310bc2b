#pragma once
// The computer playing a side: on each of its turns it reads the board as a
// player sees it, thinks in slices (one per frame, so the window keeps drawing
// while it thinks) and gives the order through the hand. An order the hand
// could not give is thought about once more at the window's size now; after
// that the side passes. With a turn cap it gives no order from that turn on.

#include <cstdint>
#include <memory>

#include "opponent/TComputerPlayer.h"
#include "platform/Win32.h"
#include "versus/TSide.h"

class TComputerSide : public TSide {
 public:
  // The work one slice of thinking may do, in the player's own units.
  static constexpr int64_t kWorkPerSlice = 500;
  // Thinking stops with the best order found once a turn has taken this long.
  static constexpr DWORD kMostThinkMilliseconds = 3000;

  TComputerSide(TStrength in_strength, uint32_t in_seed, int32_t in_turnCap = 0);
  explicit TComputerSide(std::unique_ptr<TComputerPlayer> in_player) : Player_(std::move(in_player)) {}

  bool IsLocal() const override { return false; }
  void NewGame() override;
  void Play(TOrderHand& in_hand) override;

 private:
  std::unique_ptr<TComputerPlayer> Player_;
  int32_t TurnCap_ = 0;
  bool Thinking_ = false;
  // The turn thought about, when the thinking began, and how many of its
  // orders the hand could not give.
  int32_t Turn_ = -1;
  DWORD Started_ = 0;
  int32_t Failures_ = 0;
};
