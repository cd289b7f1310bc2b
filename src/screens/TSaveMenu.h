#pragma once
// The save menu (330 x 120, "Сохранить игру"): an edit field with the file name,
// "Save01.map" at first, and the buttons "Сохранить" (1) and "Назад" (0).

#include <cstdint>
#include <string>

#include "toolkit/TWinMenu.h"

class TWinEdit;

class TSaveMenu : public TWinMenu {
 public:
  // Centred on the current desktop and modal. The edit field takes letters and
  // digits only; its caret starts before the first character.
  TSaveMenu();
  ~TSaveMenu() override = default;

  // "Назад" closes the menu. "Сохранить" asks the edit field for its text; the
  // text (code 3, p1 a const std::wstring*, also sent on Enter in the field)
  // is written as the game under SaveFileName of it. A save that works closes
  // the menu; one that fails opens the box "Не удалось сохранить игру." with
  // the file name over the menu, which stays open with the typed name. A name
  // that would make no file the map list shows (see IsListedName) fails the
  // same way without writing anything.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // The file a typed name saves to: the name with ".map" appended unless it
  // already ends in it, so that the save shows in the map list.
  static std::wstring SaveFileName(const std::wstring& in_typed);
  // Whether the map list would show a file of this name: it has something
  // before its ".map" and does not start with a dot (a hidden file on systems
  // where dot files are hidden, which the file search passes over). An empty
  // typed name makes ".map", which is neither.
  static bool IsListedName(const std::wstring& in_file);

  // One of the children.
  TWinEdit* Edit;
};
