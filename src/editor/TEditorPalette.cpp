#include "editor/TEditorPalette.h"

#include <utility>

#include "editor/EditorNotify.h"
#include "editor/EditorTools.h"
#include "graphics/DrawingObjects.h"
#include "graphics/TSprite.h"
#include "graphics/TextureRegistry.h"
#include "shell/TTimer.h"
#include "world/TCell.h"

TEditorPalette::TEditorPalette(TWindow* parent, TWindow* owner, const TRect& rect, int32_t in_count,
                               int32_t in_columns, int32_t in_itemWidth, int32_t in_itemHeight, TDrawItem in_draw,
                               int32_t in_chosen)
    : TWindow(parent),
      Owner(owner),
      Count(in_count),
      Columns(in_columns > 0 ? in_columns : 1),
      ItemWidth(in_itemWidth),
      ItemHeight(in_itemHeight),
      Chosen(in_chosen),
      DrawItem_(std::move(in_draw)) {
  X = rect.x;
  Y = rect.y;
  Width = Columns * ItemWidth;
  Height = ((Count + Columns - 1) / Columns) * ItemHeight;
}

TEditorPalette* TEditorPalette::GroundTiles(TWindow* parent, TWindow* owner, TPoint in_at, int32_t in_chosen) {
  const TSprite* ground = FindTextureAs<TSprite>(TCell::kGroundPath);
  constexpr int32_t columns = TEditorTools::kTileColumns;
  return new TEditorPalette(
      parent, owner, TRect{in_at.x, in_at.y, 0, 0}, columns * TEditorTools::kTileRows, columns, 27, 20,
      [ground](TGraphics& surface, int32_t index, const TRect& box) {
        DrawSheetFrame(surface, ground, index % columns, index / columns, box);
      },
      in_chosen);
}

void TEditorPalette::DrawSheetFrame(TGraphics& in_surface, const TSprite* in_sheet, int32_t in_column,
                                    int32_t in_row, const TRect& in_box) {
  if (!in_sheet || in_column < 0 || in_row < 0 || static_cast<uint32_t>(in_column) >= in_sheet->Columns ||
      static_cast<uint32_t>(in_row) >= in_sheet->Rows)
    return;
  in_sheet->DrawFrame(in_surface, in_column, in_row, in_box.x, in_box.y, in_box.width, in_box.height);
}

TRect TEditorPalette::ItemRect(int32_t in_index) const {
  return TRect{X + (in_index % Columns) * ItemWidth, Y + (in_index / Columns) * ItemHeight, ItemWidth, ItemHeight};
}

int32_t TEditorPalette::ItemAt(TPoint in_screenPoint) {
  TPoint point = in_screenPoint;
  if (Parent) Parent->ToLocal(point);
  if (!Bounds().Contains(point)) return -1;
  const int32_t index = ((point.y - Y) / ItemHeight) * Columns + (point.x - X) / ItemWidth;
  return index < Count ? index : -1;
}

void TEditorPalette::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->FillRectangle(BrushHandle(PaletteBrushes[kDarkGrey]), X, Y, Width, Height);
  for (int32_t i = 0; i < Count; ++i) {
    const TRect box = ItemRect(i);
    if (DrawItem_) DrawItem_(*surface, i, TRect{box.x + 1, box.y + 1, box.width - 2, box.height - 2});
  }
  if (Hover >= 0 && Hover < Count && Hover != Chosen) {
    const TRect box = ItemRect(Hover);
    surface->DrawRectangle(PenHandle(PalettePens[kBlue]), box.x, box.y, box.width - 1, box.height - 1);
  }
  if (Chosen >= 0 && Chosen < Count) {
    const TRect box = ItemRect(Chosen);
    surface->DrawRectangle(PenHandle(PalettePens[kRed]), box.x, box.y, box.width - 1, box.height - 1);
    surface->DrawRectangle(PenHandle(PalettePens[kRed]), box.x + 1, box.y + 1, box.width - 3, box.height - 3);
  }
  if (Focused) surface->DrawRectangle(PenHandle(PalettePens[kWhite]), X - 1, Y - 1, Width + 1, Height + 1);
}

void TEditorPalette::GotFocus() {
  TWindow::GotFocus();
  Draw();
}

void TEditorPalette::LostFocus() {
  TWindow::LostFocus();
  Draw();
}

void TEditorPalette::Choose(int32_t in_index) {
  if (in_index < 0 || in_index >= Count) return;
  Chosen = in_index;
  Draw();
}

void TEditorPalette::Pick(int32_t in_index) {
  if (in_index < 0 || in_index >= Count) return;
  Choose(in_index);
  if (Owner) Owner->OnNotify(this, Owner, kNotifyPaletteChoice, in_index, 0);
}

void TEditorPalette::OnLButtonDown() {
  if (Application) Pick(ItemAt(TPoint{Application->MouseX, Application->MouseY}));
}

void TEditorPalette::OnMouseMove() {
  if (!Application) return;
  const int32_t hover = ItemAt(TPoint{Application->MouseX, Application->MouseY});
  if (hover == Hover) return;
  Hover = hover;
  Draw();
}

void TEditorPalette::OnMouseLeave() {
  Hover = -1;
  Draw();
}

bool TEditorPalette::OnKeyDown() {
  if (!Application) return false;
  if (Application->WParam == VK_LEFT) {
    Pick(Chosen > 0 ? Chosen - 1 : Count - 1);
    return true;
  }
  if (Application->WParam == VK_RIGHT) {
    Pick(Chosen + 1 < Count ? Chosen + 1 : 0);
    return true;
  }
  // Tab and the rest go on up the focus path.
  return false;
}
