#include "opponent/TEvaluator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "opponent/TRaceTable.h"

namespace {

// A side without a queen cannot lose: she counts as this far from falling.
constexpr double kNoQueenLives = 60.0;
constexpr double kNoQueenTurns = 60.0;

}  // namespace

TEvaluator::TEvaluator(const TViewSpan& in_span, const TStrongWeights& in_weights)
    : Span_(in_span), Weights_(in_weights), Stride_(std::max(1.0, (in_span.Columns + in_span.Rows) / 2.0)) {}

const TDistanceField& TEvaluator::DistancesFrom(const TPosition& in_position, int32_t in_cell) {
  auto& field = Fields_[in_cell];
  if (!field) field = std::make_unique<TDistanceField>(in_position, in_cell);
  return *field;
}

double TEvaluator::TurnsToStrike(const TPosition& in_position, const TReach& in_reach, int32_t in_side,
                                 int32_t in_queen) {
  const auto& stacks = in_position.Stacks();
  const int32_t* steps = in_position.Steps();
  const int32_t queenCell = in_position.Stack(in_queen).Cell;
  const TDistanceField& field = DistancesFrom(in_position, queenCell);
  // The walks of the two nearest attackers, in turns.
  double nearest = std::numeric_limits<double>::infinity();
  double second = nearest;
  bool open = false;
  int32_t attackers = 0;
  for (size_t i = 0; i < stacks.size(); ++i) {
    const TPosition::TStack& stack = stacks[i];
    if (stack.Cell < 0 || stack.Owner != in_side) continue;
    ++attackers;
    for (int32_t k = 0; k < 8 && !open; ++k) {
      const int32_t cell = queenCell + steps[k];
      open = in_position.Free(cell) && in_reach.Reaches(static_cast<int32_t>(i), cell);
    }
    // The own queen walks only when she must.
    if (stack.Queen) continue;
    const double distance = field.At(stack.Cell);
    if (distance >= TDistanceField::kUnreached) continue;
    const double turns = std::max(0.0, distance - 1.0) / Stride_;
    if (turns < nearest) {
      second = nearest;
      nearest = turns;
    } else if (turns < second) {
      second = turns;
    }
  }
  if (attackers == 0 || nearest == std::numeric_limits<double>::infinity()) return kNoQueenTurns;
  if (second == std::numeric_limits<double>::infinity()) second = nearest + Weights_.Walled;
  double turns = Weights_.Walk * (std::max(1.0, nearest) + Weights_.Second * (second - nearest));
  if (!open) {
    // Closed in: the weakest stack beside her that an attacker can get at must fall first.
    double weakest = std::numeric_limits<double>::infinity();
    for (int32_t k = 0; k < 8; ++k) {
      const int32_t blocker = in_position.StackAt(queenCell + steps[k]);
      if (blocker < 0 || in_position.Stack(blocker).Owner == in_side) continue;
      bool reachable = false;
      for (int32_t j = 0; j < 8 && !reachable; ++j) {
        const int32_t cell = in_position.Stack(blocker).Cell + steps[j];
        const int32_t other = in_position.StackAt(cell);
        if (other >= 0) {
          reachable = in_position.Stack(other).Owner == in_side;
          continue;
        }
        if (!in_position.Free(cell)) continue;
        for (size_t i = 0; i < stacks.size() && !reachable; ++i)
          reachable = stacks[i].Cell >= 0 && stacks[i].Owner == in_side && in_reach.Reaches(static_cast<int32_t>(i), cell);
      }
      if (reachable) weakest = std::min(weakest, TPosition::Toughness(in_position.Stack(blocker)) / kStrike);
    }
    turns += weakest == std::numeric_limits<double>::infinity() ? Weights_.Walled : weakest;
    // The queen's own stacks within a walk of her, not beside her already, fill the gaps.
    int32_t reserves = 0;
    for (size_t i = 0; i < stacks.size() && reserves < 2; ++i) {
      const TPosition::TStack& stack = stacks[i];
      if (stack.Cell < 0 || stack.Owner == in_side || stack.Queen || in_position.Touch(stack.Cell, queenCell)) continue;
      if (field.At(stack.Cell) <= Stride_ + 1.0) ++reserves;
    }
    turns += Weights_.Reserve * reserves;
  }
  return turns;
}

double TEvaluator::MaterialOf(double in_lives) { return 6.0 * std::sqrt(std::max(0.0, in_lives)); }

