#pragma once
// The race of two queens struck in turn: each side strikes the other's queen
// once a turn (damage 0 to 9, each as likely) until one falls. The table
// holds the chance that the side to strike first wins, by what each queen has
// left to lose (whole lives, a creature under the top counting nine and a half).

#include <cstdint>
#include <vector>

class TRaceTable {
 public:
  // Lives beyond this count as this many.
  static constexpr int32_t kMostLives = 96;

  TRaceTable();

  // The chance that the striker, whose queen has in_own lives left, fells the
  // queen with in_target lives left before its own falls, striking first.
  double FirstWins(int32_t in_target, int32_t in_own) const;

  static const TRaceTable& Shared();

 private:
  std::vector<double> Chance_;
};
