#include "opponent/TCandidates.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "opponent/TEvaluator.h"

namespace {

// Strikers looked at for each target.
constexpr size_t kStrikersPerTarget = 3;
// Stacks looked at for each open cell beside the queen.
constexpr size_t kCoversPerCell = 2;
// Ways out for the queen.
constexpr size_t kFlights = 4;
constexpr size_t kCloseFlights = 8;

double Octile(const TPosition& in_position, int32_t in_a, int32_t in_b) {
  const int32_t stride = in_position.Stride();
  const int32_t dc = std::abs(in_a % stride - in_b % stride);
  const int32_t dr = std::abs(in_a / stride - in_b / stride);
  return std::max(dc, dr) + 0.41421356 * std::min(dc, dr);
}

// Whether an enemy of in_owner could strike a stack standing on the free cell
// in_cell next, as the regions are now.
int32_t StrikersOfCell(const TPosition& in_position, const TReach& in_reach, int32_t in_owner, int32_t in_cell,
                       int32_t in_leaving, const TViewSpan& in_span) {
  const auto& stacks = in_position.Stacks();
  const int32_t* steps = in_position.Steps();
  int32_t count = 0;
  for (size_t i = 0; i < stacks.size(); ++i) {
    const TPosition::TStack& enemy = stacks[i];
    if (enemy.Cell < 0 || enemy.Owner == in_owner || !in_position.Fits(enemy.Cell, in_cell, in_span)) continue;
    bool strikes = in_position.Touch(enemy.Cell, in_cell);
    for (int32_t k = 0; k < 8 && !strikes; ++k) {
      const int32_t next = in_cell + steps[k];
      // The cell the stack leaves is free then, and joins what it touches.
      if (next == in_leaving) {
        strikes = in_position.Touch(enemy.Cell, next) || in_reach.Reaches(static_cast<int32_t>(i), in_cell);
      } else {
        strikes = in_position.Free(next) && in_reach.Reaches(static_cast<int32_t>(i), next);
      }
    }
    if (strikes) ++count;
  }
  return count;
}

}  // namespace

