#include "editor/TEditorMap.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "editor/EditorNotify.h"
#include "editor/EditorTools.h"
#include "editor/TEditorDocument.h"
#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/CellInfo.h"
#include "world/TCell.h"
#include "world/TWinCell.h"

namespace {

constexpr ARGB kSelectionColour = 0xFFFFD800;
constexpr ARGB kFloatingColour = 0xFF40C0FF;
constexpr ARGB kInfoColour = 0xF0FFF4D8;
// The information box: its width, and the height of a line of its text.
constexpr int32_t kInfoWidth = 210;
constexpr int32_t kInfoLine = 18;
// About how many characters of its text a line of the box holds.
constexpr size_t kInfoLineLength = 28;

// A rectangle outline two pixels wide, inside the rectangle.
void DrawWideRectangle(TGraphics& in_graphics, const TPen& in_pen, int32_t in_x, int32_t in_y, int32_t in_width,
                       int32_t in_height) {
  in_graphics.DrawRectangle(in_pen.Handle(), in_x, in_y, in_width - 1, in_height - 1);
  in_graphics.DrawRectangle(in_pen.Handle(), in_x + 1, in_y + 1, in_width - 3, in_height - 3);
}

}  // namespace

TEditorMap::TEditorMap(int32_t in_sideWidth, TEditorDocument* in_document, const TEditorTools* in_tools)
    : TMap(in_sideWidth),
      Document_(in_document),
      Tools_(in_tools),
      SelectionPen_(kSelectionColour),
      FloatingPen_(kFloatingColour),
      InfoBrush_(kInfoColour) {}

TEditorMap::~TEditorMap() {
  // A stroke still open ends with the map, as a release of the button would end it.
  if (Drag_ == TDrag::kPaint) Document_->EndStroke();
}

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

TPoint TEditorMap::CellOrigin(int32_t in_column, int32_t in_row) const {
  const TWindow* first = Children.empty() ? nullptr : Children.front();
  const int64_t x = (first ? first->X : 0) + int64_t{in_column} * TWinCell::kWidth;
  const int64_t y = (first ? first->Y : 0) + int64_t{in_row} * TWinCell::kHeight;
  // Far outside the buffer either way: held where the arithmetic of drawing stays sound.
  constexpr int64_t kFar = int64_t{1} << 28;
  return TPoint{static_cast<int32_t>(std::clamp(x, -kFar, kFar)), static_cast<int32_t>(std::clamp(y, -kFar, kFar))};
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

void TEditorMap::Select(const TGridRect& in_area) { Selection_ = in_area.OnGrid(); }

void TEditorMap::Float(const TMapBlock& in_block) {
  if (Drag_ == TDrag::kMove) Drag_ = TDrag::kNone;
  Floating_ = in_block;
  GrabColumn_ = (in_block.Columns() - 1) / 2;
  GrabRow_ = (in_block.Rows() - 1) / 2;
  OutlineBrush(-1, -1);
}

void TEditorMap::CancelFloating() {
  Floating_ = TMapBlock();
  if (Drag_ == TDrag::kMove) Drag_ = TDrag::kNone;
}

void TEditorMap::DropPaste(int32_t in_column, int32_t in_row) {
  const int32_t left = in_column - GrabColumn_;
  const int32_t top = in_row - GrabRow_;
  Document_->SetCells(Floating_.PlacedAt(left, top));
  Selection_ = TGridRect{left, top, Floating_.Columns(), Floating_.Rows()}.OnGrid();
  Floating_ = TMapBlock();
}

void TEditorMap::FinishMove() {
  Drag_ = TDrag::kNone;
  const int32_t dColumns = PointerColumn_ - GrabColumn_ - Selection_.Column;
  const int32_t dRows = PointerRow_ - GrabRow_ - Selection_.Row;
  const TMapBlock moved = std::move(Floating_);
  Floating_ = TMapBlock();
  if ((dColumns == 0 && dRows == 0) || Document_->Revision() != MoveRevision_) return;
  Document_->SetCells(MoveArea(Selection_, dColumns, dRows, Tools_->Background()));
  Selection_ = TGridRect{Selection_.Column + dColumns, Selection_.Row + dRows, moved.Columns(), moved.Rows()}.OnGrid();
}

void TEditorMap::OnLButtonDown() {
  if (!Application) return;
  int32_t column, row;
  if (!CellAt(TPoint{Application->MouseX, Application->MouseY}, column, row)) return;
  PointerColumn_ = column;
  PointerRow_ = row;
  if (Floating() && Drag_ != TDrag::kMove) {
    DropPaste(column, row);
    return;
  }
  if (Tools_->Tool == TEditorTool::kPick || GetKeyState(VK_MENU) < 0) {
    if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyPickCell, column, row);
    return;
  }
  if (Tools_->Tool == TEditorTool::kSelect) {
    if (Selection_.Contains(column, row)) {
      Drag_ = TDrag::kMove;
      Floating_ = TMapBlock::Take(Selection_);
      GrabColumn_ = column - Selection_.Column;
      GrabRow_ = row - Selection_.Row;
      MoveRevision_ = Document_->Revision();
      OutlineBrush(-1, -1);
    } else {
      Drag_ = TDrag::kSelect;
      AnchorColumn_ = column;
      AnchorRow_ = row;
      Selection_ = TGridRect::Spanning(column, row, column, row);
    }
    return;
  }
  if (Tools_->FillsArea()) {
    std::vector<TCellPlacement> area = ConnectedGround(column, row, Tools_->FillEightConnected);
    for (TCellPlacement& placement : area) {
      placement.Content.TileColumn = Tools_->TileColumn;
      placement.Content.TileRow = Tools_->TileRow;
    }
    Document_->SetCells(area);
    return;
  }
  Document_->BeginStroke();
  Drag_ = TDrag::kPaint;
  LastColumn_ = column;
  LastRow_ = row;
  PaintAt(column, row);
}

