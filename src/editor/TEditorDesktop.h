#pragma once
// The editor's one screen: the map window on the left, the side panel on
// the right and the overview over the map's corner. It owns the document,
// the tools and the clipboard, carries out the file actions (new, open,
// save, save as, the file menu) and the resize with their questions, menus
// and boxes, undo and redo (the buttons, Ctrl+Z and Ctrl+Y; Ctrl+S saves),
// copy, cut, paste and delete of the selection (Ctrl+C, Ctrl+X, Ctrl+V,
// Delete; Esc drops a paste on its way, or else the selection), and after
// every change shows the panel the world as it stands and the map check.

#include <cstdint>
#include <string>

#include "editor/EditorTools.h"
#include "editor/GridEdits.h"
#include "editor/TEditorDocument.h"
#include "editor/TMapBlock.h"
#include "toolkit/TDesktop.h"

class TEditorMap;
class TEditorOverview;
class TEditorPanel;

class TEditorDesktop : public TDesktop {
 public:
  // Ids of the questions the screen asks; their answers come back as code 4.
  enum TQuestion : int32_t { kAskNew = 1, kAskOpen, kAskClose, kAskOverwrite, kAskResize, kAskOpenFile };
  // The menu a failed open or save opens again behind its box.
  enum class TReturnTo { kMapList, kSaveAsMenu, kFileMenu };

  // The size of the map the editor starts with.
  static constexpr int32_t kStartColumns = 20;
  static constexpr int32_t kStartRows = 15;

  // Starts on a new map of kStartColumns x kStartRows plain grass.
  TEditorDesktop();
  ~TEditorDesktop() override;

  // After the world changed: the panel shows it, and the map check runs again
  // (not in the middle of a stroke).
  void Update() override;
  // Ctrl+Z undoes, Ctrl+Y redoes, Ctrl+S saves, Ctrl+C, Ctrl+X, Ctrl+V,
  // Delete and Esc work the selection; Tab as any window.
  bool OnKeyDown() override;
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // "Новая карта", "Открыть", "Сохранить", "Сохранить как", "Отменить",
  // "Повторить", as the panel's buttons do them.
  void NewMap();
  void Open();
  void Save();
  void SaveAs();
  void Undo();
  void Redo();
  // "Размер карты" and "Файлы…": their menus.
  void Resize();
  void Files();
  // The selection's cells into the clipboard; cut and delete then empty them
  // (the ground tool's tile, nothing on it), one edit. Nothing without a selection.
  void Copy();
  void Cut();
  void DeleteSelection();
  // The clipboard's block follows the pointer on the map until a click puts it down.
  void Paste();
  // Takes the cell into the tools (TEditorTools::Pick) and shows its tool's page.
  void Pick(int32_t in_column, int32_t in_row);
  // Gives the map the plan's size, one edit, the view kept on the old cells.
  bool ApplyResize(const TResizePlan& in_plan);
  // Writes the map to the file through the game's safe writer. Success makes
  // it the document's file; a failure leaves the map unsaved and shows a box
  // with the name over the menu it came from (the save-as menu or the file
  // menu), opened again.
  bool SaveTo(const std::wstring& in_name, TReturnTo in_back = TReturnTo::kSaveAsMenu);
  // Reads the map file in place of the map being edited. A file that cannot
  // be read leaves the map as it was and shows a box over the menu it came
  // from, opened again: the map list (showing the rows from in_listFirst on,
  // with the focus on the row of the path) or the file menu. A file read with
  // a problem is edited as far as it read, and a box says where the problem is.
  bool OpenFile(const std::wstring& in_path, TReturnTo in_back = TReturnTo::kMapList, int32_t in_listFirst = 0);
  // Asks whether to close without saving; the program closes on "Да". Does
  // nothing while the question is open already.
  void AskBeforeClosing();

  TEditorDocument Document;
  TEditorTools Tools;
  TEditorMap* Map = nullptr;
  TEditorPanel* Panel = nullptr;
  TEditorOverview* Overview = nullptr;
  // What copy and cut took last; it stays over new and opened maps.
  TMapBlock Clipboard;
  // The question about closing was answered "Да": the window may close.
  bool CloseConfirmed = false;

 private:
  // Shows the world on a new map window in place of the old one (under the
  // overview). With in_keepView the old map's cell (c, r) shows where cell
  // (c + in_shift.x, r + in_shift.y) does now.
  void ReplaceMap(bool in_keepView = false, TPoint in_shift = TPoint{0, 0});
  // After undo or redo: a grid made anew gets a new map window.
  void FollowGrid();
  // Saves to the name chosen in a menu, asking first when that would replace
  // another file.
  void SaveChosen(const std::wstring& in_name, TReturnTo in_back);
  // Asks the question (id) when the map has unsaved changes; otherwise acts
  // at once as if it had been answered "Да".
  void AskIfModified(TQuestion in_question);
  void Answered(TQuestion in_question);

  // What was modal when a question opened over it, given back when it is answered.
  TWindow* ModalBeforeQuestion_ = nullptr;
  uint64_t ShownRevision_ = 0;
  bool CheckShown_ = false;
  bool Asking_ = false;
  uint64_t ShownGrid_ = 0;
  std::wstring PendingSave_;
  TReturnTo PendingSaveBack_ = TReturnTo::kSaveAsMenu;
  std::wstring PendingOpen_;
  TResizePlan PendingResize_;
};
