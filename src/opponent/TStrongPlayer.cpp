#include "opponent/TStrongPlayer.h"

#include <algorithm>
#include <limits>

#include "opponent/TGameRoute.h"
#include "opponent/TReach.h"

namespace {

constexpr double kDiagonal = 1.4142135623730951;

double Octile(const TPosition& in_position, int32_t in_a, int32_t in_b) {
  const int32_t stride = in_position.Stride();
  const int32_t dc = std::abs(in_a % stride - in_b % stride);
  const int32_t dr = std::abs(in_a / stride - in_b / stride);
  return std::max(dc, dr) + (kDiagonal - 1.0) * std::min(dc, dr);
}

}  // namespace

TStrongPlayer::TStrongPlayer(uint32_t in_seed, int64_t in_budget, TStrongWeights in_weights, int32_t in_depth)
    : Seed_(in_seed), Budget_(in_budget), Depth_(std::clamp(in_depth, 1, 2)), Weights_(in_weights) {}

TStrongPlayer::~TStrongPlayer() = default;

int64_t TStrongPlayer::Work() const { return Evaluator_ ? Evaluator_->Evaluations() : 0; }

std::vector<TStrongPlayer::TOutcome> TStrongPlayer::Outcomes(const TPosition& in_position, const TCandidate& in_candidate,
                                                            int32_t in_stop) {
  std::vector<TOutcome> outcomes;
  TPosition after = in_position;
  if (in_candidate.Kind == TCandidate::kMove) after.Move(in_candidate.Stack, in_candidate.To);
  if (in_candidate.Kind != TCandidate::kStrike) {
    after.PassTurn();
    outcomes.push_back({1.0, std::move(after)});
    return outcomes;
  }
  if (in_stop >= 0) after.Move(in_candidate.Stack, in_stop);
  after.PassTurn();
  const TPosition::TStack& target = after.Stack(in_candidate.Target);
  const int32_t lives = target.Lives;
  // Strikes of 0 to 9, each as likely: those the top creature survives, then
  // those that fell it.
  const int32_t survived = std::clamp(lives - 1, 0, 9) + 1;  // damage 0 .. lives - 1
  const double fell = (10 - std::min(survived, 10)) / 10.0;
  if (target.Queen) {
    // Every strike she survives on its own: her lives decide the next strike's chance to fell her.
    for (int32_t damage = 0; damage < std::min(survived, 10); ++damage) {
      TPosition struck = after;
      struck.Hit(in_candidate.Target, damage, 0);
      outcomes.push_back({0.1, std::move(struck)});
    }
  } else if (survived > 0) {
    TPosition struck = after;
    // The mean of the strikes survived.
    struck.Hit(in_candidate.Target, (std::min(survived, 10) - 1) / 2, 0);
    outcomes.push_back({std::min(survived, 10) / 10.0, std::move(struck)});
  }
  if (fell > 0.0) {
    TPosition struck = after;
    // The next creature takes the top with 5 to 14 lives: about 9.
    struck.Hit(in_candidate.Target, lives, 9);
    outcomes.push_back({fell, std::move(struck)});
  }
  return outcomes;
}

int32_t TStrongPlayer::GuessStop(const TPosition& in_position, const TReach& in_reach, int32_t in_stack,
                                 int32_t in_target) {
  const int32_t from = in_position.Stack(in_stack).Cell;
  const int32_t to = in_position.Stack(in_target).Cell;
  if (in_position.Touch(from, to)) return from;
  const int32_t* steps = in_position.Steps();
  int32_t best = -1;
  double bestLength = std::numeric_limits<double>::infinity();
  for (int32_t k = 0; k < 8; ++k) {
    const int32_t cell = to + steps[k];
    if (!in_position.Free(cell) || !in_reach.Reaches(in_stack, cell)) continue;
    const double length = Octile(in_position, from, cell) + Octile(in_position, cell, to);
    if (length < bestLength) {
      bestLength = length;
      best = cell;
    }
  }
  return best;
}

double TStrongPlayer::Weigh(const TPosition& in_position) {
  Scratch_.Label(in_position);
  return Evaluator_->Evaluate(in_position, Scratch_, Me_);
}

double TStrongPlayer::AfterAnswer(const TPosition& in_position, double in_enough) {
  if (in_position.Loser() >= 0) return Weigh(in_position);
  const TReach reach(in_position);
  const std::vector<TCandidate> answers = TCandidates::Of(in_position, reach, *Evaluator_, false);
  double worst = std::numeric_limits<double>::infinity();
  for (const TCandidate& answer : answers) {
    const int32_t stop =
        answer.Kind == TCandidate::kStrike ? GuessStop(in_position, reach, answer.Stack, answer.Target) : -1;
    double value = 0.0;
    for (const TOutcome& outcome : Outcomes(in_position, answer, stop)) value += outcome.Chance * Weigh(outcome.Position);
    worst = std::min(worst, value);
    if (worst <= in_enough) break;
  }
  return worst;
}