void TEditorMap::OnLButtonUp() {
  switch (Drag_) {
    case TDrag::kPaint:
      Drag_ = TDrag::kNone;
      Document_->EndStroke();
      break;
    case TDrag::kMove:
      FinishMove();
      break;
    case TDrag::kSelect:
    case TDrag::kNone:
      Drag_ = TDrag::kNone;
      break;
  }
}

void TEditorMap::OnRButtonDown() {
  if (!Application) return;
  int32_t column, row;
  if (!CellAt(TPoint{Application->MouseX, Application->MouseY}, column, row)) return;
  const TWinCell* window = CellWindow(column, row);
  DescribeCell(window ? window->Cell : nullptr, InfoText_);
  InfoPoint_ = TPoint{Application->MouseX - X, Application->MouseY - Y};
}

void TEditorMap::OnRButtonUp() { InfoText_.clear(); }

void TEditorMap::OnMouseMove() {
  TMap::OnMouseMove();
  if (!Application) return;
  if (!InfoText_.empty()) InfoPoint_ = TPoint{Application->MouseX - X, Application->MouseY - Y};
  int32_t column, row;
  const bool over = CellAt(TPoint{Application->MouseX, Application->MouseY}, column, row);
  if (over) {
    PointerColumn_ = column;
    PointerRow_ = row;
  }
  switch (Drag_) {
    case TDrag::kPaint:
      // A stroke ended under the mouse (an undo while the button is held) paints no more.
      if (over && Application->LButtonDown && Document_->InStroke()) PaintTo(column, row);
      break;
    case TDrag::kSelect:
      if (over && Application->LButtonDown) Selection_ = TGridRect::Spanning(AnchorColumn_, AnchorRow_, column, row);
      break;
    case TDrag::kMove:
    case TDrag::kNone:
      break;
  }
  const bool outline = over && !Floating();
  OutlineBrush(outline ? column : -1, outline ? row : -1);
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
      // Tab, the editing keys and the rest go on to the screen.
      return false;
  }
}

