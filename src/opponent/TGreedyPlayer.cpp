#include "opponent/TGreedyPlayer.h"

#include <algorithm>
#include <limits>
#include <map>
#include <memory>
#include <vector>

#include "opponent/TBoard.h"
#include "opponent/TRoutes.h"

namespace {

constexpr TCellPos kSteps[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

TCellPos Plus(TCellPos a, TCellPos b) { return {a.Column + b.Column, a.Row + b.Row}; }

// What is left of a stack to strike down, counting ten lives for each creature
// under the top one.
int32_t Strength(const TStackView& in_stack) {
  return std::max(0, in_stack.Count - 1) * 10 + std::max(0, in_stack.Lives);
}

// One order under consideration, with what decides between orders.
struct TCandidate {
  bool Pass = false;
  TCellPos From;
  TCellPos To;
  bool Strike = false;
  bool Safe = false;
  bool OnThreat = false;     // strikes a stack that could strike the own queen
  int32_t Weakness = 0;      // the target's strength, for strikes
  double Approach = 0.0;     // how far the enemy queen stays, for moves
  double Distance = 0.0;     // route length
  uint32_t Tie = 0;
};

// Where a stack ends that walks from in_from along a shortest route to in_to:
// the target itself when it is free, else the neighbour it strikes from.
TCellPos EndCell(const TBoard& in_board, const TRoutes& in_routes, TCellPos in_from, TCellPos in_to) {
  if (in_board.Free(in_to)) return in_to;
  if (Neighbours(in_from, in_to)) return in_from;
  TCellPos best = in_from;
  double bestDistance = TRoutes::kNone;
  for (const TCellPos step : kSteps) {
    const TCellPos next = Plus(in_to, step);
    if (!in_board.Inside(next) || !in_board.Free(next)) continue;
    const double distance = in_routes.DistanceTo(next) + StepCost(next, in_to);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = next;
    }
  }
  return best;
}

// Whether one of in_enemies could strike the queen at in_queen next turn, on
// the board as in_move (if any) leaves it.
bool QueenReached(const TBoard& in_board, TCellPos in_queen, const std::vector<TCellPos>& in_enemies,
                  const TViewSpan& in_span, const TMove* in_move) {
  const std::vector<bool> reach = FreeReach(in_board, in_queen, in_move);
  const auto reached = [&](TCellPos cell) {
    return in_board.Inside(cell) && reach[static_cast<size_t>(cell.Row) * in_board.Columns() + cell.Column];
  };
  for (const TCellPos enemy : in_enemies) {
    if (!in_span.Fits(enemy, in_queen)) continue;
    for (const TCellPos step : kSteps) {
      if (reached(Plus(enemy, step))) return true;
    }
  }
  return false;
}

}  // namespace

bool TGreedyPlayer::QueenInReach(const TBoard& in_board, int32_t in_owner, const TViewSpan& in_span) {
  const std::optional<TCellPos> queen = in_board.QueenOf(in_owner);
  return queen && QueenReached(in_board, *queen, in_board.StacksOf(1 - in_owner), in_span, nullptr);
}

void TGreedyPlayer::Begin(const TBoard& in_board, const TViewSpan& in_span) { Order_ = Decide(in_board, in_span); }

