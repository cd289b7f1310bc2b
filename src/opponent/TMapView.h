#pragma once
// The map window as a player looks at it to give an order: how far apart two
// cells may lie and still both show, where on the screen to point at a cell,
// and how far to drag the map (with the right button) to bring two cells into
// view. Only reads the window tree.

#include <cstdint>
#include <optional>

#include "graphics/Geometry.h"
#include "opponent/TBoard.h"
#include "opponent/TViewSpan.h"

class TMap;

class TMapView {
 public:
  // A cell counts as shown when this many pixels of it, each way, are in view.
  static constexpr int32_t kShownPixels = 8;

  explicit TMapView(const TMap& in_map) : Map_(in_map) {}

  // The column and row distances the map window can show at once: two cells
  // d apart fit when d cells plus a sliver of each end fit the view.
  TViewSpan Span() const;
  // Whether the whole cell lies in the map window.
  bool ShowsWhole(TCellPos in_cell) const;
  // The screen point in the middle of the part of the cell that shows;
  // nothing when less than kShownPixels of it show either way, or the cell is
  // not on the map.
  std::optional<TPoint> PointOn(TCellPos in_cell) const;
  // How far the map must move to centre both cells in the map window as a
  // pair, which shows as much of each as the window can; (0, 0) when both
  // show whole already.
  TPoint DragToShow(TCellPos in_a, TCellPos in_b) const;
  // The screen point in the middle of the map window, where a drag starts.
  TPoint Middle() const;

 private:
  const TMap& Map_;
};
