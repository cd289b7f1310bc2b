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

int32_t KeyCell(uint64_t in_key) { return static_cast<int32_t>(in_key & 0xFFFFFFFFu); }

}  // namespace

TDijkstra::TDijkstraCell::~TDijkstraCell() = default;

bool TDijkstra::TDijkstraCell::IsPassable() { return true; }

void TDijkstra::BeginBuild(int in_columns, int in_rows) {
  Cells_.clear();
  Passable_.clear();
  FirstReached_ = 0;
  LastReached_ = -1;
  Columns_ = 0;
  Rows_ = 0;
  Source_ = -1;
  NodesMade_ = false;
  if (in_columns <= 0 || in_rows <= 0) return;
  if (int64_t{in_columns} * in_rows > kMaxCells) return;
  const size_t padded = static_cast<size_t>(in_columns + 2) * static_cast<size_t>(in_rows + 2);
  Cells_.assign(padded, TCellState{-1.0f, -1});
  Passable_.assign(padded, 0);
  Columns_ = in_columns;
  Rows_ = in_rows;
  const int32_t stride = in_columns + 2;
  const TStep steps[8] = {
      {-stride - 1, kDiagonalStep}, {-stride, kStraightStep}, {-stride + 1, kDiagonalStep},
      {-1, kStraightStep},          {1, kStraightStep},       {stride - 1, kDiagonalStep},
      {stride, kStraightStep},      {stride + 1, kDiagonalStep},
  };
  std::copy(std::begin(steps), std::end(steps), std::begin(Steps_));
}

void TDijkstra::MarkPassable(int in_column, int in_row) {
  const size_t cell = static_cast<size_t>(in_row + 1) * (Columns_ + 2) + (in_column + 1);
  Passable_[cell] = 1;
  Cells_[cell].Distance = FLT_MAX;
}

void TDijkstra::SetPassable(TPosition in_cell, bool in_passable) {
  const int32_t cell = PaddedCell(in_cell);
  if (cell < 0 || (Passable_[cell] != 0) == in_passable) return;
  // The search in progress was on the old grid.
  ForgetSearch();
  Passable_[cell] = in_passable ? 1 : 0;
  Cells_[cell] = TCellState{in_passable ? FLT_MAX : -1.0f, -1};
  NodesMade_ = false;
}

int32_t TDijkstra::PaddedCell(TPosition in_position) const {
  const auto [column, row] = in_position;
  if (column < 0 || column >= Columns_ || row < 0 || row >= Rows_) return -1;
  return (row + 1) * (Columns_ + 2) + (column + 1);
}

TDijkstra::TPosition TDijkstra::PositionOf(int32_t in_cell) const {
  const int32_t stride = Columns_ + 2;
  return {in_cell % stride - 1, in_cell / stride - 1};
}

void TDijkstra::ForgetSearch() {
  for (int32_t cell = FirstReached_; cell <= LastReached_; ++cell)
    Cells_[cell] = TCellState{Passable_[cell] ? FLT_MAX : -1.0f, -1};
  FirstReached_ = 0;
  LastReached_ = -1;
  for (std::vector<uint64_t>& pending : Pending_) pending.clear();
  Source_ = -1;
  NodesMade_ = false;
}

void TDijkstra::Prepare(int32_t in_source) {
  if (Source_ == in_source) return;
  ForgetSearch();
  Source_ = in_source;
  Whole_ = 0;
  Sorted_ = false;
  Next_ = 0;
  Exhausted_ = false;
  Cells_[in_source] = TCellState{0.0f, -1};
  FirstReached_ = LastReached_ = in_source;
  Pending_[0].push_back(PendingKey(0.0f, in_source));
}

