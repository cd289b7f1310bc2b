#pragma once
// Draws a block of cells that is not on the map (a paste or a move on its
// way) as the map draws its cells: ground tiles, the owners' rings, then
// trees and stacks row by row from the top. The trees and stacks it draws
// with are made once for each picture and kept.

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

#include "graphics/TGraphics.h"

class TCell;
class TMapBlock;
class TPlace;
class TUnit;

class TBlockPreview {
 public:
  // Needs the textures registered; the ground sheet is held until it goes.
  TBlockPreview();
  ~TBlockPreview();
  TBlockPreview(const TBlockPreview&) = delete;
  TBlockPreview& operator=(const TBlockPreview&) = delete;

  // Draws the block with the top-left corner of its first cell at (in_x,
  // in_y). Only cells that can show in a surface of in_width x in_height are drawn.
  void Draw(TGraphics& in_graphics, const TMapBlock& in_block, int32_t in_x, int32_t in_y, int32_t in_width,
            int32_t in_height);

 private:
  const TPlace* PlaceFor(int32_t in_type, int32_t in_frame);
  const TUnit* StackFor(int32_t in_type, int32_t in_direction);

  // A bare cell that draws the ground tiles.
  std::unique_ptr<TCell> Ground_;
  std::map<std::pair<int32_t, int32_t>, std::unique_ptr<TPlace>> Places_;
  std::map<std::pair<int32_t, int32_t>, std::unique_ptr<TUnit>> Stacks_;
};