void TEditorMap::CentreOn(int32_t in_column, int32_t in_row) {
  const TPoint origin = CellOrigin(in_column, in_row);
  ScrollBy(Width / 2 - (origin.x + TWinCell::kWidth / 2), Height / 2 - (origin.y + TWinCell::kHeight / 2));
}

TGridRect TEditorMap::VisibleCells() const {
  if (Children.empty() || Width <= 0 || Height <= 0) return TGridRect{};
  const TPoint origin = CellOrigin(0, 0);
  const auto floorDiv = [](int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  const int64_t left = floorDiv(-int64_t{origin.x}, TWinCell::kWidth);
  const int64_t top = floorDiv(-int64_t{origin.y}, TWinCell::kHeight);
  const int64_t right = floorDiv(int64_t{Width} - 1 - origin.x, TWinCell::kWidth);
  const int64_t bottom = floorDiv(int64_t{Height} - 1 - origin.y, TWinCell::kHeight);
  const int64_t c0 = std::max<int64_t>(left, 0);
  const int64_t r0 = std::max<int64_t>(top, 0);
  const int64_t c1 = std::min<int64_t>(right, Columns() - 1);
  const int64_t r1 = std::min<int64_t>(bottom, Rows() - 1);
  if (c1 < c0 || r1 < r0) return TGridRect{};
  return TGridRect{static_cast<int32_t>(c0), static_cast<int32_t>(r0), static_cast<int32_t>(c1 - c0 + 1),
                   static_cast<int32_t>(r1 - r0 + 1)};
}

void TEditorMap::DrawOverlay(TGraphics& in_graphics) {
  if (!Selection_.Empty() && Drag_ != TDrag::kMove) {
    const TPoint corner = CellOrigin(Selection_.Column, Selection_.Row);
    DrawWideRectangle(in_graphics, SelectionPen_, corner.x, corner.y, Selection_.Columns * TWinCell::kWidth,
                      Selection_.Rows * TWinCell::kHeight);
  }
  if (Floating()) {
    const TPoint corner = CellOrigin(PointerColumn_ - GrabColumn_, PointerRow_ - GrabRow_);
    Preview_.Draw(in_graphics, Floating_, corner.x, corner.y, Width, Height);
    DrawWideRectangle(in_graphics, FloatingPen_, corner.x, corner.y, Floating_.Columns() * TWinCell::kWidth,
                      Floating_.Rows() * TWinCell::kHeight);
  }
  if (!InfoText_.empty()) {
    // A line longer than the box goes on on the next one.
    int32_t lines = 1;
    size_t lineLength = 0;
    for (const wchar_t c : InfoText_) {
      if (c == L'\n' || ++lineLength > kInfoLineLength) {
        ++lines;
        lineLength = c == L'\n' ? 0 : 1;
      }
    }
    const int32_t height = lines * kInfoLine + 10;
    // Beside the pointer, kept inside the map window.
    const int32_t x = std::clamp(InfoPoint_.x + 16, 0, std::max(0, Width - kInfoWidth));
    const int32_t y = std::clamp(InfoPoint_.y + 16, 0, std::max(0, Height - height));
    in_graphics.FillRectangle(InfoBrush_.Handle(), x, y, kInfoWidth, height);
    in_graphics.DrawRectangle(PenHandle(PalettePens[kBlack]), x, y, kInfoWidth - 1, height - 1);
    in_graphics.DrawString(InfoText_, FontHandle(FontTimes12),
                           RectF(static_cast<REAL>(x + 6), static_cast<REAL>(y + 4), kInfoWidth - 12.0f,
                                 static_cast<REAL>(height - 6)),
                           nullptr, BrushHandle(PaletteBrushes[kBlack]));
  }
}
