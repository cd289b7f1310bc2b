#pragma once
// The whole game run headless for the screen benchmarks, at a 1920 x 1080
// client area. Screens are reached as a player reaches them: mouse messages on
// the menus' buttons and on the map list's rows, frames delivered as WM_TIMER.
// Only one may exist at a time (the platform layer is process-wide).

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/Geometry.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "headless/GameHarness.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/WindowTree.h"
#include "world/TMap.h"
#include "world/TWinCell.h"

class TBenchGame {
 public:
  static constexpr int kWidth = 1920;
  static constexpr int kHeight = 1080;

  // Starts the game at 1920 x 1080 and runs the first frame (the menu screen).
  TBenchGame() {
    Harness.Start();
    Harness.SetClientSize(kWidth, kHeight);
    Harness.Tick();
  }

  // One frame: every window's Update, the desktop's Draw and the copy onto the window.
  void Frame() { Harness.Tick(); }

  // Writes a map file into the working directory.
  void PutMap(const std::string& in_name, const std::string& in_bytes) {
    std::ofstream(Harness.WorkDir() / in_name, std::ios::binary) << in_bytes;
  }
  // Copies one of the sample maps that ship with the game into the working directory.
  void CopySampleMap(const std::string& in_name) {
    std::filesystem::copy_file(std::filesystem::path(KRAMBOL_MAPS_DIR) / in_name, Harness.WorkDir() / in_name,
                               std::filesystem::copy_options::overwrite_existing);
  }

  // The first live window of the type, or null.
  template <class T>
  static T* Find() {
    for (TWindow* window : LiveWindows)
      if (auto* typed = dynamic_cast<T*>(window)) return typed;
    return nullptr;
  }

  // A left click in the middle of the window.
  void Click(const TWindow* in_window) {
    if (!in_window) return;
    const TPoint p =
        ScreenPointOf(in_window, in_window->X + in_window->Width / 2, in_window->Y + in_window->Height / 2);
    Harness.LeftClick(p.x, p.y);
  }
  void ClickButton(const TWindow* in_window, const std::wstring& in_caption) {
    if (!in_window) return;
    for (TWindow* child : in_window->Children) {
      auto* button = dynamic_cast<TWinButton*>(child);
      if (button && button->Text == in_caption) return Click(button);
    }
  }

  // From the menu screen: "Загрузить игру" opens the map list.
  TNewGameMenu* OpenMapList() {
    ClickButton(Find<TMainMenu>(), L"Загрузить игру");
    return Find<TNewGameMenu>();
  }
  // In the open map list: clicks the row of in_path, then "Загрузить", which
  // reads the map; the game screen is built by the next frame.
  void ChooseMap(TNewGameMenu* in_list, const std::wstring& in_path) {
    if (!in_list) return;
    for (size_t i = 1; i < in_list->List->Children.size(); ++i) {
      auto* row = static_cast<TWinTextList*>(in_list->List->Children[i]);
      if (row->Text == in_path) Click(row);
    }
    ClickButton(in_list, L"Загрузить");
  }
  // From the menu screen to the game screen on the map file in_name.
  void LoadMap(const std::string& in_name) {
    ChooseMap(OpenMapList(), L"./" + std::wstring(in_name.begin(), in_name.end()));
    Frame();
  }

  // The screen point of cell (in_column, in_row)'s centre on the map window.
  static TPoint CellCentre(const TMap& in_map, int32_t in_column, int32_t in_row) {
    const TWinCell* cell = in_map.CellWindow(in_column, in_row);
    if (!cell) return TPoint{-1, -1};
    return TPoint{in_map.X + cell->X + TWinCell::kWidth / 2, in_map.Y + cell->Y + TWinCell::kHeight / 2};
  }

  TGameHarness Harness;
};
