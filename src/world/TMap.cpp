#include "world/TMap.h"

#include <algorithm>
#include <cmath>

#include "algo/TDijkstra.h"
#include "graphics/DrawingObjects.h"
#include "graphics/FrameDrawing.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"

namespace {

// Width of the side menu that the map leaves free at the right.
constexpr int32_t kSideMenuWidth = 200;
// How far the first pass can paint outside a cell: the 3-pixel ring, smoothed.
constexpr int32_t kGroundReach = 4;
// How far a cell's place and stack can paint outside the cell: the largest map
// sheets (128 x 128 frames with anchors up to (32, 80)) moved by the largest
// offsets of a step or a strike (a cell and a half), with room to spare.
constexpr int32_t kObjectReach = 384;
// Drawing offsets are clamped to this before they are truncated to pixels.
constexpr double kOffsetLimit = 1 << 24;

TRect MapRect(int32_t in_sideWidth) {
  if (!RootWindow) return TRect{};
  return TRect{0, 0, std::max(0, RootWindow->Width - in_sideWidth), RootWindow->Height};
}

int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// Whether the rectangle meets [0, width) x [0, height).
bool Meets(const TRect& r, int32_t width, int32_t height) {
  return r.width > 0 && r.height > 0 && r.x < width && r.y < height && int64_t{r.x} + r.width > 0 &&
         int64_t{r.y} + r.height > 0;
}

// An offset in whole pixels, truncated toward zero.
int32_t OffsetPixels(double offset) {
  if (!(offset > -kOffsetLimit)) return offset < 0 ? static_cast<int32_t>(-kOffsetLimit) : 0;
  return static_cast<int32_t>(std::min(offset, kOffsetLimit));
}

}  // namespace

TMap::TMap() : TMap(kSideMenuWidth) {}

TMap::TMap(int32_t in_sideWidth) : TWindowBuffer(MapRect(in_sideWidth)), SideWidth_(in_sideWidth) {
  if (MapCells && MapColumns > 0 && MapRows > 0) {
    Columns_ = MapColumns;
    Rows_ = MapRows;
  }
  const size_t count = static_cast<size_t>(Columns_) * static_cast<size_t>(Rows_);
  Children.reserve(count);
  IsAwake_.assign(count, 0);
  for (int32_t r = 0; r < Rows_; ++r)
    for (int32_t c = 0; c < Columns_; ++c) new TWinCell(this, c, r, MapCells[c] ? MapCells[c][r] : nullptr);
  CellsMade_ = Children.size();
  // As if each cell had taken the focus and the pointer when it was made.
  if (!Children.empty()) {
    Children.back()->TakeFocus();
    PointerWindow = Children.back();
  }
  // The route search's grid comes with the map, so that the first preview
  // costs only its search.
  Routes_.Build(MapCells, MapColumns, MapRows);
  // Every stack shows its paused animation from the first frame on, and one
  // loaded without lives goes then.
  for (TWindow* child : Children) {
    auto* cell = static_cast<TWinCell*>(child);
    if (cell->Cell && cell->Cell->Unit) Wake(cell);
  }
}

TMap::~TMap() {
  // The last child first: each leaves the children and the live windows in
  // turn, and from the end that costs no moving of the others.
  while (!Children.empty()) delete Children.back();
}

void TMap::Update() {
  CarryOutOrder();
  UpdateCells();
}

bool TMap::ChildrenAreTheGrid() const {
  return Children.size() == IsAwake_.size() && Children.size() == CellsMade_;
}

TWinCell* TMap::GridCell(size_t in_index) const {
  if (!ChildrenAreTheGrid() || in_index >= Children.size()) return nullptr;
  auto* cell = dynamic_cast<TWinCell*>(Children[in_index]);
  return cell && static_cast<size_t>(cell->Row) * Columns_ + cell->Column == in_index ? cell : nullptr;
}

