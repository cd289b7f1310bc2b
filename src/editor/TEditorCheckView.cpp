#include "editor/TEditorCheckView.h"

#include <utility>

#include "graphics/DrawingObjects.h"

TEditorCheckView::TEditorCheckView(TWindow* parent, const TRect& rect) : TWindow(parent) {
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
}

void TEditorCheckView::Show(std::vector<std::wstring> in_warnings) { Warnings = std::move(in_warnings); }

void TEditorCheckView::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  surface->DrawRectangle(PenHandle(PalettePens[kBlack]), X, Y, Width - 1, Height - 1);
  surface->DrawString(L"Проверка карты", FontHandle(FontTimes12), RectF(static_cast<REAL>(X), static_cast<REAL>(Y + 2),
                                                                        static_cast<REAL>(Width), 18.0f),
                      FormatHandle(FormatCenter), BrushHandle(PaletteBrushes[kBlack]));
  std::wstring text;
  for (const std::wstring& warning : Warnings) text += (text.empty() ? L"" : L"\n") + warning;
  const bool fine = Warnings.empty();
  const RectF layout(static_cast<REAL>(X + 4), static_cast<REAL>(Y + 22), static_cast<REAL>(Width - 8),
                     static_cast<REAL>(Height - 24));
  surface->DrawString(fine ? L"Замечаний нет." : text, FontHandle(FontTimes10), layout, nullptr,
                      BrushHandle(PaletteBrushes[fine ? kBlack : kDarkRed]));
}