void TStrongPlayer::Begin(const TBoard& in_board, const TViewSpan& in_span) {
  Me_ = in_board.ToMove();
  Random_.seed(Seed_ ^ (static_cast<uint32_t>(in_board.Turn) * 2654435761u));
  Evaluator_ = std::make_unique<TEvaluator>(in_span, Weights_);
  Start_.emplace(in_board);
  Roots_.clear();
  NextShallow_ = 0;
  Next_ = 0;
  Weighed_ = false;
  Done_ = false;
  Order_ = TOrder{};
  const TPosition& start = *Start_;
  const TReach reach(start);
  TGameRoute routes(start);
  for (const TCandidate& candidate : TCandidates::Of(start, reach, *Evaluator_, true)) {
    int32_t stop = -1;
    if (candidate.Kind == TCandidate::kStrike) {
      stop = routes.StopOf(start.Stack(candidate.Stack).Cell, candidate.To);
      if (stop < 0) continue;
    }
    TRoot root;
    root.Candidate = candidate;
    root.Outcomes = Outcomes(start, candidate, stop);
    root.Tie = static_cast<uint32_t>(Random_());
    Roots_.push_back(std::move(root));
  }
}

bool TStrongPlayer::Think(int64_t in_work) {
  if (Done_) return true;
  const int64_t sliceEnd = Work() + std::max<int64_t>(1, in_work);
  if (!Weighed_) {
    // One deep: what each order leaves, before the enemy answers.
    while (NextShallow_ < Roots_.size() && Work() < sliceEnd && Work() < Budget_) {
      TRoot& root = Roots_[NextShallow_++];
      double value = 0.0;
      for (const TOutcome& outcome : root.Outcomes) value += outcome.Chance * Weigh(outcome.Position);
      root.Shallow = value;
    }
    if (NextShallow_ < Roots_.size() && Work() < Budget_) return false;
    if (NextShallow_ < Roots_.size() || Depth_ < 2) {
      Finish();
      return true;
    }
    std::stable_sort(Roots_.begin(), Roots_.end(), [](const TRoot& a, const TRoot& b) {
      if (*a.Shallow != *b.Shallow) return *a.Shallow > *b.Shallow;
      return a.Tie < b.Tie;
    });
    Weighed_ = true;
  }
  while (Next_ < Roots_.size() && Work() < sliceEnd && Work() < Budget_) {
    TRoot& root = Roots_[Next_++];
    double best = -std::numeric_limits<double>::infinity();
    for (size_t i = 0; i + 1 < Next_; ++i)
      if (Roots_[i].Deep) best = std::max(best, *Roots_[i].Deep);
    if (root.Outcomes.size() == 1) {
      root.Deep = AfterAnswer(root.Outcomes.front().Position, best);
    } else {
      double value = 0.0;
      for (const TOutcome& outcome : root.Outcomes)
        value += outcome.Chance * AfterAnswer(outcome.Position, -std::numeric_limits<double>::infinity());
      root.Deep = value;
    }
  }
  if (Next_ < Roots_.size() && Work() < Budget_) return false;
  Finish();
  return true;
}

void TStrongPlayer::Stop() {
  if (!Done_) Finish();
}

void TStrongPlayer::Finish() {
  Done_ = true;
  // The best order looked at two deep; else the best weighed one deep; else
  // the first looked at (strikes on queens come first).
  const TRoot* chosen = nullptr;
  for (const TRoot& root : Roots_) {
    if (!root.Deep) continue;
    if (!chosen || *root.Deep > *chosen->Deep || (*root.Deep == *chosen->Deep && root.Tie < chosen->Tie)) chosen = &root;
  }
  for (size_t i = 0; !chosen && i < Roots_.size(); ++i) {
    const TRoot& root = Roots_[i];
    if (!root.Shallow) continue;
    const TRoot* best = &root;
    for (size_t j = i + 1; j < Roots_.size(); ++j) {
      const TRoot& other = Roots_[j];
      if (other.Shallow && (*other.Shallow > *best->Shallow || (*other.Shallow == *best->Shallow && other.Tie < best->Tie)))
        best = &other;
    }
    chosen = best;
  }
  if (!chosen && !Roots_.empty()) chosen = &Roots_.front();
  if (!chosen || chosen->Candidate.Kind == TCandidate::kPass || !Start_) {
    Order_ = TOrder{};
    return;
  }
  const TPosition& start = *Start_;
  Order_ = TOrder::Move(start.PosOf(start.Stack(chosen->Candidate.Stack).Cell), start.PosOf(chosen->Candidate.To));
}
