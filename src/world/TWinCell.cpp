#include "world/TWinCell.h"

#include "shell/TTimer.h"
#include "world/CellInfo.h"
#include "world/TMap.h"

TWinCell::TWinCell(TMap* in_map, int32_t in_column, int32_t in_row, TCell* in_cell)
    : TWindow(in_map), Column(in_column), Row(in_row), Cell(in_cell), Map_(in_map) {
  X = kWidth * in_column;
  Y = kHeight * in_row;
  Width = kWidth;
  Height = kHeight;
}

void TWinCell::OnRButtonDown() {
  if (InfoTextTarget) DescribeCell(Cell, *InfoTextTarget);
  Map_->CancelSelection();
}

void TWinCell::OnRButtonUp() {
  if (InfoTextTarget) InfoTextTarget->clear();
}

void TWinCell::OnMouseLeave() { Hovered = false; }

void TWinCell::OnMouseMove() {
  // FIXME: the route preview towards this cell for a selected stack is missing.
  if (Application && Application->RButtonDown) Map_->ScrollBy(Application->MouseDX, Application->MouseDY);
  Hovered = true;
}
