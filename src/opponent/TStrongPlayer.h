#pragma once
// "Сильный": a search that weighs the dice. For each order it looks at
// (TCandidates) it weighs every way the strike can fall (the damage 0 to 9,
// and the lives of the creature that takes the top) by its chance, and gives
// the order whose worth, so expected, is highest. Positions are weighed by
// TEvaluator, which counts the best strike of the side to move as made: one
// order deep, the enemy's best strike on what an order leaves is already in
// its worth.
//
// Two orders deep it then looks at the enemy's best answer to each order
// among the orders it could give, each weighed by its own dice, in the order
// of the first weighing as far as its work allows; an enemy answer that
// already makes an order worse than the best one found ends the look at that
// order. Against the greedy player that look loses more than it wins (the
// evaluator's worth with the own side to move judges exchanges worse than
// with the enemy's), so the program plays one order deep; the autoplay's
// "strong2" plays two deep, to measure it.
//
// Work is counted in positions weighed, so the same board, seed and budget
// always give the same order, however the thinking is sliced.

#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "opponent/TCandidates.h"
#include "opponent/TComputerPlayer.h"
#include "opponent/TEvaluator.h"
#include "opponent/TPosition.h"
#include "opponent/TReach.h"

class TGameRoute;

class TStrongPlayer : public TComputerPlayer {
 public:
  // The positions weighed for one order, as the program plays.
  static constexpr int64_t kDefaultBudget = 20000;
  // How many orders deep the program looks: its own, or its own and the enemy's answer.
  static constexpr int32_t kDefaultDepth = 1;

  explicit TStrongPlayer(uint32_t in_seed, int64_t in_budget = kDefaultBudget, TStrongWeights in_weights = {},
                         int32_t in_depth = kDefaultDepth);
  ~TStrongPlayer() override;

  void Begin(const TBoard& in_board, const TViewSpan& in_span) override;
  bool Think(int64_t in_work) override;
  void Stop() override;
  TOrder Order() const override { return Order_; }

  // How many positions the last order weighed.
  int64_t Work() const;

 private:
  // One way an order can come out, with its chance.
  struct TOutcome {
    double Chance;
    TPosition Position;
  };
  struct TRoot {
    TCandidate Candidate;
    std::vector<TOutcome> Outcomes;
    // The worth one deep, once weighed; two deep, once looked at.
    std::optional<double> Shallow;
    std::optional<double> Deep;
    uint32_t Tie = 0;
  };

  // The positions an order leads to, with their chances. in_stop: where a
  // striking stack stops, as the game's route has it (-1: a guess).
  static std::vector<TOutcome> Outcomes(const TPosition& in_position, const TCandidate& in_candidate, int32_t in_stop);
  // Where a striking stack stops, guessed: the free cell beside the target
  // nearest to it that it reaches (its own cell when it touches the target).
  static int32_t GuessStop(const TPosition& in_position, const TReach& in_reach, int32_t in_stack, int32_t in_target);
  // The worth for Me_ of the position after the enemy's best answer, or a
  // number at most in_enough once an answer is found that makes it so.
  double AfterAnswer(const TPosition& in_position, double in_enough);
  double Weigh(const TPosition& in_position);
  void Finish();

  uint32_t Seed_;
  int64_t Budget_;
  int32_t Depth_;
  TStrongWeights Weights_;
  std::mt19937 Random_;
  std::unique_ptr<TEvaluator> Evaluator_;
  std::vector<TRoot> Roots_;
  // Whether every order has been weighed one deep (then they are in the order
  // of that worth), the next to weigh, and the next to look at two deep.
  bool Weighed_ = false;
  size_t NextShallow_ = 0;
  size_t Next_ = 0;
  int32_t Me_ = 0;
  bool Done_ = true;
  TOrder Order_;
  std::optional<TPosition> Start_;
  // The regions of the position being weighed.
  TReach Scratch_;
};