// Settling a node at distance d in [k, k + 1) queues its neighbours at
// float(d + step) >= k + 1, which is exact to decide while distances stay
// below 2^24 (kMaxCells sees to that). So once interval k is reached no entry
// joins it any more: it is sorted once and settled in (distance, index) order,
// which is the order in which the quadratic search extracts those nodes.
// Each distance only falls, so an entry whose distance is no longer the
// cell's is stale: its cell was queued again lower, and settled from there.
// A settled node keeps its distance and predecessor: every later candidate
// is at least 1 larger. Hence a search may stop once its target is settled,
// and a later search from the same start may go on from there.
bool TDijkstra::OpenInterval() {
  while (!Sorted_) {
    if (Exhausted_) return false;
    std::vector<uint64_t>& interval = Pending_[Whole_ % 3];
    if (interval.empty()) {
      if (Pending_[(Whole_ + 1) % 3].empty() && Pending_[(Whole_ + 2) % 3].empty()) {
        Exhausted_ = true;
        return false;
      }
      ++Whole_;
      continue;
    }
    std::sort(interval.begin(), interval.end());
    Sorted_ = true;
    Next_ = 0;
  }
  return true;
}

void TDijkstra::CloseInterval() {
  Pending_[Whole_ % 3].clear();
  Sorted_ = false;
  ++Whole_;
}

bool TDijkstra::PeekNext(uint64_t& out_key) {
  while (OpenInterval()) {
    const std::vector<uint64_t>& interval = Pending_[Whole_ % 3];
    for (; Next_ < interval.size(); ++Next_) {
      const uint64_t key = interval[Next_];
      if (static_cast<uint32_t>(key >> 32) == FloatBits(Cells_[KeyCell(key)].Distance)) {
        out_key = key;
        return true;
      }
    }
    CloseInterval();
  }
  return false;
}

void TDijkstra::SettleNext() { Relax(KeyCell(Pending_[Whole_ % 3][Next_++])); }

void TDijkstra::Relax(int32_t in_cell) {
  TCellState* const cells = Cells_.data();
  const double base = cells[in_cell].Distance;
  for (const TStep& step : Steps_) {
    const int32_t v = in_cell + step.Offset;
    TCellState& to = cells[v];
    const double candidate = base + static_cast<double>(step.Cost);
    if (!(candidate < static_cast<double>(to.Distance))) continue;
    const float rounded = static_cast<float>(candidate);
    // Rounding to the stored float changes only the predecessor; the queued
    // entry stays valid.
    if (rounded != to.Distance) Pending_[static_cast<uint32_t>(rounded) % 3].push_back(PendingKey(rounded, v));
    FirstReached_ = std::min(FirstReached_, v);
    LastReached_ = std::max(LastReached_, v);
    to.Distance = rounded;
    to.Previous = in_cell;
  }
}

bool TDijkstra::Reach(int32_t in_cell) {
  if (IsSettled(in_cell)) return true;
  // A node is settled once it is the next to settle: its distance and
  // predecessor are final then; it is relaxed when the search goes on.
  while (OpenInterval()) {
    // Relaxing queues entries in the other two intervals only, so this one
    // stays as it is while it is walked.
    const std::vector<uint64_t>& interval = Pending_[Whole_ % 3];
    const TCellState* const cells = Cells_.data();
    for (const size_t size = interval.size(); Next_ < size; ++Next_) {
      const uint64_t key = interval[Next_];
      const int32_t u = KeyCell(key);
      if (static_cast<uint32_t>(key >> 32) != FloatBits(cells[u].Distance)) continue;
      if (u == in_cell) return true;
      Relax(u);
    }
    CloseInterval();
  }
  return false;
}

bool TDijkstra::IsSettled(int32_t in_cell) {
  const float distance = Cells_[in_cell].Distance;
  if (distance == FLT_MAX || distance < 0.0f) return false;
  // Every reached node that is not settled waits with its own key, and the
  // next node to settle has the smallest of those.
  uint64_t next = 0;
  return !PeekNext(next) || PendingKey(distance, in_cell) < next;
}

