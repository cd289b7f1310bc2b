#include "graphics/FrameDrawing.h"

#include "graphics/DrawingObjects.h"
#include "graphics/TextureRegistry.h"

namespace {

void DrawPiece(TGraphics& graphics, const TTexture& texture, TFramePiece piece, int32_t x, int32_t y) {
  const TRect source = TFrameTexture::Piece(piece);
  graphics.DrawImage(texture.Image(), x, y, source.width, source.height, source.x, source.y, source.width,
                     source.height);
}

// Tiles a piece along one side: the first tile at `start`, then one per step
// while the position stays below `limit`; nothing at all when limit <= 0.
void TileDown(TGraphics& graphics, const TTexture& texture, TFramePiece piece, int32_t x, int32_t step,
              int32_t limit) {
  if (limit <= 0) return;
  DrawPiece(graphics, texture, piece, x, 0);
  for (int32_t y = step; y < limit; y += step) DrawPiece(graphics, texture, piece, x, y);
}

void TileAcross(TGraphics& graphics, const TTexture& texture, TFramePiece piece, int32_t y, int32_t step,
                int32_t limit) {
  if (limit <= 0) return;
  DrawPiece(graphics, texture, piece, 0, y);
  for (int32_t x = step; x < limit; x += step) DrawPiece(graphics, texture, piece, x, y);
}

}  // namespace

void DrawCaptionFrame(const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                      const TTexture& background, TGraphics& graphics, int32_t width, int32_t height,
                      const std::wstring& caption, bool active) {
  graphics.Clear(0);
  DrawTexture(TRect{0, 0, width, height}, background, graphics);
  const TFrameTexture& frame = active ? activeFrame : inactiveFrame;
  TileDown(graphics, frame, TFramePiece::WideLeft, 0, 28, height - 28);
  TileDown(graphics, frame, TFramePiece::WideRight, width - 12, 28, height - 28);
  TileAcross(graphics, frame, TFramePiece::WideTop, 0, 29, width - 29);
  TileAcross(graphics, frame, TFramePiece::WideBottom, height - 12, 29, width - 29);
  DrawPiece(graphics, frame, TFramePiece::WideTopLeft, 0, 0);
  DrawPiece(graphics, frame, TFramePiece::WideTopRight, width - 40, 0);
  DrawPiece(graphics, frame, TFramePiece::WideBottomLeft, 0, height - 40);
  DrawPiece(graphics, frame, TFramePiece::WideBottomRight, width - 40, height - 40);
  const int32_t stripWidth = 10 * static_cast<int32_t>(caption.size());
  const TRect title = TFrameTexture::Piece(TFramePiece::Title);
  graphics.DrawImage(frame.Image(), (width - stripWidth) / 2, 0, stripWidth, title.height, title.x, title.y,
                     title.width, title.height);
  graphics.DrawString(caption, FontHandle(FontCourier10),
                      RectF(0.0f, 2.0f, static_cast<float>(width), static_cast<float>(height)),
                      FormatHandle(FormatCenter), BrushHandle(PaletteBrushes[kWhite]));
}

void DrawThinFrame(TGraphics& graphics, const TFrameTexture& activeFrame, const TFrameTexture& inactiveFrame,
                   int32_t width, int32_t height, bool active) {
  const TFrameTexture& frame = active ? activeFrame : inactiveFrame;
  TileDown(graphics, frame, TFramePiece::ThinLeft, 0, 15, height - 15);
  TileDown(graphics, frame, TFramePiece::ThinRight, width - 6, 15, height - 15);
  TileAcross(graphics, frame, TFramePiece::ThinTop, 0, 15, width - 15);
  TileAcross(graphics, frame, TFramePiece::ThinBottom, height - 6, 15, width - 15);
  DrawPiece(graphics, frame, TFramePiece::ThinTopLeft, 0, 0);
  DrawPiece(graphics, frame, TFramePiece::ThinTopRight, width - 51, 0);
  DrawPiece(graphics, frame, TFramePiece::ThinBottomLeft, 0, height - 51);
  DrawPiece(graphics, frame, TFramePiece::ThinBottomRight, width - 51, height - 51);
}
