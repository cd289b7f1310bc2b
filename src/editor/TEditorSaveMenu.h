#pragma once
// The save-as menu ("Сохранить карту"): the file name, and "Сохранить" (1)
// and "Отмена" (0). Saving (the button or Enter in the field) tells the screen
// kNotifySaveAsClosed with the name, ".map" added when it lacks it; the menu
// closes. An empty name does nothing.

#include <string>

#include "toolkit/TWinMenu.h"

class TEditorField;

class TEditorSaveMenu : public TWinMenu {
 public:
  // Centred and modal, the field holding in_name with the caret at its end and the focus.
  explicit TEditorSaveMenu(const std::wstring& in_name);
  ~TEditorSaveMenu() override = default;

  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  TEditorField* Name;

 private:
  void Save();
};
