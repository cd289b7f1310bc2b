#pragma once
// What the left mouse button does on the map: the chosen tool and what it
// puts down. The side panel sets it; the map window reads it.

#include <cstdint>

#include "editor/CellContent.h"

// The order of the panel's tool buttons.
enum class TEditorTool { kGround, kTree, kStack, kEraser, kSelect, kPick };

struct TEditorTools {
  // The largest brush, in cells along each side.
  static constexpr int32_t kMaxBrush = 9;
  // How many ground tiles, tree pictures of each type and unit types there are.
  static constexpr int32_t kTileColumns = 8;
  static constexpr int32_t kTileRows = 4;
  static constexpr int32_t kTreeFrames = 16;

  TEditorTool Tool = TEditorTool::kGround;
  // Ground: the tile of the ground sheet.
  int32_t TileColumn = 0;
  int32_t TileRow = 0;
  // Ground and eraser: the brush covers BrushSize x BrushSize cells.
  int32_t BrushSize = 1;
  // Ground: a click fills the connected area of the clicked cell's tile
  // instead of painting, through the cells' sides, or with
  // FillEightConnected also through their corners.
  bool Fill = false;
  bool FillEightConnected = false;
  // Trees: the type digit (2 ordinary, 3 big) and the picture.
  int32_t TreeType = TCellContent::kOrdinaryTree;
  int32_t TreeFrame = 0;
  // Stacks: everything a stack token holds, and the owner.
  int32_t StackType = 0;
  int32_t Owner = 0;
  int32_t Lives = 10;
  int32_t Count = 4;
  int32_t Direction = 4;
  float Moves = 3.0f;

  // Whether the tool covers a square of BrushSize cells (ground, eraser) or one cell.
  bool UsesBrush() const { return (Tool == TEditorTool::kGround && !Fill) || Tool == TEditorTool::kEraser; }
  // Whether a press on the map paints the tool (and a drag goes on painting).
  bool Paints() const { return Tool != TEditorTool::kSelect && Tool != TEditorTool::kPick && !FillsArea(); }
  // Whether a click fills an area instead.
  bool FillsArea() const { return Tool == TEditorTool::kGround && Fill; }
  // The cell's content after the tool touched it. A tree or a stack takes the
  // cell alone: it removes the stack or the tree there. The eraser removes
  // both and keeps the ground. Selecting and picking change nothing.
  TCellContent Paint(const TCellContent& in_cell) const;
  // What a cell emptied by cutting, deleting or moving a selection holds:
  // the ground tool's tile, nothing on it.
  TCellContent Background() const;
  // Takes what the cell holds into the tools, with all its values. The
  // ground, tree and stack tools take their own kind when the cell has it;
  // otherwise (and from the other tools) the topmost thing on the cell is
  // taken, its stack, else its tree, else its ground, and its tool becomes
  // the current one. A tree picture or unit type the panel does not offer is
  // taken as the nearest it does.
  void Pick(const TCellContent& in_cell);
};
