#pragma once
// The map window: the left part of the game screen, showing the world's grid
// through one TWinCell child per cell, created row by row, so that the window of
// cell (c, r) is child number r * columns + c. It draws the whole map into its
// own buffer every frame and scrolls it by right-dragging.
//
// The cell windows keep their grid layout: only ScrollBy moves them, and it
// moves all of them together. Drawing relies on that to skip the cells that
// cannot show in the buffer.

#include <cstdint>
#include <utility>
#include <vector>

#include "algo/TDijkstra.h"
#include "toolkit/TFrameRect.h"
#include "toolkit/TWindowBuffer.h"

class TWinCell;

class TMap : public TWindowBuffer, public TFrameRect {
 public:
  // A (column, row) pair of the grid.
  using TGridPosition = std::pair<int32_t, int32_t>;

  // Rectangle (0, 0, W - 200, H) with W x H the size of the root window, as a
  // child of the root window. Then one cell window per cell of the world's grid
  // as it is now; the map shows that grid for its whole life.
  TMap();
  // The cell windows go with the children; the world state is not touched.
  ~TMap() override;

  // Carries out the order, once per frame: while the route has two cells or
  // more and the stack on its first cell is idle, one step (TWinCell::Swap) to
  // the second cell, or, when only two remain and the second holds a stack, the
  // strike on it (TWinCell::Attacke), which ends the route. A route of one cell
  // is dropped, and so is a route whose first cell has lost its stack. Once the
  // route is empty, an order in progress is over: the turn passes, SelectedCell
  // is cleared and Moving ends. Then updates the cell windows, which follow the
  // map in the live windows, in their order: those that have work
  // (TWinCell::HasWork), since the others' Update would change nothing, and
  // the selected cell and the target cell. So a frame costs the same on any
  // size of map.
  void Update() override;
  // Clears the buffer to dark grey; draws every cell's ground tile, route mark,
  // owner ring and hover outline; then every cell's place and stack, row by row
  // from the top so that lower rows cover higher ones; then DrawOverlay; then
  // the thin frame; and
  // copies the buffer onto the screen. Cells that cannot show are skipped.
  void Draw() override;
  // What a map window of another program draws over the cells, before the
  // frame: the game's draws nothing.
  virtual void DrawOverlay(TGraphics&) {}
  // Whether Draw paints every pixel of the map's rectangle on the screen with
  // an opaque colour, so that nothing under it shows: it does whenever the map
  // has its bitmap and a surface on it (it clears them to dark grey first).
  bool CoversItsRectangle() const;
  // The map leaves 200 pixels on the right for the side menu: sizes the buffer
  // to (in_width - 200, in_height).
  void SetSize(int32_t in_width, int32_t in_height) override;
  // Whether the map is a game in play: its stacks animate, and a stack without
  // lives is removed. A map shown for editing keeps every stack as it stands.
  virtual bool IsPlayed() const { return true; }
  // Scrolls while the right button is held.
  void OnMouseMove() override;
  // The cell window under the point, found from the grid's layout instead of
  // by asking every cell; the map itself between and around the cells.
  TWindow* HitTest(TPoint point) override;

  // Moves every cell window by (in_dx, in_dy).
  void ScrollBy(int32_t in_dx, int32_t in_dy);
  // Clears the route marks, empties the route and drops the selection.
  void CancelSelection();
  // Searches the route from SelectedCell to TargetCell anew (the two cells
  // count as passable for the search) and marks its cells; the route stays
  // empty when either cell is missing or no route exists. The search's grid
  // is made from the world's grid with the map window and then kept, with the
  // cells reported by CellChanged brought up to date; searches from the same
  // cell go on from the last one. The routes are those of a search made afresh.
  void ComputeRoute();
  // Tells the map that a stack came to or left the cell, so that the route
  // search sees whether it is passable now.
  void CellChanged(const TWinCell* in_cell);
  // The window of cell (in_column, in_row); null outside the grid.
  TWinCell* CellWindow(int32_t in_column, int32_t in_row) const;
  // Has the cell window updated from the next frame on, until it has no more
  // work. Cells call it when they start an animation; the map wakes every cell
  // with a stack when it is made.
  void Wake(TWinCell* in_cell);

  int32_t Columns() const { return Columns_; }
  int32_t Rows() const { return Rows_; }

  // Order state: a walk in progress, a stack selected, where the selection was
  // made (kept while its order runs, cleared when the order ends or is
  // cancelled), where the route leads, and the route from the selected stack's
  // cell to the target, both included.
  bool Moving = false;
  bool HasSelection = false;
  TWinCell* SelectedCell = nullptr;
  TWinCell* TargetCell = nullptr;
  std::vector<TGridPosition> Route;

 protected:
  // The same with in_sideWidth pixels left free on the right instead of 200.
  explicit TMap(int32_t in_sideWidth);

 private:
  // The index range [first, last] of cells along one axis whose span, widened
  // by in_reach on both sides, can meet [0, in_limit).
  static void VisibleRange(int32_t in_origin, int32_t in_step, int32_t in_count, int32_t in_limit,
                           int32_t in_reach, int32_t& out_first, int32_t& out_last);
  void DrawGroundPass(TGraphics& in_graphics);
  void DrawObjectPass(TGraphics& in_graphics);
  void CarryOutOrder();
  void UpdateCells();
  // Whether the children are exactly the grid's cell windows, in grid order
  // (they are unless some were deleted from outside).
  bool ChildrenAreTheGrid() const;
  // The cell window of child number in_index when the children are the grid; null otherwise.
  TWinCell* GridCell(size_t in_index) const;

  int32_t Columns_ = 0;
  int32_t Rows_ = 0;
  int32_t SideWidth_;
  // How many cell windows the map made.
  size_t CellsMade_ = 0;
  // The route search, kept for the map's life, and the cells whose
  // passability it has still to learn.
  NAlgo::TDijkstra Routes_;
  std::vector<TGridPosition> ChangedCells_;
  // The cells to update next frame, by child index, each at most once.
  std::vector<int32_t> Awake_;
  std::vector<uint8_t> IsAwake_;
};
