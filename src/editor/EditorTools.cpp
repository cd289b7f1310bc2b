#include "editor/EditorTools.h"

#include <algorithm>

#include "world/UnitTypes.h"

TCellContent TEditorTools::Paint(const TCellContent& in_cell) const {
  TCellContent out = in_cell;
  switch (Tool) {
    case TEditorTool::kGround:
      out.TileColumn = TileColumn;
      out.TileRow = TileRow;
      break;
    case TEditorTool::kTree:
      out.PlaceType = TreeType;
      out.PlaceFrame = TreeFrame;
      out.HasStack = false;
      break;
    case TEditorTool::kStack:
      out.PlaceType = TCellContent::kNoPlace;
      out.PlaceFrame = 0;
      out.HasStack = true;
      out.Owner = Owner;
      out.StackType = StackType;
      out.Lives = Lives;
      out.Count = Count;
      out.Direction = Direction;
      out.Moves = Moves;
      break;
    case TEditorTool::kEraser:
      out.PlaceType = TCellContent::kNoPlace;
      out.PlaceFrame = 0;
      out.HasStack = false;
      break;
    case TEditorTool::kSelect:
    case TEditorTool::kPick:
      return out;
  }
  if (!out.HasStack) {
    // A cell without a stack holds no stack numbers either.
    const TCellContent bare;
    out.Owner = bare.Owner;
    out.StackType = bare.StackType;
    out.Lives = bare.Lives;
    out.Count = bare.Count;
    out.Direction = bare.Direction;
    out.Moves = bare.Moves;
  }
  return out;
}

TCellContent TEditorTools::Background() const {
  TCellContent background;
  background.TileColumn = TileColumn;
  background.TileRow = TileRow;
  return background;
}

void TEditorTools::Pick(const TCellContent& in_cell) {
  const bool hasTree = in_cell.PlaceType == TCellContent::kOrdinaryTree || in_cell.PlaceType == TCellContent::kBigTree;
  TEditorTool kind = in_cell.HasStack ? TEditorTool::kStack : hasTree ? TEditorTool::kTree : TEditorTool::kGround;
  if (Tool == TEditorTool::kGround || (Tool == TEditorTool::kTree && hasTree) ||
      (Tool == TEditorTool::kStack && in_cell.HasStack))
    kind = Tool;
  Tool = kind;
  switch (kind) {
    case TEditorTool::kGround:
      TileColumn = std::clamp(in_cell.TileColumn, 0, kTileColumns - 1);
      TileRow = std::clamp(in_cell.TileRow, 0, kTileRows - 1);
      break;
    case TEditorTool::kTree:
      TreeType = in_cell.PlaceType;
      TreeFrame = std::clamp(in_cell.PlaceFrame, 0, kTreeFrames - 1);
      break;
    case TEditorTool::kStack:
      StackType = std::clamp(in_cell.StackType, 0, kUnitTypeCount - 1);
      Owner = in_cell.Owner == 1 ? 1 : 0;
      Lives = in_cell.Lives;
      Count = in_cell.Count;
      Direction = std::clamp(in_cell.Direction, 0, 7);
      Moves = in_cell.Moves;
      break;
    default:
      break;
  }
}
