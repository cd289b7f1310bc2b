#pragma once
// The editor's map window: the game's map drawing and right-button scrolling,
// with the left button working the chosen tool on the cells.
//
//  - Painting tools: a press starts a stroke, moving with the button held
//    paints every cell along the way, and the release ends the stroke, which
//    undo takes back as one edit. The cells under the brush are outlined.
//  - The ground tool in fill mode: a click fills the connected area of the
//    clicked cell's tile, one edit.
//  - The select tool: a drag marks a rectangle of cells; a drag that starts
//    inside the rectangle moves its cells (one edit on release), the moving
//    block shown under the pointer on its way.
//  - A block being pasted (Float) follows the pointer until a click puts it
//    down, one edit; the rectangle it covers becomes the selection.
//  - The pick tool, or a click with Alt held whatever the tool, tells the
//    screen which cell to take into the tools (code kNotifyPickCell).
//  - The right button held on a cell shows the cell's information text, the
//    one the game shows a player, in a box by the pointer.
//
// Nothing on it moves or animates, and no stack is ever removed by it.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/GridEdits.h"
#include "editor/TBlockPreview.h"
#include "editor/TMapBlock.h"
#include "graphics/GdiplusObjects.h"
#include "world/TMap.h"

class TEditorDocument;
class TWinCell;
struct TEditorTools;

class TEditorMap : public TMap {
 public:
  // Leaves in_sideWidth pixels free on the right for the panel. The document
  // and the tools belong to the screen and outlive the map.
  TEditorMap(int32_t in_sideWidth, TEditorDocument* in_document, const TEditorTools* in_tools);
  ~TEditorMap() override;

  bool IsPlayed() const override { return false; }
  // No orders are carried out here.
  void Update() override {}
  // The selection, the block on its way and the information text.
  void DrawOverlay(TGraphics& in_graphics) override;
  // The map itself takes the mouse everywhere over it, not its cell windows.
  TWindow* HitTest(TPoint point) override;
  void OnLButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonDown() override;
  void OnRButtonUp() override;
  // Scrolls with the right button, works the tool with the left one, outlines the brush.
  void OnMouseMove() override;
  void OnMouseLeave() override;
  // The arrow keys scroll the map by one cell; other keys go on up the focus path.
  bool OnKeyDown() override;

  // The cell under a point of the screen; false when there is none or the
  // point is outside the map window.
  bool CellAt(TPoint in_screenPoint, int32_t& out_column, int32_t& out_row) const;

  // The rectangle selected; empty when there is none.
  const TGridRect& Selection() const { return Selection_; }
  // Selects the rectangle's part on the grid (none for an empty one).
  void Select(const TGridRect& in_area);
  // Makes the block follow the pointer, held by its middle cell, until a
  // click on the map puts it down or CancelFloating drops it. A move in
  // progress ends first, moving nothing.
  void Float(const TMapBlock& in_block);
  // Whether a block follows the pointer (a paste or a move on its way).
  bool Floating() const { return !Floating_.Empty(); }
  void CancelFloating();
  // The information text shown while the right button is held; empty otherwise.
  const std::wstring& InfoText() const { return InfoText_; }

  // Scrolls the map so that the cell's middle is in the middle of the map window.
  void CentreOn(int32_t in_column, int32_t in_row);
  // The cells the map window shows now, wholly or in part; empty for none.
  TGridRect VisibleCells() const;

 private:
  enum class TDrag { kNone, kPaint, kSelect, kMove };

  // The tool over the brush square at the cell.
  void PaintAt(int32_t in_column, int32_t in_row);
  // The tool at every cell from the last one painted to this one.
  void PaintTo(int32_t in_column, int32_t in_row);
  // Outlines the brush square at the cell (none for a column of -1).
  void OutlineBrush(int32_t in_column, int32_t in_row);
  // The brush square's first column and row for the cell, and its side.
  void BrushSquare(int32_t in_column, int32_t in_row, int32_t& out_column, int32_t& out_row, int32_t& out_side) const;
  // Where the top-left corner of the cell is drawn in the map's buffer.
  TPoint CellOrigin(int32_t in_column, int32_t in_row) const;
  // Puts the pasted block down with the held cell on this one.
  void DropPaste(int32_t in_column, int32_t in_row);
  // Ends a move: the selection's cells go where the pointer took them.
  void FinishMove();

  TEditorDocument* Document_;
  const TEditorTools* Tools_;
  TDrag Drag_ = TDrag::kNone;
  int32_t LastColumn_ = 0;
  int32_t LastRow_ = 0;
  std::vector<TWinCell*> Outlined_;

  TGridRect Selection_;
  // The corner a selecting drag started from.
  int32_t AnchorColumn_ = 0;
  int32_t AnchorRow_ = 0;
  // The block that follows the pointer, the cell of it the pointer holds, and
  // the cell of the map under the pointer.
  TMapBlock Floating_;
  int32_t GrabColumn_ = 0;
  int32_t GrabRow_ = 0;
  int32_t PointerColumn_ = 0;
  int32_t PointerRow_ = 0;
  // The document's revision when a move started: a change meanwhile (an undo)
  // calls the move off.
  uint64_t MoveRevision_ = 0;

  std::wstring InfoText_;
  TPoint InfoPoint_{0, 0};

  TBlockPreview Preview_;
  TPen SelectionPen_;
  TPen FloatingPen_;
  TBrush InfoBrush_;
};
