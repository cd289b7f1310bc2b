#pragma once
// "Сильный": a search two orders deep that weighs the dice. For each order it
// looks at (TCandidates), every way the strike can fall (the damage 0 to 9,
// and the lives of the creature that takes the top), then the enemy's best
// answer among the orders it could give, each weighed by its own dice; the
// order whose worth, so expected, is highest is given. Positions at the end
// are weighed by TEvaluator.
//
// The search first weighs every order one deep, then looks two deep at the
// orders in the order of that first weighing, as far as its work allows; an
// enemy answer that already makes an order worse than the best one found ends
// the look at that order. Work is counted in positions weighed, so the same
// board, seed and budget always give the same order.

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

  explicit TStrongPlayer(uint32_t in_seed, int64_t in_budget = kDefaultBudget, TStrongWeights in_weights = {});
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
    double Shallow = 0.0;
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
  TStrongWeights Weights_;
  std::mt19937 Random_;
  std::unique_ptr<TEvaluator> Evaluator_;
  std::vector<TRoot> Roots_;
  // Whether every order has been weighed one deep, and the next to look at two deep.
  bool Weighed_ = false;
  size_t Next_ = 0;
  int32_t Me_ = 0;
  bool Done_ = true;
  TOrder Order_;
  std::optional<TPosition> Start_;
  // The regions of the position being weighed.
  TReach Scratch_;
};
