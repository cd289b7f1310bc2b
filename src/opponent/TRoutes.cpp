#include "opponent/TRoutes.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <queue>

namespace {

constexpr double kDiagonal = 1.4142135623730951;
// Route lengths are summed in floats by the game and in doubles here.
constexpr double kLengthTolerance = 1e-3;

constexpr TCellPos kSteps[8] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

TCellPos Plus(TCellPos a, TCellPos b) { return {a.Column + b.Column, a.Row + b.Row}; }

}  // namespace

double StepCost(TCellPos in_from, TCellPos in_to) {
  return (in_from.Column != in_to.Column && in_from.Row != in_to.Row) ? kDiagonal : 1.0;
}

bool Neighbours(TCellPos in_a, TCellPos in_b) {
  const int32_t dc = std::abs(in_a.Column - in_b.Column);
  const int32_t dr = std::abs(in_a.Row - in_b.Row);
  return dc <= 1 && dr <= 1 && (dc + dr) > 0;
}

TRoutes::TRoutes(const TBoard& in_board, TCellPos in_from)
    : Board_(in_board), From_(in_from), Distance_(static_cast<size_t>(in_board.Columns()) * in_board.Rows(), kNone) {
  Search(std::nullopt);
}

TRoutes::TRoutes(const TBoard& in_board, TCellPos in_from, TCellPos in_target)
    : Board_(in_board), From_(in_from), Distance_(static_cast<size_t>(in_board.Columns()) * in_board.Rows(), kNone) {
  Search(in_target);
}

void TRoutes::Search(const std::optional<TCellPos>& in_target) {
  if (!Board_.Inside(From_)) return;
  const auto index = [&](TCellPos cell) { return static_cast<size_t>(cell.Row) * Board_.Columns() + cell.Column; };
  using TEntry = std::pair<double, size_t>;
  std::priority_queue<TEntry, std::vector<TEntry>, std::greater<TEntry>> open;
  Distance_[index(From_)] = 0.0;
  open.push({0.0, index(From_)});
  while (!open.empty()) {
    const auto [distance, at] = open.top();
    open.pop();
    if (distance > Distance_[at]) continue;
    // Every cell still to come is farther: the target's length is final.
    if (in_target && distance >= DistanceTo(*in_target)) return;
    const TCellPos cell{static_cast<int32_t>(at % Board_.Columns()), static_cast<int32_t>(at / Board_.Columns())};
    for (const TCellPos step : kSteps) {
      const TCellPos next = Plus(cell, step);
      if (!Board_.Inside(next) || !Board_.Free(next)) continue;
      const double candidate = distance + StepCost(cell, next);
      if (candidate < Distance_[index(next)]) {
        Distance_[index(next)] = candidate;
        open.push({candidate, index(next)});
      }
    }
  }
}

double TRoutes::DistanceTo(TCellPos in_target) const {
  if (!Board_.Inside(in_target) || in_target == From_) return kNone;
  const auto index = [&](TCellPos cell) { return static_cast<size_t>(cell.Row) * Board_.Columns() + cell.Column; };
  if (Board_.Free(in_target)) return Distance_[index(in_target)];
  double best = kNone;
  for (const TCellPos step : kSteps) {
    const TCellPos next = Plus(in_target, step);
    if (!Board_.Inside(next)) continue;
    const double via = Distance_[index(next)];
    if (via != kNone) best = std::min(best, via + StepCost(next, in_target));
  }
  return best;
}

std::vector<bool> FreeReach(const TBoard& in_board, TCellPos in_start, const TMove* in_move) {
  std::vector<bool> reached(static_cast<size_t>(in_board.Columns()) * in_board.Rows(), false);
  if (!in_board.Inside(in_start)) return reached;
  const auto index = [&](TCellPos cell) { return static_cast<size_t>(cell.Row) * in_board.Columns() + cell.Column; };
  const auto free = [&](TCellPos cell) {
    if (in_move && in_move->From != in_move->To) {
      if (cell == in_move->From) return true;
      if (cell == in_move->To) return false;
    }
    return in_board.Free(cell);
  };
  std::vector<TCellPos> stack{in_start};
  reached[index(in_start)] = true;
  while (!stack.empty()) {
    const TCellPos cell = stack.back();
    stack.pop_back();
    for (const TCellPos step : kSteps) {
      const TCellPos next = Plus(cell, step);
      if (!in_board.Inside(next) || reached[index(next)] || !free(next)) continue;
      reached[index(next)] = true;
      stack.push_back(next);
    }
  }
  return reached;
}

bool IsLegalTarget(const TBoard& in_board, TCellPos in_from, TCellPos in_target) {
  if (!in_board.Inside(in_from) || !in_board.Inside(in_target)) return false;
  const auto& mover = in_board.Stack(in_from);
  if (!mover || mover->Lives <= 0) return false;
  const int32_t owner = ((mover->Owner % 2) + 2) % 2;
  if (!in_board.Free(in_target) && !in_board.EnemyOf(owner, in_target)) return false;
  return TRoutes(in_board, in_from, in_target).DistanceTo(in_target) != TRoutes::kNone;
}

std::optional<std::string> RouteFault(const TBoard& in_board, const std::vector<TCellPos>& in_route) {
  if (in_route.size() < 2) {
    // Appended rather than prefixed: GCC 12 warns wrongly (-Wrestrict) on "text" + std::to_string(n).
    std::string fault = "the route has ";
    fault += std::to_string(in_route.size());
    return fault + " cells";
  }
  for (const TCellPos cell : in_route) {
    if (!in_board.Inside(cell)) return "the route leaves the map at " + CellText(cell);
  }
  const TCellPos from = in_route.front();
  const TCellPos to = in_route.back();
  const auto& mover = in_board.Stack(from);
  if (!mover) return "no stack stands at the start " + CellText(from);
  if (((mover->Owner % 2) + 2) % 2 != in_board.ToMove())
    return "the stack at " + CellText(from) + " belongs to the player not to move";
  if (mover->Lives <= 0) return "the stack at " + CellText(from) + " has no lives left";
  if (!in_board.Free(to) && !in_board.EnemyOf(in_board.ToMove(), to))
    return "the target " + CellText(to) + " is neither free nor an enemy stack";
  double length = 0.0;
  for (size_t i = 1; i < in_route.size(); ++i) {
    if (!Neighbours(in_route[i - 1], in_route[i]))
      return "the step from " + CellText(in_route[i - 1]) + " to " + CellText(in_route[i]) + " is not to a neighbour";
    if (i + 1 < in_route.size() && !in_board.Free(in_route[i]))
      return "the route passes the occupied cell " + CellText(in_route[i]);
    length += StepCost(in_route[i - 1], in_route[i]);
  }
  const double shortest = TRoutes(in_board, from, to).DistanceTo(to);
  if (std::fabs(length - shortest) > kLengthTolerance)
    return "the route is " + std::to_string(length) + " long where the shortest is " + std::to_string(shortest);
  return std::nullopt;
}
