#pragma once
// The file menu ("Файлы"): opens and saves a map anywhere, not only under
// the working directory. It shows a folder ("Папка", a path to type or
// change), its subfolders and map files in a list ("../" goes up a folder,
// a folder's row goes into it, a file's row puts its name in the field
// below), the file ("Файл": a name in the folder, or a whole path), and
// "Открыть" (1), "Сохранить" (2) and "Отмена" (0). Opening or saving tells
// the screen kNotifyFileMenuClosed with the whole path (".map" added for
// saving when it lacks it), and the menu closes. An empty name does nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/TWinMenu.h"

class TEditorField;
class TWinList;

class TEditorFileMenu : public TWinMenu {
 public:
  // The most entries of a folder the list shows: folders first, then map files.
  static constexpr size_t kMaxEntries = 2000;

  // Centred and modal, showing the folder of in_path (a file or a folder;
  // the working directory for an empty one), with the name of a file in it
  // in the field.
  explicit TEditorFileMenu(const std::wstring& in_path);
  ~TEditorFileMenu() override = default;

  // A folder's row clicked goes into that folder here, after the click is over.
  void Update() override;
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // Shows the folder (a path, relative to the working directory or whole). A
  // folder that cannot be read shows no entries but "../".
  void ShowFolder(const std::wstring& in_folder);
  // The whole path the field names: the field's text when it is a whole
  // path, otherwise that name in the folder shown.
  std::wstring ChosenPath() const;

  TEditorField* Folder;
  TEditorField* Name;
  TWinList* List;
  // The rows of the list, as shown: "../", the folders with "/", the files.
  std::vector<std::wstring> Entries;

 private:
  void Finish(int32_t in_action);

  // The folder shown, whole and without "." or ".." in it.
  std::wstring FolderPath_;
  // A folder row clicked, gone into at the next frame.
  std::wstring PendingFolder_;
};