TOrder TGreedyPlayer::Decide(const TBoard& in_board, const TViewSpan& in_span) {
  const int32_t me = in_board.ToMove();
  const int32_t them = 1 - me;
  const std::vector<TCellPos> mine = in_board.StacksOf(me);
  const std::vector<TCellPos> theirs = in_board.StacksOf(them);
  const std::optional<TCellPos> myQueen = in_board.QueenOf(me);
  const std::optional<TCellPos> theirQueen = in_board.QueenOf(them);

  std::map<size_t, std::unique_ptr<TRoutes>> routes;
  const auto routesFrom = [&](size_t index) -> const TRoutes& {
    auto& entry = routes[index];
    if (!entry) entry = std::make_unique<TRoutes>(in_board, mine[index]);
    return *entry;
  };

  // The enemy queen first, by the shortest route.
  if (theirQueen) {
    std::vector<std::pair<double, size_t>> strikes;
    for (size_t i = 0; i < mine.size(); ++i) {
      if (!in_span.Fits(mine[i], *theirQueen)) continue;
      const double distance = routesFrom(i).DistanceTo(*theirQueen);
      if (distance != TRoutes::kNone) strikes.emplace_back(distance, i);
    }
    if (!strikes.empty()) {
      std::sort(strikes.begin(), strikes.end());
      size_t ties = 1;
      while (ties < strikes.size() && strikes[ties].first == strikes[0].first) ++ties;
      const size_t pick = strikes[Random_() % ties].second;
      return TOrder::Move(mine[pick], *theirQueen);
    }
  }

  const bool threatened = myQueen && QueenReached(in_board, *myQueen, theirs, in_span, nullptr);
  // The enemy stacks that could strike the own queen next turn.
  std::vector<TCellPos> threats;
  if (threatened) {
    for (const TCellPos enemy : theirs)
      if (QueenReached(in_board, *myQueen, {enemy}, in_span, nullptr)) threats.push_back(enemy);
  }
  // How far a free cell lies from the enemy queen (or, without one, from the
  // first enemy stack), around the trees but through the stacks, which move
  // and die: where moves head.
  std::optional<TCellPos> goal = theirQueen;
  if (!goal && !theirs.empty()) goal = theirs.front();
  TBoard ground = in_board;
  for (int32_t r = 0; r < ground.Rows(); ++r)
    for (int32_t c = 0; c < ground.Columns(); ++c) ground.SetStack({c, r}, std::nullopt);
  std::unique_ptr<TRoutes> toGoal = goal ? std::make_unique<TRoutes>(ground, *goal) : nullptr;
  const auto goalDistance = [&](TCellPos cell) {
    if (!toGoal) return 0.0;
    const double distance = toGoal->DistanceTo(cell);
    return distance == TRoutes::kNone ? 1e9 : distance;
  };

  std::vector<TCandidate> candidates;
  const auto consider = [&](size_t index, TCellPos to, bool strike) {
    const TCellPos from = mine[index];
    if (!in_span.Fits(from, to)) return;
    const TRoutes& fromRoutes = routesFrom(index);
    const double distance = fromRoutes.DistanceTo(to);
    if (distance == TRoutes::kNone) return;
    TCandidate candidate;
    candidate.From = from;
    candidate.To = to;
    candidate.Strike = strike;
    candidate.Distance = distance;
    const TCellPos end = EndCell(in_board, fromRoutes, from, to);
    const TMove move{from, end};
    const TCellPos queen = myQueen && *myQueen == from ? end : myQueen.value_or(end);
    candidate.Safe = !myQueen || !QueenReached(in_board, queen, theirs, in_span, &move);
    if (strike) {
      candidate.Weakness = Strength(*in_board.Stack(to));
      candidate.OnThreat = std::find(threats.begin(), threats.end(), to) != threats.end();
    }
    candidate.Approach = goalDistance(end);
    candidate.Tie = static_cast<uint32_t>(Random_());
    candidates.push_back(candidate);
  };

  for (size_t i = 0; i < mine.size(); ++i) {
    for (const TCellPos enemy : theirs) consider(i, enemy, true);
  }
  for (size_t i = 0; i < mine.size(); ++i) {
    const bool isQueen = myQueen && mine[i] == *myQueen;
    if (isQueen && threatened) {
      // Every step the queen could take.
      for (int32_t r = mine[i].Row - in_span.Rows; r <= mine[i].Row + in_span.Rows; ++r)
        for (int32_t c = mine[i].Column - in_span.Columns; c <= mine[i].Column + in_span.Columns; ++c)
          if (in_board.Inside({c, r}) && in_board.Free({c, r})) consider(i, {c, r}, false);
      continue;
    }
    if (threatened && myQueen) {
      // Cover the queen.
      for (const TCellPos step : kSteps) {
        const TCellPos cell = Plus(*myQueen, step);
        if (in_board.Inside(cell) && in_board.Free(cell)) consider(i, cell, false);
      }
    }
    if (isQueen && mine.size() > 1) continue;  // the queen stays back while others can go
    // The free cell in view that comes closest to the goal.
    std::optional<TCellPos> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    const TRoutes& fromRoutes = routesFrom(i);
    for (int32_t r = mine[i].Row - in_span.Rows; r <= mine[i].Row + in_span.Rows; ++r) {
      for (int32_t c = mine[i].Column - in_span.Columns; c <= mine[i].Column + in_span.Columns; ++c) {
        const TCellPos cell{c, r};
        if (!in_board.Inside(cell) || !in_board.Free(cell) || fromRoutes.DistanceTo(cell) == TRoutes::kNone) continue;
        const double distance = goalDistance(cell);
        if (distance < bestDistance) {
          bestDistance = distance;
          best = cell;
        }
      }
    }
    if (best && bestDistance < goalDistance(mine[i])) consider(i, *best, false);
  }

  if (!threatened) {
    // Passing keeps a safe queen safe; it comes after every safe order.
    TCandidate pass;
    pass.Pass = true;
    pass.Safe = true;
    pass.Approach = std::numeric_limits<double>::infinity();
    candidates.push_back(pass);
  }
  if (candidates.empty()) return TOrder{};  // nothing to do: pass
  // Safe first; then strikes on a stack that threatens the queen; then other
  // strikes, the weakest target first; then moves, the closest to the goal
  // first; then the shorter route; then the dice.
  const auto better = [](const TCandidate& a, const TCandidate& b) {
    if (a.Safe != b.Safe) return a.Safe;
    if (a.OnThreat != b.OnThreat) return a.OnThreat;
    if (a.Strike != b.Strike) return a.Strike;
    if (a.Strike && a.Weakness != b.Weakness) return a.Weakness < b.Weakness;
    if (!a.Strike && a.Approach != b.Approach) return a.Approach < b.Approach;
    if (a.Distance != b.Distance) return a.Distance < b.Distance;
    return a.Tie < b.Tie;
  };
  const TCandidate& chosen = *std::min_element(candidates.begin(), candidates.end(), better);
  if (chosen.Pass) return TOrder{};
  return TOrder::Move(chosen.From, chosen.To);
}
