#pragma once
// The versus program started headless with an 800 x 600 client area, and what
// its player does: choices on the start menu, a map chosen from the map list,
// clicks on the map's cells, frames run until the computer has played.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "screens/TGameMenu.h"
#include "support/ScreenFixture.h"
#include "toolkit/TWinCheckButton.h"
#include "opponent/TMapView.h"
#include "versus/TOrderHand.h"
#include "versus/TVersusApp.h"
#include "versus/TVersusMenu.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/WorldState.h"

class VersusTest : public ScreenTest {
 protected:
  void StartVersus() { StartApplication(std::make_unique<TVersusApp>(), 800, 600); }
  TVersusApp& App() { return static_cast<TVersusApp&>(Harness.Game()); }

  static TVersusMenu* StartMenu() { return OnlyLive<TVersusMenu>(); }
  static TGameMenu* SideMenu() { return OnlyLive<TGameMenu>(); }
  static TMap* Map() { return TOrderHand::GameMap(); }

  // Ticks the check button numbered in_option of a row of the start menu.
  void Choose(const TChoiceRow& in_row, int in_option) { Click(in_row.Buttons().at(static_cast<size_t>(in_option))); }

  // On the start menu: the computer's side and strength, then the map, which
  // is copied from the sample maps unless the working directory has it; the
  // game screen is built.
  void StartGameOn(const std::string& in_map, bool in_computerFirst, TStrength in_strength) {
    ASSERT_NE(StartMenu(), nullptr);
    Choose(StartMenu()->ComputerSide(), in_computerFirst ? 0 : 1);
    Choose(StartMenu()->Strength(), in_strength == TStrength::Easy ? 0 : 1);
    if (!std::filesystem::exists(Harness.WorkDir() / in_map)) CopySampleMap(in_map);
    ClickButton(StartMenu(), L"Выбрать карту");
    Harness.Tick();
    LoadRow(L"./" + std::wstring(in_map.begin(), in_map.end()));
    Harness.Tick();
    ASSERT_NE(Map(), nullptr);
  }

  // The middle of a cell on the screen as the map is scrolled now.
  TPoint CellPoint(int in_column, int in_row) {
    const auto point = TMapView(*Map()).PointOn({in_column, in_row});
    EXPECT_TRUE(point.has_value());
    return point.value_or(TPoint{0, 0});
  }
  void ClickCell(int in_column, int in_row) {
    const TPoint p = CellPoint(in_column, in_row);
    Harness.LeftClick(p.x, p.y);
  }
  void RightClickCell(int in_column, int in_row) {
    const TPoint p = CellPoint(in_column, in_row);
    Harness.RightDown(p.x, p.y);
    Harness.RightUp(p.x, p.y);
  }
  void HoverCell(int in_column, int in_row) {
    const TPoint p = CellPoint(in_column, in_row);
    Harness.MouseMove(p.x, p.y);
  }
  static const TUnit* StackAt(int in_column, int in_row) { return MapCells[in_column][in_row]->Unit; }

  // Runs frames until in_done holds, at most in_frames; whether it came.
  bool TickUntil(const std::function<bool()>& in_done, int in_frames = 2000) {
    for (int i = 0; i < in_frames; ++i) {
      if (in_done()) return true;
      Harness.Tick();
    }
    return in_done();
  }
};
