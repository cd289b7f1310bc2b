#include "toolkit/TWinText.h"

#include "graphics/DrawingObjects.h"

TWinText::TWinText(const TRect& rect, TWindow* parent, const std::wstring& text) : TWindow(parent), Text(text) {
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
}

void TWinText::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  const RectF layout(static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                     static_cast<REAL>(Height));
  surface->DrawString(Text, FontHandle(FontTimes10), layout, FormatHandle(FormatCenter),
                      BrushHandle(PaletteBrushes[kBlack]));
}
