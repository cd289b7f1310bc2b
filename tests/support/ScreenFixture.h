#pragma once
// Shared ground for the screen tests of the game and the editor: the headless
// program started with a client area of a given size, and helpers that find
// windows and click them as a player would, through real mouse and key messages
// (the window queries themselves are headless/WindowQuery.h, shared with the
// autoplay).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Win32.h"
#include "screens/TNewGameMenu.h"
#include "shell/TGame.h"
#include "shell/TTimer.h"
#include "headless/GameHarness.h"
#include "headless/WindowQuery.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/TWindow.h"
#include "toolkit/TWindowBuffer.h"
#include "toolkit/WindowTree.h"

// A window's x, y, width and height, comparable in assertions.
using TWindowPlace = std::array<int32_t, 4>;
inline TWindowPlace Place(const TWindow* window) {
  return TWindowPlace{window->X, window->Y, window->Width, window->Height};
}

class ScreenTest : public ::testing::Test {
 protected:
  // Starts the game and runs the first frame, which builds the menu screen.
  void StartGame() {
    Harness.Start();
    SetClientSize(800, 600);
    Harness.Tick();
  }

  // The same for another program's application object, at the client size given.
  void StartApplication(std::unique_ptr<TGame> in_application, int in_width, int in_height) {
    Harness.Start(std::move(in_application));
    SetClientSize(in_width, in_height);
    Harness.Tick();
  }

  void SetClientSize(int width, int height) { Harness.SetClientSize(width, height); }

  // Writes a file into the working directory, creating its folders.
  void WriteFile(const std::filesystem::path& relative, const std::string& bytes = "0\r\n") {
    const std::filesystem::path path = Harness.WorkDir() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }

  // Copies a sample map into the working directory.
  void CopySampleMap(const std::string& name) {
    std::filesystem::copy_file(std::filesystem::path(KRAMBOL_MAPS_DIR) / name, Harness.WorkDir() / name);
  }

  // The rows of the one open map list, in order; empty (and a failure) without one.
  static std::vector<std::wstring> MapListRows() {
    std::vector<std::wstring> rows;
    const auto lists = LiveOf<TNewGameMenu>();
    if (lists.size() != 1) {
      ADD_FAILURE() << lists.size() << " map lists open";
      return rows;
    }
    return RowsOf(lists.front()->List);
  }

  // The one open box with this title; null (and a failure) when there is not exactly one.
  template <typename T = TWinBox>
  static T* OpenBox(const std::wstring& title) {
    std::vector<T*> found;
    for (T* box : LiveOf<T>()) {
      if (box->Title == title) found.push_back(box);
    }
    if (found.size() == 1) return found.front();
    ADD_FAILURE() << found.size() << " boxes with that title";
    return nullptr;
  }

  // The child button of the window with this caption; fails the test when there is none.
  static TWinButton* ButtonOf(const TWindow* window, const std::wstring& text) {
    TWinButton* button = ::ButtonOf(window, text);
    if (!button) ADD_FAILURE() << "no such button";
    return button;
  }

  // The captions and ids of the window's buttons, in order of creation.
  static std::vector<std::pair<std::wstring, int32_t>> ButtonsOf(const TWindow* window) {
    std::vector<std::pair<std::wstring, int32_t>> buttons;
    for (TWindow* child : window->Children) {
      if (auto* button = dynamic_cast<TWinButton*>(child)) buttons.emplace_back(button->Text, button->Id);
    }
    return buttons;
  }

  // The screen point of a point in a window's drawing coordinates: only
  // buffers start a coordinate space of their own.
  static TPoint OnScreen(const TWindow* window, int32_t x, int32_t y) { return ScreenPointOf(window, x, y); }

  // What the screen shows of a rectangle in screen coordinates.
  std::vector<uint32_t> PixelsIn(const TRect& area) const {
    return Harness.ScreenArea(area.x, area.y, area.width, area.height);
  }

  // A left click in the middle of the window.
  void Click(const TWindow* window) {
    ASSERT_NE(window, nullptr);
    const TPoint p = MiddleOf(window);
    Harness.LeftClick(p.x, p.y);
  }

  // Clicks the button with this caption in the window.
  void ClickButton(const TWindow* window, const std::wstring& text) { Click(ButtonOf(window, text)); }

  // Picks the row of the open map list and presses "Загрузить".
  void LoadRow(const std::wstring& path) {
    const auto lists = LiveOf<TNewGameMenu>();
    ASSERT_EQ(lists.size(), 1u);
    for (size_t i = 1; i < lists.front()->List->Children.size(); ++i) {
      auto* row = static_cast<TWinTextList*>(lists.front()->List->Children[i]);
      if (row->Text == path) Click(row);
    }
    ClickButton(lists.front(), L"Загрузить");
  }

  TGameHarness Harness;
};
