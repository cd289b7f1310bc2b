#pragma once
// The rules of a strike, followed from outside the game: which rolls of the
// game's dice an order took, read from the generator's state before and
// after, and what those rolls make of the target. The damage of a strike is
// the first roll mod 10; when it takes the top creature's last lives, the next
// creature takes the top with the second roll mod 10, plus 5.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "opponent/TBoard.h"

// The rolls (0 to 32767 each, oldest first) that lead from the generator's
// state in_before to in_after; nothing when in_after is not reached within
// in_most rolls.
std::optional<std::vector<int32_t>> RollsBetween(uint32_t in_before, uint32_t in_after, int32_t in_most);

struct TStrike {
  // 0 to 9.
  int32_t Damage = 0;
  // The target after the strike; with no creature left, its count is 0 and
  // the stack is removed once its dying animation is over.
  TStackView After;
  // The rolls the strike takes: 1, or 2 when a next creature took the top.
  int32_t Rolls = 1;
};

// The strike on in_target that begins with in_rolls; nothing without a roll,
// or when the strike needs a second roll that is not there.
std::optional<TStrike> StrikeByTheDice(const TStackView& in_target, const std::vector<int32_t>& in_rolls);

// How many strikes of a session have done each damage, 0 to 9.
using TDamageTally = std::array<int64_t, 10>;
// At least this many strikes, and every damage must have come: all ten are
// as likely, so missing one is a fault of the dice or of the strikes.
constexpr int64_t kStrikesForSpread = 300;
// The damage that never came over kStrikesForSpread strikes or more, as a
// report; nothing when the spread is sound or there were too few strikes.
std::optional<std::string> DamageSpreadFault(const TDamageTally& in_tally);
