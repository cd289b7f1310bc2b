#pragma once
// A rectangle of cells taken out of the map with everything on them: what
// copy and cut keep, and what paste puts down. It is a plain value, so it
// stays whole whatever later happens to the map it came from.

#include <cstdint>
#include <vector>

#include "editor/CellContent.h"
#include "editor/GridEdits.h"

class TMapBlock {
 public:
  // An empty block.
  TMapBlock() = default;

  // The cells of the rectangle's part on the world's grid, as they stand.
  static TMapBlock Take(const TGridRect& in_area);

  bool Empty() const { return Columns_ <= 0 || Rows_ <= 0; }
  int32_t Columns() const { return Columns_; }
  int32_t Rows() const { return Rows_; }
  // The cell (in_column, in_row) of the block, counted from its top-left corner.
  const TCellContent& At(int32_t in_column, int32_t in_row) const;

  // The placements that put the block down with its top-left corner on the
  // cell (in_column, in_row); the cells that would fall off the grid are left out.
  std::vector<TCellPlacement> PlacedAt(int32_t in_column, int32_t in_row) const;

 private:
  int32_t Columns_ = 0;
  int32_t Rows_ = 0;
  // Row by row.
  std::vector<TCellContent> Cells_;
};
