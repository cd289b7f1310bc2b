#include "graphics/TSprite.h"

TSprite::TSprite(std::wstring path, int32_t frameWidth, int32_t frameHeight)
    : TTexture(std::move(path)), FrameHeight(frameHeight), FrameWidth(frameWidth) {}

void TSprite::Acquire() {
  TTexture::Acquire();
  // The frame grid changes only when the image was loaded, by the first user:
  // the many cells of a map that share the ground sheet need not ask again.
  if (UseCount() != 1) return;
  const uint32_t width = static_cast<uint32_t>(ImageWidth());
  const uint32_t height = static_cast<uint32_t>(ImageHeight());
  Columns = FrameWidth > 0 ? width / static_cast<uint32_t>(FrameWidth) : 0;
  Rows = FrameHeight > 0 ? height / static_cast<uint32_t>(FrameHeight) : 0;
}

void TSprite::DrawFrame(TGraphics& graphics, int32_t column, int32_t row, int32_t x, int32_t y, int32_t width,
                        int32_t height) const {
  graphics.DrawImage(Image(), x, y, width, height, column * FrameWidth, row * FrameHeight, FrameWidth,
                     FrameHeight);
}

TUnitSprite::TUnitSprite(std::wstring path, int32_t frameWidth, int32_t frameHeight, int32_t anchorX,
                         int32_t anchorY)
    : TSprite(std::move(path), frameWidth, frameHeight), AnchorX(anchorX), AnchorY(anchorY) {}

void TUnitSprite::DrawAt(TGraphics& graphics, int32_t column, int32_t row, int32_t px, int32_t py) const {
  DrawFrame(graphics, column, row, px - AnchorX, py - AnchorY, FrameWidth, FrameHeight);
}
