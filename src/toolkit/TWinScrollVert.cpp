#include "toolkit/TWinScrollVert.h"

#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"

TWinScrollVert::TWinScrollVert(TWindow* parent, TWindow* owner, const TRect& rect)
    : TWinScroll(parent, owner, rect) {
  // The horizontal layout of the base constructor fixed the height; start again
  // from the rectangle as given.
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
  Layout();
}

void TWinScrollVert::Layout() {
  const TRect up = TScrollTexture::Piece(true, TScrollPiece::First, 0);
  const TRect down = TScrollTexture::Piece(true, TScrollPiece::Second, 0);
  const TRect thumb = TScrollTexture::Piece(true, TScrollPiece::Thumb, 0);
  Width = 35;
  Track = Height - thumb.height - up.height - down.height - 10;
  IncreaseRect = TRect{X + 5, Y + Height - down.height - 5, down.width, down.height};
  DecreaseRect = TRect{X + 5, Y + 5, up.width, up.height};
  ThumbRect = TRect{X + 5, Y, thumb.width, thumb.height};
  SetValue(Minimum);
}

void TWinScrollVert::SetValue(int32_t v) {
  ClampValue(v);
  const TRect up = TScrollTexture::Piece(true, TScrollPiece::First, 0);
  ThumbRect.y = Step(Step(Y + 5, up.height), ThumbOffset());
  Draw();
}

bool TWinScrollVert::TrackClick(TPoint point) {
  const TRect& up = DecreaseRect;
  if (point.x < up.x || point.x >= static_cast<int64_t>(up.x) + ThumbRect.width) return false;
  const int32_t start = up.y + up.height;
  if (point.y < start || point.y >= static_cast<int64_t>(start) + ThumbRect.height + Track) return false;
  ClearStates();
  ThumbState = 2;
  SetValue(point.y - start);
  return true;
}

void TWinScrollVert::Drag() {
  if (Application) SetValue(Step(Value, Application->MouseDY));
}

void TWinScrollVert::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  const TRect upFrame = TScrollTexture::Piece(true, TScrollPiece::First, 0);
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightBlue]), X + 4, Y + 2, upFrame.width + 2, Height - 4);
  if (Focused) surface->DrawRectangle(PenHandle(PalettePens[kRed]), X + 1, Y + 1, Width - 2, Height - 2);
  DrawPiece(*surface, true, TScrollPiece::First, DecreaseState, DecreaseRect);
  DrawPiece(*surface, true, TScrollPiece::Thumb, ThumbState, ThumbRect);
  DrawPiece(*surface, true, TScrollPiece::Second, IncreaseState, IncreaseRect);
  const RectF layout(static_cast<REAL>(X + 18), static_cast<REAL>(Y + 5), static_cast<REAL>(Width - 20),
                     static_cast<REAL>(Height - 10));
  DrawNumbers(*surface, layout, FormatVerticalNear, FormatVerticalCenter, FormatVerticalFar);
}
