#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

namespace NAlgo {

// Finds the route a stack walks: the shortest chain of cells from one cell to
// another over the eight-connected cell grid, where a straight step costs 1 and
// a diagonal step costs 1.4142135 (float). A diagonal step is allowed whatever
// lies on the two cells beside it, and the map edges do not wrap.
//
// Use: construct, Build from the grid, Search, destroy. The result (route,
// stored distances, and which of several equally long routes wins) is exactly
// that of the plain quadratic Dijkstra over the node list: the open node with
// the smallest stored float distance, and among equal ones the lowest index, is
// settled next; a candidate distance is summed in double precision from the two
// floats, replaces the stored one only when strictly smaller than it widened to
// double, and is then stored rounded to float. Search gets there in about
// linear time: as every step costs at least 1, the nodes whose distance lies in
// [k, k + 1) can only be reached from nodes settled before that interval starts,
// so each such interval is sorted once and settled in order.
class TDijkstra {
 public:
  // A grid cell as the search sees it. The game's cells derive from this.
  class TDijkstraCell {
   public:
    virtual ~TDijkstraCell();
    // Whether a route may pass through this cell; true unless overridden.
    virtual bool IsPassable();
  };

  // One passable cell. Nodes are numbered in the order Build appends them: by
  // row, then by column.
  struct TNode {
    int32_t X;         // column
    int32_t Y;         // row
    float Distance;    // best known route length from the start; FLT_MAX while unreached
    int32_t Previous;  // node the best known route arrives from; -1 for none
  };

  // A cell position: first is the column, second the row.
  using TPosition = std::pair<int, int>;

  TDijkstra() = default;
  TDijkstra(const TDijkstra&) = delete;
  TDijkstra& operator=(const TDijkstra&) = delete;

  // Grids with more cells than this get no nodes, so every search on them
  // fails. The limit keeps every route length below 2^23, where adding a step to
  // a float distance always reaches the next whole number.
  static constexpr int64_t kMaxCells = int64_t{1} << 22;

  // Replaces the node list with one node {column, row, FLT_MAX, -1} per passable
  // cell of in_grid, row by row and within a row column by column. in_grid is
  // indexed [column][row], with in_columns columns of in_rows cells. CellT is
  // TDijkstraCell or a class derived from it, so the game's own `TCell***` grid
  // is passed as it is. The cells are asked column by column. A null grid, a null
  // column or a null cell counts as impassable; a negative size counts as 0.
  template <class CellT>
  void Build(CellT* const* const* in_grid, int in_columns, int in_rows);

  // Appends to in_route (which the caller has emptied) the shortest route from
  // in_start to in_target, both included, in walking order. Throws 0, logging
  // nothing and leaving in_route as it was, when in_start or in_target is not a
  // passable cell of the built grid, when the target cannot be reached, and when
  // in_start equals in_target (no step leads to the target). Every call starts
  // from the distances Build set. Afterwards Nodes() holds the final distance and
  // predecessor of the target and of every node settled before it; the search
  // stops at the target, so other nodes may hold interim values.
  void Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route);

  // The node list in index order.
  const std::vector<TNode>& Nodes() const { return Nodes_; }

 private:
  // Forgets the previous grid and prepares the cell index for a new one, every
  // cell impassable; a grid over kMaxCells stays empty.
  void BeginBuild(int in_columns, int in_rows);
  // Records that the cell is passable.
  void MarkPassable(int in_column, int in_row);
  // Appends a node for every passable cell, row by row, and fills the index.
  void NumberNodes();
  // The padded cell index of a position, or -1 when it is not a node.
  int32_t NodeCell(TPosition in_position) const;

  // What the search keeps for one cell of the padded grid.
  struct TCellState {
    float Distance;  // the node's distance; -1 for impassable cells, which no candidate beats
    int32_t Node;    // the node index; -1 for impassable cells
  };

  std::vector<TNode> Nodes_;
  int Columns_ = 0;
  int Rows_ = 0;
  std::size_t PassableCount_ = 0;
  // The grid row by row with one impassable cell of padding on every side, so
  // that the eight neighbours of a cell are found without edge tests. Padded
  // cell indices order like node indices.
  std::vector<TCellState> Cells_;
  // Whether a search has changed the distances since Build.
  bool Searched_ = false;
  // Entries waiting to be settled, by the whole part of their distance mod 3.
  std::vector<uint64_t> Pending_[3];
};

template <class CellT>
void TDijkstra::Build(CellT* const* const* in_grid, int in_columns, int in_rows) {
  static_assert(std::is_base_of_v<TDijkstraCell, CellT>, "the grid must hold route-search cells");
  BeginBuild(in_grid ? in_columns : 0, in_grid ? in_rows : 0);
  // The cells are asked column by column, each column's pointer array in
  // order; NumberNodes then numbers the nodes row by row.
  for (int column = 0; column < Columns_; ++column) {
    CellT* const* cells = in_grid[column];
    if (cells == nullptr) continue;
    for (int row = 0; row < Rows_; ++row) {
      if (cells[row] == nullptr) continue;
      TDijkstraCell& cell = *cells[row];
      if (cell.IsPassable()) MarkPassable(column, row);
    }
  }
  NumberNodes();
}

}  // namespace NAlgo