std::vector<TCandidate> TCandidates::Of(const TPosition& in_position, const TReach& in_reach, TEvaluator& in_evaluator,
                                        bool in_closer) {
  std::vector<TCandidate> candidates;
  const TViewSpan& span = in_evaluator.Span();
  const int32_t me = in_position.ToMove();
  const auto& stacks = in_position.Stacks();
  const int32_t* steps = in_position.Steps();
  const std::vector<int32_t>& myQueens = in_position.Queens(me);
  const std::vector<int32_t>& theirQueens = in_position.Queens(1 - me);

  std::vector<int32_t> mine;
  for (size_t i = 0; i < stacks.size(); ++i)
    if (stacks[i].Cell >= 0 && stacks[i].Owner == me) mine.push_back(static_cast<int32_t>(i));

  // Strikes: the nearest strikers of every target.
  for (size_t t = 0; t < stacks.size(); ++t) {
    const TPosition::TStack& target = stacks[t];
    if (target.Cell < 0 || target.Owner == me) continue;
    std::vector<std::pair<double, int32_t>> strikers;
    for (const int32_t s : mine)
      if (in_reach.Strikes(in_position, s, static_cast<int32_t>(t), span))
        strikers.emplace_back(Octile(in_position, stacks[static_cast<size_t>(s)].Cell, target.Cell), s);
    std::stable_sort(strikers.begin(), strikers.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const size_t most = target.Queen ? strikers.size() : std::min(strikers.size(), kStrikersPerTarget);
    for (size_t k = 0; k < most; ++k)
      candidates.push_back({TCandidate::kStrike, strikers[k].second, target.Cell, static_cast<int32_t>(t), target.Queen ? 0 : 1});
  }

  // Covers: the open cells beside the own queens, each by the nearest stacks
  // that do not cover her already.
  for (const int32_t queen : myQueens) {
    const int32_t queenCell = stacks[static_cast<size_t>(queen)].Cell;
    for (int32_t k = 0; k < 8; ++k) {
      const int32_t cell = queenCell + steps[k];
      if (!in_position.Free(cell)) continue;
      bool open = false;
      for (size_t i = 0; i < stacks.size() && !open; ++i)
        open = stacks[i].Cell >= 0 && stacks[i].Owner != me && in_reach.Reaches(static_cast<int32_t>(i), cell);
      if (!open) continue;
      std::vector<std::pair<double, int32_t>> covers;
      for (const int32_t s : mine) {
        const int32_t from = stacks[static_cast<size_t>(s)].Cell;
        if (s == queen || in_position.Touch(from, queenCell) || !in_position.Fits(from, cell, span) ||
            !in_reach.Reaches(s, cell))
          continue;
        covers.emplace_back(Octile(in_position, from, cell), s);
      }
      std::stable_sort(covers.begin(), covers.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
      for (size_t c = 0; c < covers.size() && c < kCoversPerCell; ++c)
        candidates.push_back({TCandidate::kMove, covers[c].second, cell, -1, 2});
    }
  }

  // The queens' ways out, for a queen an enemy could strike next: the cells in
  // view with the fewest enemy strikers, then the farthest from the enemy,
  // then with the most free cells beside them (a queen in a corner has nowhere
  // left to go). A queen out of reach stays where her stacks cover her.
  for (const int32_t queen : myQueens) {
    const int32_t from = stacks[static_cast<size_t>(queen)].Cell;
    const bool threatened = StrikersOfCell(in_position, in_reach, me, from, -1, span) > 0 ||
                            std::any_of(stacks.begin(), stacks.end(), [&](const TPosition::TStack& s) {
                              return s.Cell >= 0 && s.Owner != me && in_position.Touch(s.Cell, from);
                            });
    if (!threatened) continue;
    struct TFlight {
      int32_t Strikers;
      int32_t FreeBeside;
      double Nearest;
      int32_t Cell;
    };
    std::vector<TFlight> flights;
    const TCellPos at = in_position.PosOf(from);
    for (int32_t r = std::max(0, at.Row - span.Rows); r <= std::min(in_position.Rows() - 1, at.Row + span.Rows); ++r) {
      for (int32_t c = std::max(0, at.Column - span.Columns); c <= std::min(in_position.Columns() - 1, at.Column + span.Columns); ++c) {
        const int32_t cell = in_position.CellOf({c, r});
        if (!in_position.Free(cell) || !in_reach.Reaches(queen, cell)) continue;
        TFlight flight{StrikersOfCell(in_position, in_reach, me, cell, from, span), 0, 1e9, cell};
        for (int32_t k = 0; k < 8; ++k)
          if (in_position.Free(cell + steps[k]) || cell + steps[k] == from) ++flight.FreeBeside;
        for (const TPosition::TStack& s : stacks)
          if (s.Cell >= 0 && s.Owner != me) flight.Nearest = std::min(flight.Nearest, Octile(in_position, s.Cell, cell));
        flights.push_back(flight);
      }
    }
    std::stable_sort(flights.begin(), flights.end(), [](const TFlight& a, const TFlight& b) {
      if (a.Strikers != b.Strikers) return a.Strikers < b.Strikers;
      if (a.Nearest != b.Nearest) return a.Nearest > b.Nearest;
      return a.FreeBeside > b.FreeBeside;
    });
    const size_t most = in_closer ? kCloseFlights : kFlights;
    for (size_t f = 0; f < flights.size() && f < most; ++f)
      candidates.push_back({TCandidate::kMove, queen, flights[f].Cell, -1, 2});
  }

  // Walks towards the enemy queen.
  if (!theirQueens.empty()) {
    const TDistanceField& field =
        in_evaluator.DistancesFrom(in_position, stacks[static_cast<size_t>(theirQueens.front())].Cell);
    for (const int32_t s : mine) {
      const TPosition::TStack& stack = stacks[static_cast<size_t>(s)];
      if (stack.Queen && mine.size() > 1) continue;
      const TCellPos at = in_position.PosOf(stack.Cell);
      int32_t best = -1;
      int32_t bestSafe = -1;
      double bestDistance = field.At(stack.Cell);
      double bestSafeDistance = bestDistance;
      for (int32_t r = std::max(0, at.Row - span.Rows); r <= std::min(in_position.Rows() - 1, at.Row + span.Rows); ++r) {
        for (int32_t c = std::max(0, at.Column - span.Columns); c <= std::min(in_position.Columns() - 1, at.Column + span.Columns); ++c) {
          const int32_t cell = in_position.CellOf({c, r});
          if (!in_position.Free(cell)) continue;
          const double distance = field.At(cell);
          if (distance >= bestDistance && (!in_closer || distance >= bestSafeDistance)) continue;
          if (!in_reach.Reaches(s, cell)) continue;
          if (distance < bestDistance) {
            bestDistance = distance;
            best = cell;
          }
          if (in_closer && distance < bestSafeDistance &&
              StrikersOfCell(in_position, in_reach, me, cell, stack.Cell, span) == 0) {
            bestSafeDistance = distance;
            bestSafe = cell;
          }
        }
      }
      if (best >= 0) candidates.push_back({TCandidate::kMove, s, best, -1, 3});
      if (bestSafe >= 0 && bestSafe != best) candidates.push_back({TCandidate::kMove, s, bestSafe, -1, 3});
    }
  }

  candidates.push_back(TCandidate{});
  candidates.back().Rank = 4;
  // No order twice (a cover may also be the best walk).
  std::vector<TCandidate> unique;
  for (const TCandidate& candidate : candidates) {
    const bool seen = std::any_of(unique.begin(), unique.end(), [&](const TCandidate& other) {
      return other.Kind == candidate.Kind && other.Stack == candidate.Stack && other.To == candidate.To;
    });
    if (!seen) unique.push_back(candidate);
  }
  std::stable_sort(unique.begin(), unique.end(), [](const TCandidate& a, const TCandidate& b) { return a.Rank < b.Rank; });
  return unique;
}
