#include "editor/CellContent.h"

#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/UnitTypes.h"
#include "world/WorldState.h"

TCellContent ContentOf(const TCell& in_cell) {
  TCellContent content;
  content.TileColumn = in_cell.TileColumn;
  content.TileRow = in_cell.TileRow;
  if (in_cell.Place) {
    content.PlaceType = dynamic_cast<const TTree03*>(in_cell.Place) ? TCellContent::kBigTree
                        : dynamic_cast<const TTree02*>(in_cell.Place) ? TCellContent::kOrdinaryTree
                                                                      : TCellContent::kNoPlace;
    content.PlaceFrame = in_cell.Place->Frame;
  }
  if (const TUnit* unit = in_cell.Unit) {
    content.HasStack = true;
    content.Owner = unit->Owner;
    content.StackType = unit->Type;
    content.Lives = unit->Lives;
    content.Count = unit->Count;
    content.Direction = unit->Direction;
    content.Moves = unit->Moves;
  }
  return content;
}

namespace {

TPlace* NewPlace(int32_t in_type, int32_t in_frame) {
  if (in_type == TCellContent::kOrdinaryTree) return new TTree02(in_frame);
  if (in_type == TCellContent::kBigTree) return new TTree03(in_frame);
  return nullptr;
}

}  // namespace

void ApplyContent(TCell& io_cell, const TCellContent& in_content) {
  io_cell.TileColumn = in_content.TileColumn;
  io_cell.TileRow = in_content.TileRow;

  const TCellContent now = ContentOf(io_cell);
  if (now.PlaceType != in_content.PlaceType || now.PlaceFrame != in_content.PlaceFrame) {
    TPlace* place = NewPlace(in_content.PlaceType, in_content.PlaceFrame);
    delete io_cell.Place;
    io_cell.Place = place;
  }

  if (!in_content.HasStack) {
    delete io_cell.Unit;
    io_cell.Unit = nullptr;
    return;
  }
  if (!io_cell.Unit || io_cell.Unit->Type != in_content.StackType || io_cell.Unit->Owner != in_content.Owner) {
    TUnitAccount account;
    account.Type = in_content.StackType;
    TUnit* unit = CreateStack(account);
    delete io_cell.Unit;
    io_cell.Unit = unit;
    if (!unit) return;
    unit->Owner = in_content.Owner;
  }
  io_cell.Unit->Lives = in_content.Lives;
  io_cell.Unit->Count = in_content.Count;
  io_cell.Unit->Direction = in_content.Direction;
  io_cell.Unit->Moves = in_content.Moves;
}

void RebuildStackLists() {
  for (TPlayer& player : Players) player.Units.clear();
  if (!MapCells) return;
  for (int32_t r = 0; r < MapRows; ++r)
    for (int32_t c = 0; c < MapColumns; ++c) {
      TUnit* unit = MapCells[c] && MapCells[c][r] ? MapCells[c][r]->Unit : nullptr;
      if (unit && (unit->Owner == 0 || unit->Owner == 1)) Players[unit->Owner].Units.push_back(unit);
    }
}

bool MapSizeAllowed(int64_t in_columns, int64_t in_rows) {
  return in_columns >= 1 && in_rows >= 1 && in_columns <= kMaxMapColumns && in_rows <= kMaxMapRows &&
         in_columns * in_rows <= kMaxMapCells;
}

bool CreateBlankWorld(int32_t in_columns, int32_t in_rows) {
  if (!MapSizeAllowed(in_columns, in_rows)) return false;
  TSprite* ground = FindTextureAs<TSprite>(TCell::kGroundPath);
  // The new world is built beside the old one, which comes back if building fails.
  TWorldState previous = TakeWorld();
  try {
    // The grid is whole at every moment (empty entries count as nothing), so
    // that ClearMap can free it whatever fails while it fills.
    MapCells = new TCell**[in_columns]();
    MapColumns = in_columns;
    MapRows = in_rows;
    for (int32_t c = 0; c < in_columns; ++c) MapCells[c] = new TCell*[in_rows]();
    for (int32_t c = 0; c < in_columns; ++c)
      for (int32_t r = 0; r < in_rows; ++r) MapCells[c][r] = new TCell(ground);
  } catch (...) {
    RestoreWorld(previous);
    throw;
  }
  DeleteWorld(previous);
  return true;
}
