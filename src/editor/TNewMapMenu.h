#pragma once
// The new-map menu ("Новая карта"): the number of columns and of rows, and
// "Создать" (1) and "Отмена" (0). A size outside the map reader's limits is
// refused with a box over the menu, which stays. Otherwise the screen hears
// kNotifyNewMapClosed with the size, and the menu closes.

#include <cstdint>

#include "toolkit/TWinMenu.h"

class TEditorField;

class TNewMapMenu : public TWinMenu {
 public:
  // Centred and modal; the fields start at the given size.
  TNewMapMenu(int32_t in_columns, int32_t in_rows);
  ~TNewMapMenu() override = default;

  // Clicks and Enter in either field.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  TEditorField* Columns;
  TEditorField* Rows;

 private:
  void Create();
};