TEvaluator::TSideView TEvaluator::View(const TPosition& in_position, const TReach& in_reach, int32_t in_side) {
  TSideView view;
  const auto& stacks = in_position.Stacks();
  const std::vector<int32_t>& queens = in_position.Queens(in_side);
  const std::vector<int32_t>& enemyQueens = in_position.Queens(1 - in_side);
  view.HasQueen = !queens.empty();
  double weakest = std::numeric_limits<double>::infinity();
  for (const int32_t queen : queens) {
    const TPosition::TStack& stack = in_position.Stack(queen);
    const double lives = TPosition::Toughness(stack);
    if (lives < weakest) {
      weakest = lives;
      view.QueenLivesWhole = static_cast<int32_t>(std::lround(lives));
      view.FallChance = stack.Count <= 1 ? std::clamp((10.0 - stack.Lives) / 10.0, 0.0, 1.0) : 0.0;
    }
  }
  view.QueenLives = view.HasQueen ? weakest : kNoQueenLives;
  const int32_t* steps = in_position.Steps();
  for (const int32_t queen : queens) {
    // The free cells beside her that some enemy stack could walk to.
    for (int32_t k = 0; k < 8; ++k) {
      const int32_t cell = in_position.Stack(queen).Cell + steps[k];
      if (!in_position.Free(cell)) continue;
      for (size_t i = 0; i < stacks.size(); ++i) {
        if (stacks[i].Cell >= 0 && stacks[i].Owner != in_side && in_reach.Reaches(static_cast<int32_t>(i), cell)) {
          ++view.Open;
          break;
        }
      }
    }
  }
  std::vector<double> nearness;
  for (size_t i = 0; i < stacks.size(); ++i) {
    const TPosition::TStack& stack = stacks[i];
    if (stack.Cell < 0 || stack.Owner != in_side) continue;
    ++view.Stacks;
    // Lives left count for more the fewer there are: a stack near its end is
    // worth finishing, rather than spreading strikes over many.
    if (!stack.Queen) view.Material += MaterialOf(TPosition::Toughness(stack));
    if (Weights_.Initiative != 0.0) {
      for (size_t t = 0; t < stacks.size(); ++t) {
        const TPosition::TStack& target = stacks[t];
        if (target.Cell < 0 || target.Owner == in_side || target.Queen) continue;
        if (!in_reach.Strikes(in_position, static_cast<int32_t>(i), static_cast<int32_t>(t), Span_)) continue;
        // The strike's mean; a top creature of fewer lives falls, and with the last one the stack.
        const double lives = TPosition::Toughness(target);
        const double fell = std::clamp((10.0 - target.Lives) / 10.0, 0.0, 1.0);
        const double after = target.Count <= 1 ? (1.0 - fell) * MaterialOf(std::max(0.0, lives - kStrike))
                                                : MaterialOf(std::max(0.0, lives - kStrike));
        const double gain = MaterialOf(lives) - after + (target.Count <= 1 ? fell * Weights_.StackWorth / std::max(1e-9, Weights_.Material) : 0.0);
        view.BestStrike = std::max(view.BestStrike, gain);
      }
    }
    bool strikes = false;
    for (const int32_t queen : enemyQueens)
      strikes = strikes || in_reach.Strikes(in_position, static_cast<int32_t>(i), queen, Span_);
    if (strikes) ++view.QueenStrikers;
    if (stack.Queen || enemyQueens.empty() || Weights_.Approach == 0.0) continue;
    if (strikes) {
      nearness.push_back(1.0);
      continue;
    }
    const TDistanceField& field = DistancesFrom(in_position, in_position.Stack(enemyQueens.front()).Cell);
    const double distance = field.At(stack.Cell);
    if (distance < TDistanceField::kUnreached) nearness.push_back(1.0 / (1.0 + std::max(0.0, distance - 1.0) / Stride_));
  }
  std::sort(nearness.begin(), nearness.end(), std::greater<double>());
  for (size_t i = 0; i < nearness.size() && i < static_cast<size_t>(Weights_.Attackers); ++i) view.Approach += nearness[i];
  view.TurnsToStrike = kNoQueenTurns;
  if (view.QueenStrikers > 0) {
    view.TurnsToStrike = 0.0;
  } else if (Weights_.Time != 0.0) {
    for (const int32_t queen : enemyQueens)
      view.TurnsToStrike = std::min(view.TurnsToStrike, TurnsToStrike(in_position, in_reach, in_side, queen));
  }
  return view;
}

double TEvaluator::Evaluate(const TPosition& in_position, const TReach& in_reach, int32_t in_player) {
  ++Evaluations_;
  if (in_position.Loser() >= 0) return in_position.Loser() == in_player ? -kWin : kWin;
  const TStrongWeights& w = Weights_;
  const int32_t mover = in_position.ToMove();
  const TSideView moving = View(in_position, in_reach, mover);
  const TSideView waiting = View(in_position, in_reach, 1 - mover);

  // Lives a side's queen is from falling, counting the turns the enemy needs
  // to reach her, for the side to move; it moves first, half a turn ahead.
  const double movingHolds = moving.QueenLives + w.Time * kStrike * waiting.TurnsToStrike;
  const double waitingHolds = waiting.QueenLives + w.Time * kStrike * moving.TurnsToStrike;
  double score = movingHolds - waitingHolds + kStrike / 2.0;
  const auto open = [](const TSideView& view) { return std::min(view.Open, 3); };
  const auto sealed = [](const TSideView& view) { return view.HasQueen && view.Open == 0 ? 1.0 : 0.0; };
  score += w.Open * (open(waiting) - open(moving));
  score += w.Sealed * (sealed(moving) - sealed(waiting));
  score += w.Approach * (moving.Approach - waiting.Approach);
  score += w.Material * (moving.Material - waiting.Material);
  score += w.StackWorth * (moving.Stacks - waiting.Stacks);
  score += w.Initiative * w.Material * moving.BestStrike;
  const bool strikes = moving.QueenStrikers > 0 && waiting.HasQueen;
  const bool struck = waiting.QueenStrikers > 0 && moving.HasQueen;
  if (strikes) score += w.Threat * std::min(moving.QueenStrikers - 1, 2);
  double value = kWin * std::tanh(score / w.Scale);
  if (strikes) {
    if (struck) {
      // Both queens can be struck: whoever strikes first is ahead in the race.
      const double first = TRaceTable::Shared().FirstWins(waiting.QueenLivesWhole, moving.QueenLivesWhole);
      value = (1.0 - w.Race) * value + w.Race * kWin * (2.0 * first - 1.0);
    }
    // The strike to come may fell her at once.
    value = waiting.FallChance * kWin + (1.0 - waiting.FallChance) * value;
  }
  value = std::clamp(value, -kWin + 1.0, kWin - 1.0);
  return mover == in_player ? value : -value;
}