void TMap::Wake(TWinCell* in_cell) {
  if (!in_cell || in_cell->Map() != this) return;
  const size_t index = static_cast<size_t>(in_cell->Row) * Columns_ + in_cell->Column;
  if (GridCell(index) != in_cell || IsAwake_[index]) return;
  IsAwake_[index] = 1;
  Awake_.push_back(static_cast<int32_t>(index));
}

TWindow* TMap::HitTest(TPoint point) {
  if (!ChildrenAreTheGrid() || Children.empty()) return TWindowBuffer::HitTest(point);
  if (!Bounds().Contains(point)) return nullptr;
  // Cells convert the point as every window does, and lie in a grid from the first one.
  TPoint local = point;
  Children.front()->ToLocal(local);
  const int64_t column = FloorDiv(int64_t{local.x} - Children.front()->X, TWinCell::kWidth);
  const int64_t row = FloorDiv(int64_t{local.y} - Children.front()->Y, TWinCell::kHeight);
  if (column < 0 || row < 0 || column >= Columns_ || row >= Rows_) return this;
  TWinCell* cell = GridCell(static_cast<size_t>(row) * Columns_ + static_cast<size_t>(column));
  if (!cell) return TWindowBuffer::HitTest(point);
  TWindow* hit = cell->HitTest(point);
  return hit ? hit : this;
}

void TMap::UpdateCells() {
  if (!ChildrenAreTheGrid()) {
    // Cells have gone: every one that is left takes its turn, as in the walk.
    for (size_t i = 0; i < Children.size(); ++i) Children[i]->Update();
    return;
  }
  // The cells of the selection and of the route's target are looked at every
  // frame whatever woke them: they are the ones an order changes.
  Wake(SelectedCell);
  Wake(TargetCell);
  std::vector<int32_t> due;
  due.swap(Awake_);
  std::sort(due.begin(), due.end());
  for (const int32_t index : due) IsAwake_[static_cast<size_t>(index)] = 0;
  for (const int32_t index : due) {
    TWinCell* cell = GridCell(static_cast<size_t>(index));
    if (!cell) continue;
    cell->Update();
    if (cell->HasWork()) Wake(cell);
  }
}

void TMap::CarryOutOrder() {
  if (Moving && Route.size() >= 2) {
    // The stack that took the order is gone (it died while selected): the
    // order ends here, as one without a route does, instead of waiting for a
    // stack that cannot come.
    const TWinCell* first = CellWindow(Route[0].first, Route[0].second);
    if (!first || !first->Cell || !first->Cell->Unit) CancelSelection();
  }
  if (Moving && Route.size() >= 2) {
    TWinCell* source = CellWindow(Route[0].first, Route[0].second);
    TWinCell* next = CellWindow(Route[1].first, Route[1].second);
    if (!source || !next || !source->Cell || !source->Cell->Unit || source->Cell->Unit->Animating) return;
    if (Route.size() == 2 && next->Cell && next->Cell->Unit) {
      source->Attacke(next);
      source->OnRoute = 0;
      next->OnRoute = 0;
      Route.clear();
      return;
    }
    next->Swap(source);
    source->OnRoute = 0;
    Route.erase(Route.begin());
    return;
  }
  if (Moving && Route.size() == 1) {
    if (TWinCell* last = CellWindow(Route[0].first, Route[0].second)) last->OnRoute = 0;
    Route.clear();
    return;
  }
  if (Moving) {
    AdvanceTurnCounter();
    // The order is over: the cell it was given from takes clicks again.
    SelectedCell = nullptr;
  }
  Moving = false;
}

void TMap::Draw() {
  Dirty = false;
  if (TGraphics* graphics = Surface()) {
    graphics->Clear(Palette[kDarkGrey]);
    DrawGroundPass(*graphics);
    DrawObjectPass(*graphics);
    DrawOverlay(*graphics);
    if (ActiveBorder && InactiveBorder)
      DrawThinFrame(*graphics, *ActiveBorder, *InactiveBorder, Width, Height, Focused);
  }
  CopyToParent();
}

