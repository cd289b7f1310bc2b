#pragma once
// The editor's side panel, glued to the right edge of the screen at full
// height: the file and history buttons (they tell the screen), the players'
// names and which side moves first, the tools with the page of the chosen
// tool (a palette and its numbers), and the check panel at the bottom.

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/TFrameRect.h"
#include "toolkit/TWindowBuffer.h"

class TEditorCheckView;
class TEditorDocument;
class TEditorField;
class TEditorPalette;
class TTexture;
class TWinButton;
class TWinCheckButton;
class TWinScroll;
struct TEditorTools;

class TEditorPanel : public TWindowBuffer, public TFrameRect {
 public:
  static constexpr int32_t kWidth = 240;

  // Ids of the buttons whose clicks go to the screen.
  enum TButtonId : int32_t { kNew = 10, kOpen, kSave, kSaveAs, kUndo, kRedo };

  // As a child of the current desktop, which receives the file and history
  // buttons' clicks. in_document and in_tools belong to the screen and outlive the panel.
  TEditorPanel(TEditorDocument* in_document, TEditorTools* in_tools);
  ~TEditorPanel() override;

  // Repaints everything every frame: the fields and the check change without telling it.
  void Draw() override;
  // Stays at the right edge, as high as the screen.
  void SetSize(int32_t in_width, int32_t in_height) override;
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;

  // What the panel's frame says: the map's file name ("Новая карта" for one
  // never saved), its end when it is long, and " *" while it has unsaved changes.
  std::wstring Title() const;
  // Shows the names and the side that moves first as the world has them.
  void Refresh();
  // Shows these warnings in the check panel.
  void ShowWarnings(std::vector<std::wstring> in_warnings);
  // The tool chosen: its check button ticked, the others not, and its page shown.
  void ChooseTool(int32_t in_tool);

  TEditorField* Names[2] = {};
  TWinCheckButton* SecondMovesFirst = nullptr;
  // Ground, trees, stacks, eraser.
  TWinCheckButton* ToolButtons[4] = {};
  TEditorCheckView* Check = nullptr;
  // The chosen tool's widgets.
  std::vector<TWindow*> Page;
  TEditorPalette* Palette = nullptr;
  TWinScroll* Brush = nullptr;
  TWinScroll* Facing = nullptr;
  TWinCheckButton* Owners[2] = {};
  TEditorField* Lives = nullptr;
  TEditorField* Count = nullptr;
  TEditorField* Moves = nullptr;

 private:
  void ClearPage();
  void BuildGroundPage();
  void BuildTreePage();
  void BuildStackPage();
  void BuildBrush(int32_t in_y);
  // Takes a counted use of the texture for the panel's life.
  TTexture* Hold(const std::wstring& in_path);

  TEditorDocument* Document_;
  TEditorTools* Tools_;
  std::vector<TTexture*> Held_;
};
