#include "editor/EditorTools.h"

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
