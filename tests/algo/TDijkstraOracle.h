#pragma once

#include <type_traits>
#include <utility>
#include <vector>

#include "algo/TDijkstra.h"

// The route search written out step by step, as plainly as possible and with
// no attempt at speed: the node list is scanned for the start and the target,
// each extraction scans the whole open list, and each extraction relaxes every
// node of the list. It is quadratic in the number of passable cells and is the
// reference that TDijkstra must match route for route, tie for tie.
class TDijkstraOracle {
 public:
  using TNode = NAlgo::TDijkstra::TNode;
  using TPosition = NAlgo::TDijkstra::TPosition;

  TDijkstraOracle() = default;
  TDijkstraOracle(const TDijkstraOracle&) = delete;
  TDijkstraOracle& operator=(const TDijkstraOracle&) = delete;

  // Appends a node {column, row, FLT_MAX, -1} for every passable cell of
  // in_grid[column][row], row by row and within a row column by column.
  template <class CellT>
  void Build(CellT* const* const* in_grid, int in_columns, int in_rows);

  // Appends the route from in_start to in_target to in_route, which must be
  // empty; throws 0 when either end is not a node or the target's predecessor
  // is still none after the search. Meant to run once after each Build.
  void Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route);

  const std::vector<TNode>& Nodes() const { return Nodes_; }

 private:
  void AppendNode(int in_column, int in_row);

  std::vector<TNode> Nodes_;
};

template <class CellT>
void TDijkstraOracle::Build(CellT* const* const* in_grid, int in_columns, int in_rows) {
  static_assert(std::is_base_of_v<NAlgo::TDijkstra::TDijkstraCell, CellT>);
  Nodes_.clear();
  for (int row = 0; row < in_rows; ++row) {
    for (int column = 0; column < in_columns; ++column) {
      NAlgo::TDijkstra::TDijkstraCell& cell = *in_grid[column][row];
      if (cell.IsPassable()) AppendNode(column, row);
    }
  }
}
