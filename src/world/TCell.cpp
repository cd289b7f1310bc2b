#include "world/TCell.h"

#include "graphics/TextureRegistry.h"
#include "world/TPlace.h"
#include "world/TUnit.h"

namespace {

constexpr int32_t kTileWidth = 64;
constexpr int32_t kTileHeight = 48;

}  // namespace

TCell::TCell() : TCell(FindTextureAs<TSprite>(kGroundPath)) {}

TCell::TCell(TSprite* in_ground) : Ground(in_ground) { Ground->Acquire(); }

TCell::~TCell() {
  delete Place;
  Place = nullptr;
  delete Unit;
  Unit = nullptr;
  Ground->Release();
}

bool TCell::IsPassable() { return (Unit == nullptr && Place == nullptr) || ForcePassable; }

void TCell::DrawGround(TGraphics& in_graphics, int32_t in_x, int32_t in_y) const {
  // Tiles outside the sheet (any number a map file holds) are skipped rather
  // than addressed: their source rectangle could overflow.
  if (TileColumn < 0 || TileRow < 0 || static_cast<uint32_t>(TileColumn) >= Ground->Columns ||
      static_cast<uint32_t>(TileRow) >= Ground->Rows)
    return;
  Ground->DrawFrame(in_graphics, TileColumn, TileRow, in_x, in_y, kTileWidth, kTileHeight);
}
