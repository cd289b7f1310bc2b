#pragma once
// Edits of whole areas of the world's grid, as the editor's tools make them:
// the area a fill covers, what emptying or moving a rectangle puts on its
// cells, and a new size for the grid with the old cells kept where an anchor
// puts them. They work on the world state; the document makes edits of them.

#include <cstdint>
#include <vector>

#include "editor/CellContent.h"

// A rectangle of cells: the first column and row, and how many of each.
struct TGridRect {
  int32_t Column = 0;
  int32_t Row = 0;
  int32_t Columns = 0;
  int32_t Rows = 0;

  bool Empty() const { return Columns <= 0 || Rows <= 0; }
  bool Contains(int32_t in_column, int32_t in_row) const {
    return in_column >= Column && in_row >= Row && int64_t{in_column} < int64_t{Column} + Columns &&
           int64_t{in_row} < int64_t{Row} + Rows;
  }
  bool operator==(const TGridRect&) const = default;

  // The rectangle from one corner cell to the other, both included, whichever way round.
  static TGridRect Spanning(int32_t in_column0, int32_t in_row0, int32_t in_column1, int32_t in_row1);
  // The part of the rectangle inside the world's grid; empty when none is.
  TGridRect OnGrid() const;
};

// The cells connected to (in_column, in_row) through cells of the same ground
// tile, the cell itself included, row by row and within a row column by
// column: through their four sides, or with in_eightConnected also through
// their corners. Empty for a cell outside the grid. Takes time and memory in
// proportion to the grid's cells, whatever the area's shape.
std::vector<TCellPlacement> ConnectedGround(int32_t in_column, int32_t in_row, bool in_eightConnected);

// The placements that empty the rectangle's cells (its part on the grid):
// each gets in_background (its tile, no tree, no stack).
std::vector<TCellPlacement> ClearArea(const TGridRect& in_area, const TCellContent& in_background);

// The placements that move the cells of in_from (its part on the grid) by
// (in_dColumns, in_dRows): the cells arrive with everything on them, what
// falls off the grid is lost, and the cells left behind get in_background.
// Each cell is named once.
std::vector<TCellPlacement> MoveArea(const TGridRect& in_from, int32_t in_dColumns, int32_t in_dRows,
                                     const TCellContent& in_background);

// A new size for the map. Old cell (c, r) becomes cell (c + OffsetColumn,
// r + OffsetRow); new cells get the tile and nothing on it; cells that end
// outside the new size are cut.
struct TResizePlan {
  int32_t Columns = 0;
  int32_t Rows = 0;
  int32_t OffsetColumn = 0;
  int32_t OffsetRow = 0;
  int32_t TileColumn = 0;
  int32_t TileRow = 0;
};

// The offset along one axis that puts the old map at the start (anchor 0), in
// the middle (1, half the difference rounded down) or at the end (2) of the
// new size.
int32_t AnchorOffset(int32_t in_anchor, int32_t in_oldSize, int32_t in_newSize);

// Whether the plan would cut a cell holding a tree or a stack.
bool ResizeCutsObjects(const TResizePlan& in_plan);

// Gives the world's grid the plan's size. The cells kept are the same cell
// objects, moved; the cut ones are deleted, their contents appended to
// out_cut (with their old positions) when given. Both players' stack lists
// are made again. Returns false, changing nothing, for a size MapSizeAllowed
// refuses or an offset beyond the largest size (which would cut every cell). What throws (no memory) leaves the world as it was.
bool ResizeWorld(const TResizePlan& in_plan, std::vector<TCellPlacement>* out_cut);

// Takes a resize back: the grid gets its old size in_columns x in_rows
// again, the kept cells move back and the cut ones come back from in_cut.
void UndoResizeWorld(const TResizePlan& in_plan, int32_t in_columns, int32_t in_rows,
                     const std::vector<TCellPlacement>& in_cut);
