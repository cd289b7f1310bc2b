#pragma once
// What a map file holds for one cell, as a plain value: the ground tile, the
// tree and the stack. The editor records its edits as such values and puts
// them back on the world's cells for undo and redo.

#include <cstdint>

class TCell;

struct TCellContent {
  // No tree; otherwise the type digit of the map file.
  static constexpr int32_t kNoPlace = 0;
  static constexpr int32_t kOrdinaryTree = 2;
  static constexpr int32_t kBigTree = 3;

  int32_t TileColumn = 0;
  int32_t TileRow = 0;
  int32_t PlaceType = kNoPlace;
  int32_t PlaceFrame = 0;
  bool HasStack = false;
  int32_t Owner = 0;
  int32_t StackType = 0;
  int32_t Lives = 0;
  int32_t Count = 0;
  int32_t Direction = 0;
  float Moves = 0.0f;

  bool operator==(const TCellContent&) const = default;
};

// A cell of the grid and what it is to hold.
struct TCellPlacement {
  int32_t Column = 0;
  int32_t Row = 0;
  TCellContent Content;
};

// The content of the cell as it stands.
TCellContent ContentOf(const TCell& in_cell);

// Makes the cell hold in_content: the tile; the tree, replaced by a new one
// when it differs; the stack, its numbers changed in place when type and owner
// stay, otherwise replaced by a new stack (none for a type code outside 0 to
// 9). The players' stack lists are not touched: call RebuildStackLists after
// a batch of changes.
void ApplyContent(TCell& io_cell, const TCellContent& in_content);

// Fills both players' stack lists from the grid, row by row and within a row
// column by column, as reading a map file orders them.
void RebuildStackLists();

// Replaces the world state with a map of the given size (each 1 or more, within
// the map reader's limits) of plain grass: no trees, no stacks, empty names,
// turn counter 0, no file name. Returns false, leaving the world as it was,
// for a size outside the limits.
bool CreateBlankWorld(int32_t in_columns, int32_t in_rows);

// Whether a map of that size is one the map reader accepts and that has cells.
bool MapSizeAllowed(int64_t in_columns, int64_t in_rows);
