#pragma once
// The editor's one screen: the map window on the left and the side panel on
// the right. It owns the document and the tools, carries out the file
// actions (new, open, save, save as) with their questions, menus and boxes,
// undo and redo (the buttons, Ctrl+Z and Ctrl+Y; Ctrl+S saves), and after
// every change shows the panel the world as it stands and the map check.

#include <cstdint>
#include <string>

#include "editor/EditorTools.h"
#include "editor/TEditorDocument.h"
#include "toolkit/TDesktop.h"

class TEditorMap;
class TEditorPanel;

class TEditorDesktop : public TDesktop {
 public:
  // Ids of the questions the screen asks; their answers come back as code 4.
  enum TQuestion : int32_t { kAskNew = 1, kAskOpen, kAskClose, kAskOverwrite };

  // The size of the map the editor starts with.
  static constexpr int32_t kStartColumns = 20;
  static constexpr int32_t kStartRows = 15;

  // Starts on a new map of kStartColumns x kStartRows plain grass.
  TEditorDesktop();
  ~TEditorDesktop() override;

  // After the world changed: the panel shows it, and the map check runs again
  // (not in the middle of a stroke).
  void Update() override;
  // Ctrl+Z undoes, Ctrl+Y redoes, Ctrl+S saves; Tab as any window.
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
  // Writes the map to the file through the game's safe writer. Success makes
  // it the document's file; a failure leaves the map unsaved and shows a box
  // with the name over the save-as menu, opened again.
  bool SaveTo(const std::wstring& in_name);
  // Reads the map file in place of the map being edited. A file that cannot
  // be read leaves the map as it was and shows a box over the map list, opened
  // again; a file read with a problem is edited as far as it read, and a box
  // says where the problem is. The list opened again shows the rows from
  // in_listFirst on, with the focus on the row of the path.
  bool OpenFile(const std::wstring& in_path, int32_t in_listFirst = 0);
  // Asks whether to close without saving; the program closes on "Да". Does
  // nothing while the question is open already.
  void AskBeforeClosing();

  TEditorDocument Document;
  TEditorTools Tools;
  TEditorMap* Map = nullptr;
  TEditorPanel* Panel = nullptr;
  // The question about closing was answered "Да": the window may close.
  bool CloseConfirmed = false;

 private:
  // Shows the world on a new map window in place of the old one.
  void ReplaceMap();
  // Asks the question (id) when the map has unsaved changes; otherwise acts
  // at once as if it had been answered "Да".
  void AskIfModified(TQuestion in_question);
  void Answered(TQuestion in_question);

  // What was modal when a question opened over it, given back when it is answered.
  TWindow* ModalBeforeQuestion_ = nullptr;
  uint64_t ShownRevision_ = 0;
  bool CheckShown_ = false;
  bool Asking_ = false;
  std::wstring PendingSave_;
};
