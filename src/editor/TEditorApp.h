#pragma once
// The application object of the map editor: the game's application object
// (icon, cursor, frame timer, input routing, tear-down) with its own title and
// window class, a larger minimum size, the editor's screen, a question
// before closing with unsaved changes, and presses that always reach the
// window under the pointer. It never reads or writes "option.ini":
// the settings belong to the game.

#include "shell/TGame.h"

// The window class of the editor's window.
extern const char kEditorWindowClassName[];

class TEditorApp : public TGame {
 public:
  // The smallest outer size of the editor's window, and the size it opens at.
  static constexpr int kMinWidth = 800;
  static constexpr int kMinHeight = 600;
  static constexpr int kStartWidth = 1024;
  static constexpr int kStartHeight = 740;

  // Titled "Редактор карт Крамбол.", of the class kEditorWindowClassName.
  TEditorApp();

  // Creates the window and gives it the starting size.
  HWND Create() override;
  LRESULT OnGetMinMaxInfo() override;
  // Closes at once when the map is saved; otherwise asks first and closes on "Да".
  bool CanClose() override;

 protected:
  void LoadSettings() override {}
  // Whatever the kind, the editor has one screen.
  void BuildRequestedScreen(int32_t in_kind) override;
};

// The editor's life line, as KrambolMain is the game's.
int EditorMain();
