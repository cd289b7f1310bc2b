#include "editor/TBlockPreview.h"

#include <algorithm>

#include "editor/CellContent.h"
#include "editor/TMapBlock.h"
#include "graphics/DrawingObjects.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/UnitTypes.h"

namespace {

// How far a tree or a stack can paint outside its cell (see the map's drawing).
constexpr int32_t kObjectReach = 384;

bool Meets(const TRect& in_rect, int32_t in_width, int32_t in_height) {
  return in_rect.width > 0 && in_rect.height > 0 && in_rect.x < in_width && in_rect.y < in_height &&
         int64_t{in_rect.x} + in_rect.width > 0 && int64_t{in_rect.y} + in_rect.height > 0;
}

// The cells [first, last] of a row of in_count cells of in_step pixels from
// in_origin that can meet [0, in_limit) when widened by in_reach.
void ShownRange(int32_t in_origin, int32_t in_step, int32_t in_count, int32_t in_limit, int32_t in_reach,
                int32_t& out_first, int32_t& out_last) {
  const int64_t first = (int64_t{-in_reach} - in_origin) / in_step - 1;
  const int64_t last = (int64_t{in_limit} + in_reach - in_origin) / in_step + 1;
  out_first = static_cast<int32_t>(std::clamp<int64_t>(first, 0, in_count));
  out_last = static_cast<int32_t>(std::clamp<int64_t>(last, -1, int64_t{in_count} - 1));
}

}  // namespace

TBlockPreview::TBlockPreview() : Ground_(std::make_unique<TCell>()) {}

TBlockPreview::~TBlockPreview() = default;

const TPlace* TBlockPreview::PlaceFor(int32_t in_type, int32_t in_frame) {
  auto& place = Places_[{in_type, in_frame}];
  if (!place) {
    if (in_type == TCellContent::kOrdinaryTree) place = std::make_unique<TTree02>(in_frame);
    if (in_type == TCellContent::kBigTree) place = std::make_unique<TTree03>(in_frame);
  }
  return place.get();
}

const TUnit* TBlockPreview::StackFor(int32_t in_type, int32_t in_direction) {
  auto& stack = Stacks_[{in_type, in_direction}];
  if (!stack) {
    TUnitAccount account;
    account.Type = in_type;
    account.Direction = in_direction;
    stack.reset(CreateStack(account));
  }
  return stack.get();
}

void TBlockPreview::Draw(TGraphics& in_graphics, const TMapBlock& in_block, int32_t in_x, int32_t in_y,
                         int32_t in_width, int32_t in_height) {
  if (in_block.Empty()) return;
  constexpr int32_t w = TWinCell::kWidth;
  constexpr int32_t h = TWinCell::kHeight;
  int32_t firstColumn, lastColumn, firstRow, lastRow;
  ShownRange(in_x, w, in_block.Columns(), in_width, 4, firstColumn, lastColumn);
  ShownRange(in_y, h, in_block.Rows(), in_height, 4, firstRow, lastRow);
  for (int32_t r = firstRow; r <= lastRow; ++r)
    for (int32_t c = firstColumn; c <= lastColumn; ++c) {
      const TCellContent& cell = in_block.At(c, r);
      const int32_t x = in_x + c * w;
      const int32_t y = in_y + r * h;
      Ground_->TileColumn = cell.TileColumn;
      Ground_->TileRow = cell.TileRow;
      Ground_->DrawGround(in_graphics, x, y);
      if (!cell.HasStack) continue;
      if (TPen* pen = PalettePens[cell.Owner == 0 ? kBlack : kWhite]) {
        pen->SetWidth(3.0f);
        in_graphics.DrawEllipse(pen->Handle(), x, y, w, h);
        pen->SetWidth(1.0f);
      }
    }
  ShownRange(in_x, w, in_block.Columns(), in_width, kObjectReach, firstColumn, lastColumn);
  ShownRange(in_y, h, in_block.Rows(), in_height, kObjectReach, firstRow, lastRow);
  for (int32_t r = firstRow; r <= lastRow; ++r)
    for (int32_t c = firstColumn; c <= lastColumn; ++c) {
      const TCellContent& cell = in_block.At(c, r);
      const int32_t x = in_x + c * w;
      const int32_t y = in_y + r * h;
      if (cell.PlaceType != TCellContent::kNoPlace)
        if (const TPlace* place = PlaceFor(cell.PlaceType, cell.PlaceFrame))
          if (Meets(place->DrawBounds(x, y), in_width, in_height)) place->Draw(in_graphics, x, y);
      if (cell.HasStack)
        if (const TUnit* stack = StackFor(cell.StackType, cell.Direction))
          if (Meets(stack->DrawBounds(x, y), in_width, in_height)) stack->Draw(in_graphics, x, y);
    }
}