bool TMap::CoversItsRectangle() const {
  return Bitmap && Surface() && Bitmap->Width() == Width && Bitmap->Height() == Height;
}

void TMap::VisibleRange(int32_t in_origin, int32_t in_step, int32_t in_count, int32_t in_limit, int32_t in_reach,
                        int32_t& out_first, int32_t& out_last) {
  // Cell i spans [origin + i step - reach, origin + (i + 1) step + reach).
  const int64_t first = FloorDiv(-int64_t{in_reach} - in_step - in_origin, in_step) + 1;
  const int64_t last = -FloorDiv(-(int64_t{in_limit} + in_reach - in_origin), in_step) - 1;
  out_first = static_cast<int32_t>(std::clamp<int64_t>(first, 0, in_count));
  out_last = static_cast<int32_t>(std::clamp<int64_t>(last, -1, in_count - 1));
}

void TMap::DrawGroundPass(TGraphics& in_graphics) {
  const auto drawCell = [&](TWinCell* window) {
    const int32_t x = window->X;
    const int32_t y = window->Y;
    const TRect reach{x - kGroundReach, y - kGroundReach, TWinCell::kWidth + 2 * kGroundReach,
                      TWinCell::kHeight + 2 * kGroundReach};
    if (!Meets(reach, Width, Height)) return;
    const TCell* cell = window->Cell;
    if (cell) cell->DrawGround(in_graphics, x, y);
    if (window->OnRoute == 1)
      in_graphics.FillEllipse(BrushHandle(BrushHalfRed), x, y, TWinCell::kWidth, TWinCell::kHeight);
    if (cell && cell->Unit) {
      if (TPen* pen = PalettePens[cell->Unit->Owner == 0 ? kBlack : kWhite]) {
        pen->SetWidth(3.0f);
        in_graphics.DrawEllipse(pen->Handle(), x, y, TWinCell::kWidth, TWinCell::kHeight);
        pen->SetWidth(1.0f);
      }
    }
    if (window->Hovered)
      in_graphics.DrawRectangle(PenHandle(PalettePens[kWhite]), x, y, TWinCell::kWidth - 1, TWinCell::kHeight - 1);
  };

  const size_t count = static_cast<size_t>(Columns_) * static_cast<size_t>(Rows_);
  if (count == 0 || Children.size() != count) {
    for (TWindow* child : Children) drawCell(static_cast<TWinCell*>(child));
    return;
  }
  int32_t firstColumn, lastColumn, firstRow, lastRow;
  VisibleRange(Children.front()->X, TWinCell::kWidth, Columns_, Width, kGroundReach, firstColumn, lastColumn);
  VisibleRange(Children.front()->Y, TWinCell::kHeight, Rows_, Height, kGroundReach, firstRow, lastRow);
  for (int32_t r = firstRow; r <= lastRow; ++r)
    for (int32_t c = firstColumn; c <= lastColumn; ++c)
      drawCell(static_cast<TWinCell*>(Children[static_cast<size_t>(r) * Columns_ + c]));
}

