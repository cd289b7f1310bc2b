#include "autoplay/Strikes.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

int32_t SaturatingMinus(int32_t in_value, int32_t in_amount) {
  const int64_t result = int64_t{in_value} - in_amount;
  return static_cast<int32_t>(std::max<int64_t>(result, std::numeric_limits<int32_t>::min()));
}

}  // namespace

std::optional<std::vector<int32_t>> RollsBetween(uint32_t in_before, uint32_t in_after, int32_t in_most) {
  std::vector<int32_t> rolls;
  uint32_t state = in_before;
  while (state != in_after) {
    if (static_cast<int32_t>(rolls.size()) >= in_most) return std::nullopt;
    state = state * 214013u + 2531011u;
    rolls.push_back(static_cast<int32_t>((state >> 16) & 0x7FFF));
  }
  return rolls;
}

std::optional<TStrike> StrikeByTheDice(const TStackView& in_target, const std::vector<int32_t>& in_rolls) {
  if (in_rolls.empty()) return std::nullopt;
  TStrike strike;
  strike.Damage = in_rolls[0] % 10;
  strike.After = in_target;
  strike.After.Lives = SaturatingMinus(in_target.Lives, strike.Damage);
  if (strike.After.Lives > 0) return strike;
  strike.After.Count = SaturatingMinus(in_target.Count, 1);
  if (strike.After.Count <= 0) return strike;
  if (in_rolls.size() < 2) return std::nullopt;
  strike.After.Lives = in_rolls[1] % 10 + 5;
  strike.Rolls = 2;
  return strike;
}

std::optional<std::string> DamageSpreadFault(const TDamageTally& in_tally) {
  const int64_t strikes = std::accumulate(in_tally.begin(), in_tally.end(), int64_t{0});
  if (strikes < kStrikesForSpread) return std::nullopt;
  for (size_t damage = 0; damage < in_tally.size(); ++damage)
    if (in_tally[damage] == 0)
      return "over " + std::to_string(strikes) + " strikes not one did " + std::to_string(damage) + " damage";
  return std::nullopt;
}