std::pair<float, int32_t> TDijkstra::RelaxFromSettled(int32_t in_cell) const {
  // The settled neighbours in the order they settled: by (distance, index).
  struct TFrom {
    uint64_t Key;
    float Cost;
  };
  TFrom from[8];
  int count = 0;
  for (const TStep& step : Steps_) {
    const int32_t u = in_cell - step.Offset;
    const float distance = Cells_[u].Distance;
    if (distance == FLT_MAX || distance < 0.0f) continue;
    // Insertion keeps the (at most eight) entries sorted.
    int at = count++;
    for (; at > 0 && from[at - 1].Key > PendingKey(distance, u); --at) from[at] = from[at - 1];
    from[at] = TFrom{PendingKey(distance, u), step.Cost};
  }
  float stored = FLT_MAX;
  int32_t previous = -1;
  for (int i = 0; i < count; ++i) {
    const int32_t u = KeyCell(from[i].Key);
    const double candidate = static_cast<double>(Cells_[u].Distance) + static_cast<double>(from[i].Cost);
    if (!(candidate < static_cast<double>(stored))) continue;
    stored = static_cast<float>(candidate);
    previous = u;
  }
  return {stored, previous};
}

void TDijkstra::AppendRoute(int32_t in_cell, int32_t in_previous, std::vector<TPosition>& in_route) const {
  if (in_previous < 0) throw 0;
  // Distances strictly grow along a route, so the walk reaches the start
  // within one step per reached cell.
  const std::size_t first = in_route.size();
  in_route.push_back(PositionOf(in_cell));
  int32_t cell = in_previous;
  for (std::size_t stepsLeft = std::size_t(LastReached_ - FirstReached_ + 1); cell >= 0; --stepsLeft) {
    if (stepsLeft == 0) {
      in_route.resize(first);
      throw 0;
    }
    in_route.push_back(PositionOf(cell));
    cell = Cells_[cell].Previous;
  }
  std::reverse(in_route.begin() + static_cast<std::ptrdiff_t>(first), in_route.end());
}

void TDijkstra::Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route) {
  const int32_t start = PaddedCell(in_start);
  const int32_t target = PaddedCell(in_target);
  if (start < 0 || target < 0 || !Passable_[start] || !Passable_[target]) throw 0;
  Prepare(start);
  NodesMade_ = false;
  if (!Reach(target)) throw 0;
  AppendRoute(target, Cells_[target].Previous, in_route);
}

void TDijkstra::SearchBetween(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route) {
  const int32_t start = PaddedCell(in_start);
  const int32_t target = PaddedCell(in_target);
  if (start < 0 || target < 0 || start == target) throw 0;
  // A start that the grid does not pass is one only as the source: no route
  // leads back through its own start.
  Prepare(start);
  NodesMade_ = false;
  if (Passable_[target]) {
    if (!Reach(target)) throw 0;
    AppendRoute(target, Cells_[target].Previous, in_route);
    return;
  }
  // A target the grid does not pass is one only as the end: the search would
  // stop when it settles, before it leads anywhere, so every other node
  // settles as on the grid, and the target gets its distance from its
  // neighbours that settle before it, in their order. Later neighbours are at
  // least as far, and their candidates at least 1 farther, so they change
  // nothing.
  std::pair<float, int32_t> reached = RelaxFromSettled(target);
  uint64_t next = 0;
  while (PeekNext(next) && next < PendingKey(reached.first, target)) {
    SettleNext();
    reached = RelaxFromSettled(target);
  }
  AppendRoute(target, reached.second, in_route);
}

const std::vector<TDijkstra::TNode>& TDijkstra::Nodes() const {
  if (NodesMade_) return Nodes_;
  Nodes_.clear();
  std::vector<int32_t> numbers(Cells_.size(), -1);
  const int32_t stride = Columns_ + 2;
  for (int row = 0; row < Rows_; ++row) {
    for (int column = 0; column < Columns_; ++column) {
      const int32_t cell = (row + 1) * stride + (column + 1);
      if (!Passable_[cell]) continue;
      numbers[cell] = static_cast<int32_t>(Nodes_.size());
      Nodes_.push_back(TNode{column, row, Cells_[cell].Distance, -1});
    }
  }
  for (TNode& node : Nodes_) {
    const int32_t previous = Cells_[(node.Y + 1) * stride + (node.X + 1)].Previous;
    node.Previous = previous >= 0 ? numbers[previous] : -1;
  }
  NodesMade_ = true;
  return Nodes_;
}

}  // namespace NAlgo
