#include "algo/TDijkstra.h"

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace NAlgo {

namespace {

constexpr float kStraightStep = 1.0f;
// The float nearest the square root of 2 (bits 0x3FB504F3).
constexpr float kDiagonalStep = 1.4142135f;

uint32_t FloatBits(float in_value) {
  uint32_t bits;
  std::memcpy(&bits, &in_value, sizeof bits);
  return bits;
}

// A pending entry: the distance it was queued with, then the padded cell
// index. Distances are never negative, and for non-negative floats the bit
// patterns order like the values, so sorting the keys orders the entries by
// distance and then by node index.
uint64_t PendingKey(float in_distance, int32_t in_cell) {
  return (uint64_t{FloatBits(in_distance)} << 32) | static_cast<uint32_t>(in_cell);
}

}  // namespace

TDijkstra::TDijkstraCell::~TDijkstraCell() = default;

bool TDijkstra::TDijkstraCell::IsPassable() { return true; }

void TDijkstra::BeginBuild(int in_columns, int in_rows) {
  Nodes_.clear();
  Cells_.clear();
  Columns_ = 0;
  Rows_ = 0;
  PassableCount_ = 0;
  Searched_ = false;
  if (in_columns <= 0 || in_rows <= 0) return;
  if (int64_t{in_columns} * in_rows > kMaxCells) return;
  Cells_.assign(static_cast<std::size_t>(in_columns + 2) * static_cast<std::size_t>(in_rows + 2),
                TCellState{-1.0f, -1});
  Columns_ = in_columns;
  Rows_ = in_rows;
}

void TDijkstra::MarkPassable(int in_column, int in_row) {
  TCellState& cell = Cells_[static_cast<std::size_t>(in_row + 1) * (Columns_ + 2) + (in_column + 1)];
  PassableCount_ += cell.Node < 0;
  cell.Node = 0;
}

void TDijkstra::NumberNodes() {
  Nodes_.reserve(PassableCount_);
  for (int row = 0; row < Rows_; ++row) {
    TCellState* cell = &Cells_[static_cast<std::size_t>(row + 1) * (Columns_ + 2) + 1];
    for (int column = 0; column < Columns_; ++column, ++cell) {
      if (cell->Node < 0) continue;
      *cell = TCellState{FLT_MAX, static_cast<int32_t>(Nodes_.size())};
      Nodes_.push_back(TNode{column, row, FLT_MAX, -1});
    }
  }
}

int32_t TDijkstra::NodeCell(TPosition in_position) const {
  const auto [column, row] = in_position;
  if (column < 0 || column >= Columns_ || row < 0 || row >= Rows_) return -1;
  const int32_t cell = (row + 1) * (Columns_ + 2) + (column + 1);
  return Cells_[cell].Node < 0 ? -1 : cell;
}

void TDijkstra::Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route) {
  const int32_t startCell = NodeCell(in_start);
  const int32_t targetCell = NodeCell(in_target);
  if (startCell < 0 || targetCell < 0) throw 0;

  if (Searched_) {
    for (TNode& node : Nodes_) {
      node.Distance = FLT_MAX;
      node.Previous = -1;
    }
    for (TCellState& cell : Cells_) {
      if (cell.Node >= 0) cell.Distance = FLT_MAX;
    }
  }
  Searched_ = true;
  for (std::vector<uint64_t>& pending : Pending_) pending.clear();

  const int32_t stride = Columns_ + 2;
  struct TStep {
    int32_t Offset;
    float Cost;
  };
  const TStep steps[8] = {
      {-stride - 1, kDiagonalStep}, {-stride, kStraightStep}, {-stride + 1, kDiagonalStep},
      {-1, kStraightStep},          {1, kStraightStep},       {stride - 1, kDiagonalStep},
      {stride, kStraightStep},      {stride + 1, kDiagonalStep},
  };

  // Settling a node at distance d in [k, k + 1) queues its neighbours at
  // float(d + step) >= k + 1, which is exact to decide while distances stay
  // below 2^24 (kMaxCells sees to that). So once interval k is reached no entry
  // joins it any more: it is sorted once and settled in (distance, index) order,
  // which is the order in which the quadratic search extracts those nodes.
  // Each distance only falls, so an entry whose distance is no longer the
  // cell's is stale: its cell was queued again lower, and settled from there.
  // A settled node keeps its distance and predecessor: every later candidate
  // is at least 1 larger. Hence the search may stop when the target settles.
  TCellState* const cells = Cells_.data();
  cells[startCell].Distance = 0.0f;
  Nodes_[cells[startCell].Node].Distance = 0.0f;
  Pending_[0].push_back(PendingKey(0.0f, startCell));
  bool settledTarget = false;
  for (uint32_t whole = 0; !settledTarget; ++whole) {
    std::vector<uint64_t>& interval = Pending_[whole % 3];
    if (interval.empty()) {
      if (Pending_[(whole + 1) % 3].empty() && Pending_[(whole + 2) % 3].empty()) break;
      continue;
    }
    std::sort(interval.begin(), interval.end());
    for (const uint64_t key : interval) {
      const int32_t u = static_cast<int32_t>(key & 0xFFFFFFFFu);
      if (static_cast<uint32_t>(key >> 32) != FloatBits(cells[u].Distance)) continue;
      if (u == targetCell) {
        settledTarget = true;
        break;
      }
      const double base = cells[u].Distance;
      const int32_t from = cells[u].Node;
      for (const TStep& step : steps) {
        const int32_t v = u + step.Offset;
        TCellState& to = cells[v];
        const double candidate = base + static_cast<double>(step.Cost);
        if (!(candidate < static_cast<double>(to.Distance))) continue;
        const float rounded = static_cast<float>(candidate);
        // Rounding to the stored float changes only the predecessor; the
        // queued entry stays valid.
        if (rounded != to.Distance) Pending_[static_cast<uint32_t>(rounded) % 3].push_back(PendingKey(rounded, v));
        to.Distance = rounded;
        TNode& node = Nodes_[to.Node];
        node.Distance = rounded;
        node.Previous = from;
      }
    }
    interval.clear();
  }

  const int32_t target = cells[targetCell].Node;
  if (Nodes_[target].Previous < 0) throw 0;

  // Walk back from the target. Distances strictly grow along a route, so the
  // walk reaches the start within one pass over the nodes.
  const std::size_t first = in_route.size();
  int32_t node = target;
  for (std::size_t stepsLeft = Nodes_.size(); node >= 0; --stepsLeft) {
    if (stepsLeft == 0) {
      in_route.resize(first);
      throw 0;
    }
    in_route.emplace_back(Nodes_[node].X, Nodes_[node].Y);
    node = Nodes_[node].Previous;
  }
  std::reverse(in_route.begin() + static_cast<std::ptrdiff_t>(first), in_route.end());
}

}  // namespace NAlgo
