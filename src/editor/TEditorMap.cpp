#include "editor/TEditorMap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/EditorTools.h"
#include "editor/TEditorDocument.h"
#include "shell/TTimer.h"
#include "world/TCell.h"
#include "world/TWinCell.h"

TEditorMap::TEditorMap(int32_t in_sideWidth, TEditorDocument* in_document, const TEditorTools* in_tools)
    : TMap(in_sideWidth), Document_(in_document), Tools_(in_tools) {}

TWindow* TEditorMap::HitTest(TPoint point) { return Bounds().Contains(point) ? this : nullptr; }

bool TEditorMap::CellAt(TPoint in_screenPoint, int32_t& out_column, int32_t& out_row) const {
  if (Children.empty() || Columns() <= 0 || Rows() <= 0) return false;
  // Cells scrolled beyond the window lie under the panel: not the map's to paint.
  if (!Bounds().Contains(in_screenPoint)) return false;
  // The cell windows keep their grid: the first one places them all.
  const TWindow* first = Children.front();
  const int64_t x = int64_t{in_screenPoint.x} - X - first->X;
  const int64_t y = int64_t{in_screenPoint.y} - Y - first->Y;
  if (x < 0 || y < 0) return false;
  const int64_t column = x / TWinCell::kWidth;
  const int64_t row = y / TWinCell::kHeight;
  if (column >= Columns() || row >= Rows()) return false;
  out_column = static_cast<int32_t>(column);
  out_row = static_cast<int32_t>(row);
  return true;
}

void TEditorMap::BrushSquare(int32_t in_column, int32_t in_row, int32_t& out_column, int32_t& out_row,
                             int32_t& out_side) const {
  out_side = Tools_->UsesBrush() ? std::clamp(Tools_->BrushSize, 1, TEditorTools::kMaxBrush) : 1;
  out_column = in_column - (out_side - 1) / 2;
  out_row = in_row - (out_side - 1) / 2;
}

void TEditorMap::PaintAt(int32_t in_column, int32_t in_row) {
  int32_t left, top, side;
  BrushSquare(in_column, in_row, left, top, side);
  for (int32_t r = std::max(0, top); r < std::min(Rows(), top + side); ++r)
    for (int32_t c = std::max(0, left); c < std::min(Columns(), left + side); ++c) {
      const TWinCell* window = CellWindow(c, r);
      if (!window || !window->Cell) continue;
      Document_->SetCell(c, r, Tools_->Paint(ContentOf(*window->Cell)));
    }
}

void TEditorMap::PaintTo(int32_t in_column, int32_t in_row) {
  // Every cell of the straight line between the two, so that a quick drag
  // leaves no gaps.
  const int32_t dx = in_column - LastColumn_;
  const int32_t dy = in_row - LastRow_;
  const int32_t steps = std::max(std::abs(dx), std::abs(dy));
  for (int32_t step = 1; step <= steps; ++step) {
    const int32_t c = LastColumn_ + static_cast<int32_t>(std::lround(static_cast<double>(dx) * step / steps));
    const int32_t r = LastRow_ + static_cast<int32_t>(std::lround(static_cast<double>(dy) * step / steps));
    PaintAt(c, r);
  }
  LastColumn_ = in_column;
  LastRow_ = in_row;
}

void TEditorMap::OutlineBrush(int32_t in_column, int32_t in_row) {
  for (TWinCell* window : Outlined_) window->Hovered = false;
  Outlined_.clear();
  if (in_column < 0) return;
  int32_t left, top, side;
  BrushSquare(in_column, in_row, left, top, side);
  for (int32_t r = std::max(0, top); r < std::min(Rows(), top + side); ++r)
    for (int32_t c = std::max(0, left); c < std::min(Columns(), left + side); ++c)
      if (TWinCell* window = CellWindow(c, r)) {
        window->Hovered = true;
        Outlined_.push_back(window);
      }
}

void TEditorMap::OnLButtonDown() {
  if (!Application) return;
  int32_t column, row;
  if (!CellAt(TPoint{Application->MouseX, Application->MouseY}, column, row)) return;
  Document_->BeginStroke();
  Painting_ = true;
  LastColumn_ = column;
  LastRow_ = row;
  PaintAt(column, row);
}

void TEditorMap::OnLButtonUp() {
  if (!Painting_) return;
  Painting_ = false;
  Document_->EndStroke();
}

void TEditorMap::OnMouseMove() {
  TMap::OnMouseMove();
  if (!Application) return;
  int32_t column, row;
  const bool over = CellAt(TPoint{Application->MouseX, Application->MouseY}, column, row);
  // A stroke ended under the mouse (an undo while the button is held) paints no more.
  if (over && Painting_ && Application->LButtonDown && Document_->InStroke()) PaintTo(column, row);
  OutlineBrush(over ? column : -1, over ? row : -1);
}

void TEditorMap::OnMouseLeave() { OutlineBrush(-1, -1); }

bool TEditorMap::OnKeyDown() {
  if (!Application) return false;
  switch (Application->WParam) {
    case VK_LEFT:
      ScrollBy(TWinCell::kWidth, 0);
      return true;
    case VK_RIGHT:
      ScrollBy(-TWinCell::kWidth, 0);
      return true;
    case VK_UP:
      ScrollBy(0, TWinCell::kHeight);
      return true;
    case VK_DOWN:
      ScrollBy(0, -TWinCell::kHeight);
      return true;
    default:
      // Tab and the rest go on to the screen.
      return false;
  }
}
