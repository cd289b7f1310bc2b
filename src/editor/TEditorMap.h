#pragma once
// The editor's map window: the game's map drawing and right-button scrolling,
// with the left button painting the chosen tool onto the cells. A press starts
// a stroke, moving with the button held paints every cell along the way, and
// the release ends the stroke, which undo takes back as one edit. The cells
// under the brush are outlined while the mouse is over the map. Nothing on it
// moves or animates, and no stack is ever removed by it.

#include <cstdint>
#include <vector>

#include "world/TMap.h"

class TEditorDocument;
class TWinCell;
struct TEditorTools;

class TEditorMap : public TMap {
 public:
  // Leaves in_sideWidth pixels free on the right for the panel. The document
  // and the tools belong to the screen and outlive the map.
  TEditorMap(int32_t in_sideWidth, TEditorDocument* in_document, const TEditorTools* in_tools);
  ~TEditorMap() override = default;

  bool IsPlayed() const override { return false; }
  // No orders are carried out here.
  void Update() override {}
  // The map itself takes the mouse everywhere over it, not its cell windows.
  TWindow* HitTest(TPoint point) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  // Scrolls with the right button, paints with the left one, outlines the brush.
  void OnMouseMove() override;
  void OnMouseLeave() override;
  // The arrow keys scroll the map by one cell; other keys go on up the focus path.
  bool OnKeyDown() override;

  // The cell under a point of the screen; false when there is none or the
  // point is outside the map window.
  bool CellAt(TPoint in_screenPoint, int32_t& out_column, int32_t& out_row) const;

 private:
  // The tool over the brush square at the cell.
  void PaintAt(int32_t in_column, int32_t in_row);
  // The tool at every cell from the last one painted to this one.
  void PaintTo(int32_t in_column, int32_t in_row);
  // Outlines the brush square at the cell (none for a column of -1).
  void OutlineBrush(int32_t in_column, int32_t in_row);
  // The brush square's first column and row for the cell, and its side.
  void BrushSquare(int32_t in_column, int32_t in_row, int32_t& out_column, int32_t& out_row, int32_t& out_side) const;

  TEditorDocument* Document_;
  const TEditorTools* Tools_;
  bool Painting_ = false;
  int32_t LastColumn_ = 0;
  int32_t LastRow_ = 0;
  std::vector<TWinCell*> Outlined_;
};
