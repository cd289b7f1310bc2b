#include "opponent/TMapView.h"

#include <algorithm>
#include <cstdlib>

#include "toolkit/TWindowBuffer.h"
#include "world/TMap.h"
#include "world/TWinCell.h"

namespace {

TRect Intersection(const TRect& a, const TRect& b) {
  const int32_t left = std::max(a.x, b.x);
  const int32_t top = std::max(a.y, b.y);
  const int32_t right = std::min(a.x + a.width, b.x + b.width);
  const int32_t bottom = std::min(a.y + a.height, b.y + b.height);
  if (right <= left || bottom <= top) return TRect{0, 0, 0, 0};
  return TRect{left, top, right - left, bottom - top};
}

// The screen point of a point in the map's drawing coordinates: the map is a
// buffer, and so may be windows above it.
TPoint OnScreen(const TMap& in_map, int32_t in_x, int32_t in_y) {
  for (const TWindow* window = &in_map; window; window = window->Parent) {
    if (dynamic_cast<const TWindowBuffer*>(window)) {
      in_x += window->X;
      in_y += window->Y;
    }
  }
  return TPoint{in_x, in_y};
}

}  // namespace

TViewSpan TMapView::Span() const {
  const auto span = [](int32_t view, int32_t cell) { return std::max(0, (view + cell - 2 * kShownPixels - 1) / cell); };
  return TViewSpan{span(Map_.Width, TWinCell::kWidth), span(Map_.Height, TWinCell::kHeight)};
}

bool TMapView::ShowsWhole(TCellPos in_cell) const {
  const TWinCell* cell = Map_.CellWindow(in_cell.Column, in_cell.Row);
  if (!cell) return false;
  const TRect inside = Intersection(cell->Bounds(), TRect{0, 0, Map_.Width, Map_.Height});
  return inside.width == cell->Width && inside.height == cell->Height;
}

std::optional<TPoint> TMapView::PointOn(TCellPos in_cell) const {
  const TWinCell* cell = Map_.CellWindow(in_cell.Column, in_cell.Row);
  if (!cell) return std::nullopt;
  const TRect inside = Intersection(cell->Bounds(), TRect{0, 0, Map_.Width, Map_.Height});
  if (inside.width < kShownPixels || inside.height < kShownPixels) return std::nullopt;
  return OnScreen(Map_, inside.x + inside.width / 2, inside.y + inside.height / 2);
}

TPoint TMapView::DragToShow(TCellPos in_a, TCellPos in_b) const {
  const TWinCell* origin = Map_.CellWindow(0, 0);
  if (!origin || (ShowsWhole(in_a) && ShowsWhole(in_b))) return TPoint{0, 0};
  // Where cell (0, 0) must go, in the map's own coordinates, for the pair to sit in the middle.
  const int32_t left = std::min(in_a.Column, in_b.Column) * TWinCell::kWidth;
  const int32_t top = std::min(in_a.Row, in_b.Row) * TWinCell::kHeight;
  const int32_t width = (std::abs(in_a.Column - in_b.Column) + 1) * TWinCell::kWidth;
  const int32_t height = (std::abs(in_a.Row - in_b.Row) + 1) * TWinCell::kHeight;
  const int32_t wantX = (Map_.Width - width) / 2 - left;
  const int32_t wantY = (Map_.Height - height) / 2 - top;
  return TPoint{wantX - origin->X, wantY - origin->Y};
}

TPoint TMapView::Middle() const { return OnScreen(Map_, Map_.Width / 2, Map_.Height / 2); }
