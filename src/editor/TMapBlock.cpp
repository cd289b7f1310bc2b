#include "editor/TMapBlock.h"

#include "world/TCell.h"
#include "world/WorldState.h"

TMapBlock TMapBlock::Take(const TGridRect& in_area) {
  TMapBlock block;
  const TGridRect area = in_area.OnGrid();
  if (area.Empty()) return block;
  block.Columns_ = area.Columns;
  block.Rows_ = area.Rows;
  block.Cells_.reserve(static_cast<size_t>(area.Columns) * static_cast<size_t>(area.Rows));
  for (int32_t r = area.Row; r < area.Row + area.Rows; ++r)
    for (int32_t c = area.Column; c < area.Column + area.Columns; ++c) block.Cells_.push_back(ContentOf(*MapCells[c][r]));
  return block;
}

const TCellContent& TMapBlock::At(int32_t in_column, int32_t in_row) const {
  return Cells_[static_cast<size_t>(in_row) * static_cast<size_t>(Columns_) + static_cast<size_t>(in_column)];
}

std::vector<TCellPlacement> TMapBlock::PlacedAt(int32_t in_column, int32_t in_row) const {
  std::vector<TCellPlacement> placements;
  const TGridRect landing = TGridRect{in_column, in_row, Columns_, Rows_}.OnGrid();
  if (Empty() || landing.Empty()) return placements;
  placements.reserve(static_cast<size_t>(landing.Columns) * static_cast<size_t>(landing.Rows));
  for (int32_t r = landing.Row; r < landing.Row + landing.Rows; ++r)
    for (int32_t c = landing.Column; c < landing.Column + landing.Columns; ++c)
      placements.push_back(TCellPlacement{c, r, At(c - in_column, r - in_row)});
  return placements;
}
