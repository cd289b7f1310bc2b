#include "algo/TDijkstraOracle.h"

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <numeric>

namespace {

// The cost of a single step between two nodes; FLT_MAX when they are not
// neighbours or are the same cell.
float StepCost(const TDijkstraOracle::TNode& in_a, const TDijkstraOracle::TNode& in_b) {
  const int32_t dx = in_a.X - in_b.X;
  const int32_t dy = in_a.Y - in_b.Y;
  if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return FLT_MAX;
  if (dx == 0 && dy == 0) return FLT_MAX;
  if (dx == 0 || dy == 0) return 1.0f;
  return 1.4142135f;
}

}  // namespace

void TDijkstraOracle::AppendNode(int in_column, int in_row) {
  Nodes_.push_back(TNode{in_column, in_row, FLT_MAX, -1});
}

void TDijkstraOracle::Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route) {
  const int32_t count = static_cast<int32_t>(Nodes_.size());

  int32_t start = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (Nodes_[i].X == in_start.first && Nodes_[i].Y == in_start.second) {
      start = i;
      break;
    }
  }
  int32_t target = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (Nodes_[i].X == in_target.first && Nodes_[i].Y == in_target.second) {
      target = i;
      break;
    }
  }
  if (start < 0 || target < 0) throw 0;

  std::vector<int32_t> open(Nodes_.size());
  std::iota(open.begin(), open.end(), 0);

  Nodes_[start].Distance = 0.0f;

  while (!open.empty()) {
    float best = FLT_MAX;
    size_t chosen = open.size();
    for (size_t i = 0; i < open.size(); ++i) {
      if (Nodes_[open[i]].Distance < best) {
        best = Nodes_[open[i]].Distance;
        chosen = i;
      }
    }
    if (chosen == open.size()) break;
    const int32_t u = open[chosen];
    open.erase(open.begin() + static_cast<ptrdiff_t>(chosen));

    for (int32_t v = 0; v < count; ++v) {
      const float w = StepCost(Nodes_[v], Nodes_[u]);
      if (w == FLT_MAX) continue;
      const double candidate = static_cast<double>(Nodes_[u].Distance) + static_cast<double>(w);
      if (candidate < static_cast<double>(Nodes_[v].Distance)) {
        Nodes_[v].Distance = static_cast<float>(candidate);
        Nodes_[v].Previous = u;
      }
    }
  }

  if (Nodes_[target].Previous == -1) throw 0;

  for (int32_t node = target; node != -1; node = Nodes_[node].Previous) {
    in_route.emplace_back(Nodes_[node].X, Nodes_[node].Y);
  }
  std::reverse(in_route.begin(), in_route.end());
}