void TMap::DrawObjectPass(TGraphics& in_graphics) {
  const auto drawCell = [&](TWinCell* window) {
    const TCell* cell = window->Cell;
    if (!cell || (!cell->Place && !cell->Unit)) return;
    const int32_t px = window->X + OffsetPixels(window->OffsetX);
    const int32_t py = window->Y + OffsetPixels(window->OffsetY);
    if (cell->Place && Meets(cell->Place->DrawBounds(px, py), Width, Height)) cell->Place->Draw(in_graphics, px, py);
    if (cell->Unit && Meets(cell->Unit->DrawBounds(px, py), Width, Height)) cell->Unit->Draw(in_graphics, px, py);
  };

  const size_t count = static_cast<size_t>(Columns_) * static_cast<size_t>(Rows_);
  if (count == 0 || Children.size() != count) {
    for (TWindow* child : Children) drawCell(static_cast<TWinCell*>(child));
    return;
  }
  int32_t firstColumn, lastColumn, firstRow, lastRow;
  VisibleRange(Children.front()->X, TWinCell::kWidth, Columns_, Width, kObjectReach, firstColumn, lastColumn);
  VisibleRange(Children.front()->Y, TWinCell::kHeight, Rows_, Height, kObjectReach, firstRow, lastRow);
  for (int32_t r = firstRow; r <= lastRow; ++r)
    for (int32_t c = firstColumn; c <= lastColumn; ++c)
      drawCell(static_cast<TWinCell*>(Children[static_cast<size_t>(r) * Columns_ + c]));
}

void TMap::SetSize(int32_t in_width, int32_t in_height) {
  TWindowBuffer::SetSize(std::max(0, in_width - SideWidth_), in_height);
}

void TMap::OnMouseMove() {
  if (Application && Application->RButtonDown) ScrollBy(Application->MouseDX, Application->MouseDY);
}

void TMap::ScrollBy(int32_t in_dx, int32_t in_dy) {
  for (TWindow* child : Children) child->MoveBy(in_dx, in_dy);
}

void TMap::CancelSelection() {
  for (const TGridPosition& position : Route)
    if (TWinCell* window = CellWindow(position.first, position.second)) window->OnRoute = 0;
  Route.clear();
  HasSelection = false;
  SelectedCell = nullptr;
}

void TMap::ComputeRoute() {
  for (const TGridPosition& position : Route)
    if (TWinCell* window = CellWindow(position.first, position.second)) window->OnRoute = 0;
  Route.clear();
  if (!SelectedCell || !TargetCell) return;

  // The two ends count as passable only for this search, whatever leaves it.
  struct TForcePassable {
    TCell* Ends[2];
    TForcePassable(TCell* in_from, TCell* in_to) : Ends{in_from, in_to} { Set(true); }
    ~TForcePassable() { Set(false); }
    TForcePassable(const TForcePassable&) = delete;
    TForcePassable& operator=(const TForcePassable&) = delete;
    void Set(bool in_value) {
      for (TCell* cell : Ends)
        if (cell) cell->ForcePassable = in_value;
    }
  };
  for (const TGridPosition& position : ChangedCells_) {
    const auto [column, row] = position;
    const bool inside = MapCells && column < MapColumns && row < MapRows && MapCells[column];
    TCell* cell = inside ? MapCells[column][row] : nullptr;
    Routes_.SetPassable(position, cell && cell->IsPassable());
  }
  ChangedCells_.clear();
  {
    // The kept grid has the two ends as the world has them; the search takes
    // them as passable, as IsPassable answers for them meanwhile.
    const TForcePassable ends(SelectedCell->Cell, TargetCell->Cell);
    try {
      Routes_.SearchBetween({SelectedCell->Column, SelectedCell->Row}, {TargetCell->Column, TargetCell->Row},
                            Route);
    } catch (int) {
      Route.clear();
    }
  }

  for (const TGridPosition& position : Route)
    if (TWinCell* window = CellWindow(position.first, position.second)) window->OnRoute = 1;
}

void TMap::CellChanged(const TWinCell* in_cell) {
  if (in_cell) ChangedCells_.emplace_back(in_cell->Column, in_cell->Row);
}

TWinCell* TMap::CellWindow(int32_t in_column, int32_t in_row) const {
  if (in_column < 0 || in_row < 0 || in_column >= Columns_ || in_row >= Rows_) return nullptr;
  const size_t index = static_cast<size_t>(in_row) * Columns_ + in_column;
  return index < Children.size() ? static_cast<TWinCell*>(Children[index]) : nullptr;
}
