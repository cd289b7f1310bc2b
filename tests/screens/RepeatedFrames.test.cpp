// The drawing layer's skipping of repeated frames, seen from the game: a
// played sequence of screens gives the very same picture in every frame with
// the skipping and without it. The sequence: the menu screen, the map list
// opened and scrolled, a map loaded, a route shown, a walk, a strike with its
// animations, the map dragged, the in-game main menu and the save menu opened,
// a name typed into its edit field, and the menus closed again.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "headless/GameHarness.h"
#include "headless/WindowQuery.h"
#include "platform/PlatformTest.h"
#include "screens/TGameMainMenu.h"
#include "screens/TGameMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "screens/TSaveMenu.h"
#include "shell/RandomNumber.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "world/TMap.h"
#include "world/TWinCell.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Player 0's swordsmen walk, then player 1's ninjas strike them; both queens
// stay far away.
std::string BattleText() {
  std::string text = GridMapText(0, 14, 12,
                                 {{1, 1, "<[0 0]NU0[0 40 3 4 2.5]>"},
                                  {6, 1, "<[1 0]NU1[1 40 3 4 2.5]>"},
                                  {3, 3, "<[2 1]P(2 3)N>"},
                                  {0, 10, "<[0 0]NU0[8 10 1 4 2.5]>"},
                                  {13, 10, "<[0 0]NU1[8 10 1 4 2.5]>"}});
  return text;
}

// FNV-1a over every pixel of the screen.
uint64_t ScreenHash(const TGameHarness& in_harness) {
  uint64_t hash = 14695981039346656037ull;
  for (const uint32_t pixel : in_harness.ScreenArea(0, 0, kWidth, kHeight)) {
    hash ^= pixel;
    hash *= 1099511628211ull;
  }
  return hash;
}

class TScenario {
 public:
  explicit TScenario(TGameHarness& io_harness) : Harness_(io_harness) {}

  void Frames(int in_count) {
    for (int i = 0; i < in_count; ++i) {
      Harness_.Tick();
      Seen.push_back(ScreenHash(Harness_));
    }
  }
  void Click(const TWindow* in_window) {
    ASSERT_NE(in_window, nullptr);
    const TPoint p = MiddleOf(in_window);
    Harness_.LeftClick(p.x, p.y);
  }
  TPoint CellPoint(const TMap& in_map, int in_column, int in_row) const {
    const TWinCell* cell = in_map.CellWindow(in_column, in_row);
    return OnScreen(&in_map, cell->X + TWinCell::kWidth / 2, cell->Y + TWinCell::kHeight / 2);
  }
  // Selects the stack, shows the route to the target for a few frames, gives
  // the order and runs frames until it is over.
  void Order(TMap& io_map, int in_fromColumn, int in_fromRow, int in_toColumn, int in_toRow) {
    const TPoint from = CellPoint(io_map, in_fromColumn, in_fromRow);
    const TPoint to = CellPoint(io_map, in_toColumn, in_toRow);
    Harness_.LeftClick(from.x, from.y);
    Frames(2);
    Harness_.MouseMove(to.x, to.y);
    Frames(3);
    Harness_.LeftClick(to.x, to.y);
    for (int i = 0; i < 400 && io_map.Moving; ++i) Frames(1);
    EXPECT_FALSE(io_map.Moving);
    Frames(20);
  }

  void Play() {
    Frames(3);
    Click(ButtonOf(OnlyLive<TMainMenu>(), L"Загрузить игру"));
    Frames(3);
    TNewGameMenu* list = OnlyLive<TNewGameMenu>();
    ASSERT_NE(list, nullptr);
    // The list scrolls with the wheel over it, and back.
    const TPoint middle = MiddleOf(list->List);
    Harness_.MouseMove(middle.x, middle.y);
    for (int step : {-120, -120, 120}) {
      Harness_.Wheel(step);
      Frames(2);
    }
    for (TWindow* child : list->List->Children) {
      auto* row = dynamic_cast<TWinTextList*>(child);
      if (row && row->Text == L"./battle.map") Click(row);
    }
    Frames(2);
    Click(ButtonOf(list, L"Загрузить"));
    Frames(5);
    TMap* map = OnlyLive<TMap>();
    ASSERT_NE(map, nullptr);
    Order(*map, 1, 1, 1, 6);   // a walk
    Order(*map, 6, 1, 1, 6);   // a walk and a strike
    // The map dragged with the right button, and back.
    const TPoint grip = CellPoint(*map, 5, 5);
    Harness_.RightDown(grip.x, grip.y);
    Harness_.MouseMove(grip.x - 70, grip.y - 30);
    Frames(2);
    Harness_.MouseMove(grip.x, grip.y);
    Harness_.RightUp(grip.x, grip.y);
    Frames(2);
    Click(ButtonOf(OnlyLive<TGameMenu>(), L"Главное меню."));
    Frames(3);
    Click(ButtonOf(OnlyLive<TGameMainMenu>(), L"Сохранить игру"));
    Frames(3);
    TSaveMenu* save = OnlyLive<TSaveMenu>();
    ASSERT_NE(save, nullptr);
    Click(save->Edit);
    Frames(2);
    for (wchar_t c : std::wstring(L"Bitva1")) {
      Harness_.Char(c);
      Frames(2);
    }
    Harness_.Key(VK_ESCAPE);
    Frames(3);
  }

  std::vector<uint64_t> Seen;

 private:
  TGameHarness& Harness_;
};

std::vector<uint64_t> PlayedFrames(bool in_skip) {
  TGameHarness harness;
  PlatformTest::SkipRepeatedDrawing(in_skip);
  std::ofstream(harness.WorkDir() / "battle.map", std::ios::binary) << BattleText();
  SeedRandomNumber(4242);
  harness.Start();
  harness.SetClientSize(kWidth, kHeight);
  TScenario scenario(harness);
  scenario.Play();
  PlatformTest::SkipRepeatedDrawing(true);
  return scenario.Seen;
}

TEST(RepeatedFrames, EveryFrameOfAGameShowsTheSameWithAndWithoutSkipping) {
  const std::vector<uint64_t> skipped = PlayedFrames(true);
  const std::vector<uint64_t> drawn = PlayedFrames(false);
  ASSERT_EQ(skipped.size(), drawn.size());
  ASSERT_GT(drawn.size(), 60u);
  size_t changes = 0;
  for (size_t i = 0; i < drawn.size(); ++i) {
    EXPECT_EQ(skipped[i], drawn[i]) << "frame " << i;
    if (i > 0 && drawn[i] != drawn[i - 1]) ++changes;
  }
  // The sequence moves: most steps change the picture.
  EXPECT_GT(changes, drawn.size() / 4);
}

}  // namespace
