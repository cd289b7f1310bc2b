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
//
// The grid and the search may also be kept: SetPassable changes single cells,
// and a search from the same start as the last one (on an unchanged grid) goes
// on from where that one stopped, since the nodes are settled in the same order
// whatever the target; a target already settled costs only its route.
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
  // is passed as it is. The cells are asked row by row. A null grid, a null
  // column or a null cell counts as impassable; a negative size counts as 0.
  template <class CellT>
  void Build(CellT* const* const* in_grid, int in_columns, int in_rows);

  // Makes one cell of the built grid passable or not, as Build would have
  // found it; a position outside the grid changes nothing.
  void SetPassable(TPosition in_cell, bool in_passable);

  // Appends to in_route (which the caller has emptied) the shortest route from
  // in_start to in_target, both included, in walking order. Throws 0, logging
  // nothing and leaving in_route as it was, when in_start or in_target is not a
  // passable cell of the built grid, when the target cannot be reached, and when
  // in_start equals in_target (no step leads to the target). The route is the
  // one a search from the distances Build set finds. Afterwards Nodes() holds
  // the final distance and predecessor of the target and of every node settled
  // before it; other nodes may hold interim values.
  void Search(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route);

  // The same, with in_start and in_target counting as passable cells of the
  // grid for this search, whatever the grid says of them: exactly the route
  // Search gives on the grid with both made passable. Positions outside the
  // grid throw. Nodes() lists the grid's own passable cells only.
  void SearchBetween(TPosition in_start, TPosition in_target, std::vector<TPosition>& in_route);

  // The node list in index order.
  const std::vector<TNode>& Nodes() const;

 private:
  // A step to a neighbour in the padded grid, and its cost.
  struct TStep {
    int32_t Offset;
    float Cost;
  };

  // What the search keeps for one cell of the padded grid.
  struct TCellState {
    float Distance;    // FLT_MAX while unreached; -1 for impassable cells, which no candidate beats
    int32_t Previous;  // the padded cell the best known route arrives from; -1 for none
  };

  // Forgets the previous grid and prepares an empty one, every cell
  // impassable; a grid over kMaxCells stays empty.
  void BeginBuild(int in_columns, int in_rows);
  // Records that the cell is passable.
  void MarkPassable(int in_column, int in_row);
  // The padded index of a position inside the grid, or -1.
  int32_t PaddedCell(TPosition in_position) const;
  TPosition PositionOf(int32_t in_cell) const;

  // Starts a search from in_source unless the search in progress is from it
  // on the present grid.
  void Prepare(int32_t in_source);
  // Puts every cell the last search reached back as the grid has it.
  void ForgetSearch();
  // The key of the next node to settle, after skipping stale entries and
  // moving on to the next interval as needed; false once every reachable node
  // is settled.
  bool PeekNext(uint64_t& out_key);
  // Settles the node PeekNext named: relaxes its eight neighbours.
  void SettleNext();
  void Relax(int32_t in_cell);
  // Sorts the next interval with entries, unless the one being settled has
  // entries left; false once every reachable node is settled.
  bool OpenInterval();
  // Moves on past the interval being settled.
  void CloseInterval();
  // Whether the cell's distance and predecessor are final.
  bool IsSettled(int32_t in_cell);
  // Settles nodes until in_cell is settled; false when it cannot be reached.
  bool Reach(int32_t in_cell);
  // The stored distance and predecessor a cell outside the grid's passable
  // cells gets from its settled neighbours, relaxed in the order they settled.
  std::pair<float, int32_t> RelaxFromSettled(int32_t in_cell) const;
  // Appends the route to in_cell, whose predecessor is in_previous, or throws
  // when there is none.
  void AppendRoute(int32_t in_cell, int32_t in_previous, std::vector<TPosition>& in_route) const;

  int Columns_ = 0;
  int Rows_ = 0;
  // The grid row by row with one impassable cell of padding on every side, so
  // that the eight neighbours of a cell are found without edge tests. Padded
  // cell indices order like node indices.
  std::vector<TCellState> Cells_;
  std::vector<uint8_t> Passable_;
  // The eight steps, in the order a settled node relaxes its neighbours.
  TStep Steps_[8] = {};
  // The padded cells from the first to the last the search in progress
  // reached (none when the last is before the first).
  int32_t FirstReached_ = 0;
  int32_t LastReached_ = -1;
  // The search in progress: its source (-1 for none), the interval being
  // settled, whether that interval is sorted, the next entry in it, and whether
  // every reachable node is settled.
  int32_t Source_ = -1;
  uint32_t Whole_ = 0;
  bool Sorted_ = false;
  size_t Next_ = 0;
  bool Exhausted_ = false;
  // Entries waiting to be settled, by the whole part of their distance mod 3.
  std::vector<uint64_t> Pending_[3];
  // Nodes() made on demand.
  mutable std::vector<TNode> Nodes_;
  mutable bool NodesMade_ = false;
};

template <class CellT>
void TDijkstra::Build(CellT* const* const* in_grid, int in_columns, int in_rows) {
  static_assert(std::is_base_of_v<TDijkstraCell, CellT>, "the grid must hold route-search cells");
  BeginBuild(in_grid ? in_columns : 0, in_grid ? in_rows : 0);
  // Row by row: the game makes its cells in that order, so they are met in
  // the order they lie in memory.
  for (int row = 0; row < Rows_; ++row) {
    for (int column = 0; column < Columns_; ++column) {
      CellT* const* cells = in_grid[column];
      if (cells == nullptr || cells[row] == nullptr) continue;
      TDijkstraCell& cell = *cells[row];
      if (cell.IsPassable()) MarkPassable(column, row);
    }
  }
}

}  // namespace NAlgo
