#pragma once
// One cell of the map: a ground tile, and optionally a map object and a stack,
// both owned. The route search sees it through IsPassable.

#include <cstdint>

#include "algo/TDijkstra.h"
#include "graphics/TSprite.h"

class TPlace;
class TUnit;

class TCell : public NAlgo::TDijkstra::TDijkstraCell {
 public:
  // Path of the ground sheet: 64 x 48 tiles, addressed by (TileColumn, TileRow).
  static constexpr const wchar_t* kGroundPath = L"res/map/grund_iso.tif";

  // Tile (0, 0), nothing on it. Looks up the ground sheet by path (a path that
  // is not registered throws there) and acquires it.
  TCell();
  // The same with the ground sheet already looked up, so that filling a large
  // grid searches the registry once.
  explicit TCell(TSprite* in_ground);
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;
  // Deletes the place (which releases its sheet), then the stack through its
  // virtual destructor, then releases the ground sheet.
  ~TCell() override;

  // True when the cell holds neither a stack nor a place, or while ForcePassable is set.
  bool IsPassable() override;

  // Draws the ground tile into the 64 x 48 rectangle at (in_x, in_y). A tile
  // outside the sheet draws nothing.
  void DrawGround(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const;

  int32_t TileColumn = 0;
  int32_t TileRow = 0;
  TUnit* Unit = nullptr;
  TPlace* Place = nullptr;
  TSprite* Ground;
  // Set only for the duration of one route search.
  bool ForcePassable = false;
};
