#pragma once
// A grid of pictures to choose one from: the ground tiles, the trees, the unit
// types. It paints itself into its parent's surface, outlines the chosen item
// in red and the one under the mouse in blue, and tells its owner the index of
// an item clicked (code kNotifyPaletteChoice). Left and Right move the choice.

#include <cstdint>
#include <functional>

class TSprite;
#include "toolkit/TWindow.h"

class TEditorPalette : public TWindow {
 public:
  // Draws item in_index into the box (x, y, width, height) of the surface.
  using TDrawItem = std::function<void(TGraphics& surface, int32_t in_index, const TRect& in_box)>;

  // in_count items in rows of in_columns, each in_itemWidth x in_itemHeight,
  // from the rectangle's top-left corner; the palette is as large as they are.
  TEditorPalette(TWindow* parent, TWindow* owner, const TRect& rect, int32_t in_count, int32_t in_columns,
                 int32_t in_itemWidth, int32_t in_itemHeight, TDrawItem in_draw, int32_t in_chosen);
  ~TEditorPalette() override = default;

  // The palette of every ground tile, rows of the ground sheet's columns,
  // with its top-left corner at in_at; tile (column, row) is item
  // row * TEditorTools::kTileColumns + column.
  static TEditorPalette* GroundTiles(TWindow* parent, TWindow* owner, TPoint in_at, int32_t in_chosen);
  // Draws frame (column, row) of the sheet stretched into the box; nothing
  // for a frame outside the sheet.
  static void DrawSheetFrame(TGraphics& in_surface, const TSprite* in_sheet, int32_t in_column, int32_t in_row,
                             const TRect& in_box);

  void Draw() override;
  void SetSize(int32_t, int32_t) override {}
  void GotFocus() override;
  void LostFocus() override;
  void OnLButtonDown() override;
  void OnMouseMove() override;
  void OnMouseLeave() override;
  bool OnKeyDown() override;

  // Makes the item the chosen one (without telling the owner) and repaints.
  void Choose(int32_t in_index);
  // The item under the point (screen coordinates), or -1.
  int32_t ItemAt(TPoint in_screenPoint);
  // The rectangle of an item, in the coordinates the palette draws in.
  TRect ItemRect(int32_t in_index) const;

  TWindow* Owner;
  int32_t Count;
  int32_t Columns;
  int32_t ItemWidth;
  int32_t ItemHeight;
  int32_t Chosen;
  int32_t Hover = -1;

 private:
  void Pick(int32_t in_index);

  TDrawItem DrawItem_;
};
