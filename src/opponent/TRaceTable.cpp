#include "opponent/TRaceTable.h"

#include <algorithm>

namespace {
constexpr int32_t kSize = TRaceTable::kMostLives + 1;
}  // namespace

TRaceTable::TRaceTable() : Chance_(static_cast<size_t>(kSize) * kSize, 0.0) {
  // x = chance(a, b) for the striker at a target a with its own queen at b;
  // y = chance(b, a) for the other side. A strike of 0 leaves the other side
  // striking at the same pair, which ties the two together:
  //   x = A + (1 - y) / 10,  y = B + (1 - x) / 10,
  // where A and B sum the strikes of 1 to 9 over pairs with fewer lives left.
  const auto at = [&](int32_t a, int32_t b) -> double& { return Chance_[static_cast<size_t>(a) * kSize + b]; };
  const auto partial = [&](int32_t a, int32_t b) {
    double sum = 0.0;
    for (int32_t d = 1; d <= 9; ++d) sum += a - d <= 0 ? 1.0 : 1.0 - at(b, a - d);
    return sum / 10.0;
  };
  for (int32_t total = 2; total <= 2 * (kSize - 1); ++total) {
    for (int32_t a = std::max(1, total - (kSize - 1)); a <= std::min(kSize - 1, total - 1); ++a) {
      const int32_t b = total - a;
      if (a > b) continue;
      const double pa = partial(a, b);
      const double pb = partial(b, a);
      const double x = (pa + 0.09 - 0.1 * pb) / 0.99;
      at(a, b) = x;
      at(b, a) = pb + (1.0 - x) / 10.0;
    }
  }
}

double TRaceTable::FirstWins(int32_t in_target, int32_t in_own) const {
  const int32_t a = std::clamp(in_target, 1, kSize - 1);
  const int32_t b = std::clamp(in_own, 1, kSize - 1);
  return Chance_[static_cast<size_t>(a) * kSize + b];
}

const TRaceTable& TRaceTable::Shared() {
  static const TRaceTable table;
  return table;
}
