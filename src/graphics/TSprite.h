#pragma once
// Sheets of equal frames in a grid. The frame in column c and row r is the
// source rectangle (c x frame width, r x frame height, frame width, frame height).

#include "graphics/TGraphics.h"
#include "graphics/TTexture.h"

class TSprite : public TTexture {
 public:
  TSprite(std::wstring path, int32_t frameWidth, int32_t frameHeight);
  // Loads and counts like any texture; the first user, whose use loads the
  // image, recomputes the frame counts: columns = image width / frame width,
  // rows = image height / frame height (0 and 0 when the image failed).
  void Acquire() override;

  // Draws frame (column, row) stretched into the destination rectangle.
  void DrawFrame(TGraphics& graphics, int32_t column, int32_t row, int32_t x, int32_t y, int32_t width,
                 int32_t height) const;

  int32_t FrameHeight;
  int32_t FrameWidth;
  uint32_t Columns = 0;
  uint32_t Rows = 0;
};

// A sprite whose frames stand on a map point: a frame drawn at (px, py) covers
// (px - anchor x, py - anchor y, frame width, frame height) at pixel size.
class TUnitSprite : public TSprite {
 public:
  TUnitSprite(std::wstring path, int32_t frameWidth, int32_t frameHeight, int32_t anchorX, int32_t anchorY);

  // Draws frame (column, row) with its anchor on the point.
  void DrawAt(TGraphics& graphics, int32_t column, int32_t row, int32_t px, int32_t py) const;

  int32_t AnchorX;
  int32_t AnchorY;
};
