#pragma once
// The map editor started headless with a 1024 x 740 client area, and what a
// player does with it: clicks on its buttons, palettes and cells, drags,
// typing, Ctrl with a key.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "editor/TEditorApp.h"
#include "editor/TEditorDesktop.h"
#include "editor/TEditorField.h"
#include "editor/TEditorMap.h"
#include "editor/TEditorPalette.h"
#include "editor/TEditorPanel.h"
#include "editor/TEditorSaveMenu.h"
#include "platform/PlatformTest.h"
#include "support/FileBytes.h"
#include "support/ScreenFixture.h"
#include "toolkit/TWinCheckButton.h"
#include "world/TWinCell.h"

class EditorTest : public ScreenTest {
 public:
  static TEditorDesktop* Desktop() { return dynamic_cast<TEditorDesktop*>(RootWindow); }
  static TEditorPanel* Panel() { return Desktop() ? Desktop()->Panel : nullptr; }
  static TEditorMap* Map() { return Desktop() ? Desktop()->Map : nullptr; }

 protected:
  // A test may end with unsaved changes: the window still closes (and frees
  // everything) when the harness closes it.
  void TearDown() override {
    if (TEditorDesktop* desktop = Desktop()) desktop->CloseConfirmed = true;
  }

  static constexpr int kClientWidth = 1024;
  static constexpr int kClientHeight = 740;

  void StartEditor() { StartApplication(std::make_unique<TEditorApp>(), kClientWidth, kClientHeight); }

  // The middle of a map cell on the screen, as the map is scrolled now.
  static TPoint CellPoint(int in_column, int in_row) {
    const TWinCell* cell = Map()->CellWindow(in_column, in_row);
    return TPoint{Map()->X + cell->X + TWinCell::kWidth / 2, Map()->Y + cell->Y + TWinCell::kHeight / 2};
  }
  void ClickCell(int in_column, int in_row) {
    const TPoint p = CellPoint(in_column, in_row);
    Harness.LeftClick(p.x, p.y);
  }
  // Presses on one cell, moves to the other with the button held, releases.
  void DragCells(int in_fromColumn, int in_fromRow, int in_toColumn, int in_toRow) {
    const TPoint from = CellPoint(in_fromColumn, in_fromRow);
    const TPoint to = CellPoint(in_toColumn, in_toRow);
    Harness.LeftDown(from.x, from.y);
    Harness.MouseMove(to.x, to.y);
    Harness.LeftUp(to.x, to.y);
  }

  // Clicks "Сохранить как" and runs the frame; the one menu it opened, or null.
  TEditorSaveMenu* OpenSaveAs() {
    ClickButton(Panel(), L"Сохранить как");
    Harness.Tick();
    const auto menus = LiveOf<TEditorSaveMenu>();
    return menus.size() == 1 ? menus.front() : nullptr;
  }

  // Ground, trees, stacks, eraser.
  void ChooseTool(int in_tool) { Click(Panel()->ToolButtons[in_tool]); }
  void ChoosePaletteItem(int in_index) {
    const TEditorPalette* palette = Panel()->Palette;
    ASSERT_NE(palette, nullptr);
    const TRect item = palette->ItemRect(in_index);
    const TPoint p = OnScreen(palette, item.x + item.width / 2, item.y + item.height / 2);
    Harness.LeftClick(p.x, p.y);
  }

  void Type(const std::wstring& in_text) {
    for (wchar_t c : in_text) Harness.Char(c);
  }
  // Clicks the field, empties it and types the text.
  void Retype(TEditorField* in_field, const std::wstring& in_text) {
    ASSERT_NE(in_field, nullptr);
    Click(in_field);
    Harness.Key(VK_END);
    const size_t length = in_field->Text.size();
    for (size_t i = 0; i < length; ++i) Harness.Key(VK_BACK);
    Type(in_text);
  }

  // The key pressed and released with Ctrl held, as the keyboard sends them.
  void CtrlKey(int in_virtualKey) {
    PlatformTest::InjectKey(Harness.Window(), "Left Ctrl", true);
    Harness.Key(in_virtualKey);
    PlatformTest::InjectKey(Harness.Window(), "Left Ctrl", false);
  }

  std::string FileBytes(const std::filesystem::path& in_relative) const {
    return ::FileBytes(Harness.WorkDir() / in_relative);
  }
};
