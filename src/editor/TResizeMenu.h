#pragma once
// The resize menu ("Размер карты"): the new number of columns and rows, where
// the old map lies in the new one (one of nine anchors, or an offset typed
// in), the ground tile of the new cells, and "Изменить" (1) and "Отмена" (0).
// A size outside the map reader's limits, or an offset beyond the largest
// size, is refused with a box over the menu, which stays. Otherwise the
// screen hears kNotifyResizeClosed with the plan, and the menu closes.

#include <cstdint>

#include "editor/GridEdits.h"
#include "toolkit/TWinMenu.h"

class TEditorField;
class TEditorPalette;
class TWinCheckButton;

class TResizeMenu : public TWinMenu {
 public:
  // Centred and modal, for a map of in_columns x in_rows: the fields start
  // at that size, the anchor at the top-left corner, the tile at the one given.
  TResizeMenu(int32_t in_columns, int32_t in_rows, int32_t in_tileColumn, int32_t in_tileRow);
  ~TResizeMenu() override = default;

  // Clicks, the anchors, the palette, the fields' changes and Enter in any field.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // Ticks the anchor (column 0 to 2 from the left, row 0 to 2 from the top)
  // and puts its offsets in the fields; -1 unticks them all.
  void ChooseAnchor(int32_t in_anchor);
  // The plan the menu holds now (the size as typed, unchecked).
  TResizePlan Plan() const;

  TEditorField* Columns;
  TEditorField* Rows;
  TEditorField* OffsetColumns;
  TEditorField* OffsetRows;
  // Row by row: top-left, top, top-right, left, ...
  TWinCheckButton* Anchors[9] = {};
  TEditorPalette* Tiles;
  // The anchor ticked, -1 while the offsets are typed.
  int32_t Anchor = 0;

 private:
  void Resize();

  int32_t OldColumns_;
  int32_t OldRows_;
  int32_t TileColumn_;
  int32_t TileRow_;
};
