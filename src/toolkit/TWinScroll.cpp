#include "toolkit/TWinScroll.h"

#include <cwchar>
#include <limits>

#include "graphics/DrawingObjects.h"
#include "graphics/TextureRegistry.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"

TWinScroll::TWinScroll(TWindow* parent, TWindow* owner, const TRect& rect)
    : TWindow(parent), Image(FindTextureAs<TScrollTexture>(L"res/button/scroll.tif")), Owner(owner) {
  Image->Acquire();
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
  Layout();
}

TWinScroll::~TWinScroll() { Image->Release(); }

int32_t TWinScroll::Step(int32_t value, int64_t delta) {
  const int64_t sum = static_cast<int64_t>(value) + delta;
  if (sum < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (sum > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(sum);
}

void TWinScroll::NotifyValue() {
  if (Owner) Owner->OnNotify(this, Owner, kNotifyScrollValue, Value, 0);
}

void TWinScroll::ClearStates() {
  DecreaseState = 0;
  ThumbState = 0;
  IncreaseState = 0;
}

void TWinScroll::Layout() {
  const TRect decrease = TScrollTexture::Piece(false, TScrollPiece::First, 0);
  const TRect increase = TScrollTexture::Piece(false, TScrollPiece::Second, 0);
  const TRect thumb = TScrollTexture::Piece(false, TScrollPiece::Thumb, 0);
  Height = 35;
  Track = Width - thumb.width - decrease.width - increase.width - 10;
  IncreaseRect = TRect{X + Width - increase.width - 5, Y + 5, increase.width, increase.height};
  DecreaseRect = TRect{X + 5, Y + 5, decrease.width, decrease.height};
  // The cross position is set first, so the repaint inside SetValue shows the
  // thumb where it belongs.
  ThumbRect = TRect{X, Y + 5, thumb.width, thumb.height};
  SetValue(Minimum);
}

int32_t TWinScroll::ThumbOffset() const {
  int64_t range = static_cast<int64_t>(Maximum) - Minimum;
  if (range == 0) range = 1;
  const int64_t travelled = (static_cast<int64_t>(Value) - Minimum) * Track;
  // The quotient is taken in floating point and truncated toward zero.
  const double offset = static_cast<double>(travelled) / static_cast<double>(range);
  if (offset < std::numeric_limits<int32_t>::min() || offset > std::numeric_limits<int32_t>::max()) return 0;
  return static_cast<int32_t>(offset);
}

void TWinScroll::ClampValue(int32_t v) {
  if (v < Minimum) {
    Value = Minimum;
  } else if (v > Maximum) {
    Value = Maximum;
  } else {
    Value = v;
  }
}

void TWinScroll::SetValue(int32_t v) {
  ClampValue(v);
  const TRect decrease = TScrollTexture::Piece(false, TScrollPiece::First, 0);
  ThumbRect.x = Step(Step(X + 5, decrease.width), ThumbOffset());
  Draw();
}

bool TWinScroll::TrackClick(TPoint point) {
  const int32_t start = DecreaseRect.x + DecreaseRect.width;
  const int64_t end = static_cast<int64_t>(start) + ThumbRect.width + Track;
  if (point.x < start || point.x >= end) return false;
  if (point.y < DecreaseRect.y || point.y >= DecreaseRect.y + DecreaseRect.height) return false;
  ClearStates();
  ThumbState = 2;
  SetValue(point.x - start);
  return true;
}

void TWinScroll::Drag() {
  if (Application) SetValue(Step(Value, Application->MouseDX));
}

void TWinScroll::MoveTo(int32_t x, int32_t y) {
  X = x;
  Y = y;
  Layout();
  Draw();
}

void TWinScroll::GotFocus() {
  Focused = true;
  Draw();
}

void TWinScroll::LostFocus() {
  Focused = false;
  Draw();
}

void TWinScroll::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  if (code == kNotifyReport) {
    Minimum = static_cast<int32_t>(p1);
    Maximum = static_cast<int32_t>(p2);
    SetValue(Value);
    NotifyValue();
  } else if (code == kNotifySetValue) {
    SetValue(static_cast<int32_t>(p1));
    NotifyValue();
  }
}

void TWinScroll::OnLButtonDown() {
  if (!Application) return;
  TPoint mouse{Application->MouseX, Application->MouseY};
  ToLocal(mouse);
  ClearStates();
  if (IncreaseRect.Contains(mouse)) {
    IncreaseState = 2;
    SetValue(Step(Value, 1));
  } else if (ThumbRect.Contains(mouse)) {
    ThumbState = 2;
  } else if (DecreaseRect.Contains(mouse)) {
    DecreaseState = 2;
    SetValue(Step(Value, -1));
  } else if (!TrackClick(mouse)) {
    ClearStates();
    Draw();
  }
}

void TWinScroll::OnLButtonUp() {
  ClearStates();
  Draw();
  NotifyValue();
}

void TWinScroll::OnMouseLeave() {
  ClearStates();
  Draw();
}

void TWinScroll::OnMouseMove() {
  if (ThumbState == 2) {
    Drag();
    NotifyValue();
    return;
  }
  if (DecreaseState == 2 || IncreaseState == 2) return;
  if (!Application) return;
  TPoint mouse{Application->MouseX, Application->MouseY};
  ToLocal(mouse);
  ClearStates();
  if (IncreaseRect.Contains(mouse)) {
    IncreaseState = 1;
  } else if (ThumbRect.Contains(mouse)) {
    ThumbState = 1;
  } else if (DecreaseRect.Contains(mouse)) {
    DecreaseState = 1;
  }
  Draw();
}

bool TWinScroll::OnMouseWheel() {
  if (!Application) return false;
  const int32_t delta = static_cast<int16_t>(HIWORD(Application->WParam));
  SetValue(Step(Value, delta > 0 ? -1 : 1));
  NotifyValue();
  Draw();
  return true;
}

bool TWinScroll::OnKeyDown() {
  if (!Application) return false;
  if (Application->WParam == VK_LEFT) {
    SetValue(Step(Value, -1));
  } else if (Application->WParam == VK_RIGHT) {
    SetValue(Step(Value, 1));
  } else {
    return false;
  }
  NotifyValue();
  return true;
}

void TWinScroll::DrawPiece(TGraphics& surface, bool vertical, TScrollPiece piece, int32_t state,
                           const TRect& rect) const {
  const TRect source = TScrollTexture::Piece(vertical, piece, state);
  surface.DrawImage(Image->Image(), rect.x, rect.y, rect.width, rect.height, source.x, source.y, source.width,
                    source.height);
}

void TWinScroll::DrawNumbers(TGraphics& surface, const RectF& layout, const TStringFormat* nearFormat,
                             const TStringFormat* centerFormat, const TStringFormat* farFormat) {
  const int32_t numbers[] = {Minimum, Value, Maximum};
  const TStringFormat* formats[] = {nearFormat, centerFormat, farFormat};
  for (int i = 0; i < 3; ++i) {
    std::swprintf(TextBuffer, sizeof TextBuffer / sizeof TextBuffer[0], L"%d", numbers[i]);
    surface.DrawString(TextBuffer, FontHandle(FontTimes10), layout, FormatHandle(formats[i]),
                       BrushHandle(PaletteBrushes[kBlack]));
  }
}

void TWinScroll::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  const TRect decreaseFrame = TScrollTexture::Piece(false, TScrollPiece::First, 0);
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightBlue]), X + 1, Y + 4, Width - 2,
                         decreaseFrame.width + 2);
  if (Focused) surface->DrawRectangle(PenHandle(PalettePens[kRed]), X + 1, Y + 1, Width - 2, Height - 2);
  DrawPiece(*surface, false, TScrollPiece::First, DecreaseState, DecreaseRect);
  DrawPiece(*surface, false, TScrollPiece::Thumb, ThumbState, ThumbRect);
  DrawPiece(*surface, false, TScrollPiece::Second, IncreaseState, IncreaseRect);
  const RectF layout(static_cast<REAL>(X + 5), static_cast<REAL>(Y + 20), static_cast<REAL>(Width - 10),
                     static_cast<REAL>(Height - 20));
  DrawNumbers(*surface, layout, FormatNear, FormatCenter, FormatFar);
}
