#include "graphics/FrameDrawing.h"

#include "graphics/DrawingObjects.h"
#include "graphics/TextureRegistry.h"

namespace {

void Place(std::vector<TPiecePlacement>& out, TFramePiece piece, int32_t x, int32_t y) {
  const TRect source = TFrameTexture::Piece(piece);
  out.push_back({piece, TRect{x, y, source.width, source.height}});
}

// Tiles a piece down one side: the first tile at 0, then one per step while
// the position stays below the limit; nothing at all when the limit is <= 0.
void TileDown(std::vector<TPiecePlacement>& out, TFramePiece piece, int32_t x, int32_t step, int32_t limit) {
  if (limit <= 0) return;
  for (int32_t y = 0; y == 0 || y < limit; y += step) Place(out, piece, x, y);
}

void TileAcross(std::vector<TPiecePlacement>& out, TFramePiece piece, int32_t y, int32_t step, int32_t limit) {
  if (limit <= 0) return;
  for (int32_t x = 0; x == 0 || x < limit; x += step) Place(out, piece, x, y);
}

void DrawPlacements(TGraphics& graphics, const TTexture& texture, const std::vector<TPiecePlacement>& pieces) {
  for (const TPiecePlacement& p : pieces) {
    const TRect source = TFrameTexture::Piece(p.Piece);
    graphics.DrawImage(texture.Image(), p.Destination.x, p.Destination.y, p.Destination.width,
                       p.Destination.height, source.x, source.y, source.width, source.height);
  }
}

}  // namespace

std::vector<TPiecePlacement> CaptionFrameLayout(int32_t width, int32_t height, int32_t captionLength) {
  std::vector<TPiecePlacement> out;
  TileDown(out, TFramePiece::WideLeft, 0, 28, height - 28);
  TileDown(out, TFramePiece::WideRight, width - 12, 28, height - 28);
  TileAcross(out, TFramePiece::WideTop, 0, 29, width - 29);
  TileAcross(out, TFramePiece::WideBottom, height - 12, 29, width - 29);
  Place(out, TFramePiece::WideTopLeft, 0, 0);
  Place(out, TFramePiece::WideTopRight, width - 40, 0);
  Place(out, TFramePiece::WideBottomLeft, 0, height - 40);
  Place(out, TFramePiece::WideBottomRight, width - 40, height - 40);
  const int32_t stripWidth = 10 * captionLength;
  out.push_back({TFramePiece::Title, TRect{(width - stripWidth) / 2, 0, stripWidth, 19}});
  return out;
}

std::vector<TPiecePlacement> ThinFrameLayout(int32_t width, int32_t height) {
  std::vector<TPiecePlacement> out;
  TileDown(out, TFramePiece::ThinLeft, 0, 15, height - 15);
  TileDown(out, TFramePiece::ThinRight, width - 6, 15, height - 15);
  TileAcross(out, TFramePiece::ThinTop, 0, 15, width - 15);
  TileAcross(out, TFramePiece::ThinBottom, height - 6, 15, width - 15);
  Place(out, TFramePiece::ThinTopLeft, 0, 0);
  Place(out, TFramePiece::ThinTopRight, width - 51, 0);
  Place(out, TFramePiece::ThinBottomLeft, 0, height - 51);
  Place(out, TFramePiece::ThinBottomRight, width - 51, height - 51);
  return out;
}

void DrawCaptionFrame(const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                      const TTexture& background, TGraphics& graphics, int32_t width, int32_t height,
                      const std::wstring& caption, bool active) {
  graphics.Clear(0);
  DrawTexture(TRect{0, 0, width, height}, background, graphics);
  DrawPlacements(graphics, active ? activeFrame : inactiveFrame,
                 CaptionFrameLayout(width, height, static_cast<int32_t>(caption.size())));
  graphics.DrawString(caption, FontHandle(FontCourier10),
                      RectF(0.0f, 2.0f, static_cast<float>(width), static_cast<float>(height)),
                      FormatHandle(FormatCenter), BrushHandle(PaletteBrushes[kWhite]));
}

void DrawThinFrame(TGraphics& graphics, const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                   int32_t width, int32_t height, bool active) {
  DrawPlacements(graphics, active ? activeFrame : inactiveFrame, ThinFrameLayout(width, height));
}
