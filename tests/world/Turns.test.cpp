#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Win32.h"
#include "screens/TFinishDesktop.h"
#include "shell/TTimer.h"
#include "toolkit/TWinBox.h"
#include "toolkit/WindowTree.h"
#include "world/CellInfo.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

class TurnsTest : public TMapPlayTest {
 protected:
  // Every live window of the type.
  template <typename T>
  static std::vector<T*> LiveOf() {
    std::vector<T*> found;
    for (TWindow* window : LiveWindows)
      if (auto* typed = dynamic_cast<T*>(window)) found.push_back(typed);
    return found;
  }
};

}  // namespace

TEST_F(TurnsTest, DestroyingPlayerOnesQueenShowsTheFinishScreenWithPlayerZerosName) {
  WinnerText.clear();
  TMap* map = Show(GridMapText(0, 3, 2,
                               {{0, 0, "<[0 0]NU0[0 10 1 0 3]>"},
                                {1, 0, "<[0 0]NU1[8 2 1 0 3]>"},
                                {2, 1, "<[0 0]NU0[3 10 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* queen = StackAt(1, 0);
  Click(0, 0);
  Hover(1, 0);
  SeedForDamage(9);
  Click(1, 0);
  Harness.Tick();
  EXPECT_EQ(queen->CurrentAnimation, queen->Animation(kOver));
  EXPECT_TRUE(WinnerText.empty()) << "the game ends when the dying animation does";
  // Keep another animation running across the end of the game.
  StackAt(2, 1)->Animating = true;
  Harness.Tick(static_cast<int>(queen->Animation(kOver)->Rows) - 1);
  EXPECT_EQ(StackAt(1, 0), nullptr);
  EXPECT_TRUE(Players[1].Units.empty());
  EXPECT_EQ(WinnerText, L"Выйграл Игрок:\nRed Baron");
  EXPECT_TRUE(ScreenRequestPending);
  EXPECT_EQ(RequestedScreen, 2);
  Harness.Tick();
  EXPECT_NE(dynamic_cast<TFinishDesktop*>(RootWindow), nullptr);
  ASSERT_EQ(LiveOf<TWinBox>().size(), 1u);
  EXPECT_EQ(LiveOf<TWinBox>().front()->Text, L"Выйграл Игрок:\nRed Baron");
}

TEST_F(TurnsTest, AQueenLoadedWithoutLivesLosesAtOnceAndOnlyQueensDecide) {
  // Player 0's queen without lives: player 1 wins on the first frame.
  WinnerText.clear();
  Show(GridMapText(0, 2, 1, {{0, 0, "<[0 0]NU0[8 0 1 0 3]>"}, {1, 0, "<[0 0]NU1[8 5 1 0 3]>"}}));
  EXPECT_EQ(WinnerText, L"Выйграл Игрок:\nBlue Duke");
  Harness.Tick();
  EXPECT_NE(dynamic_cast<TFinishDesktop*>(RootWindow), nullptr);

  // Player 1's last stack, not a queen, goes without ending the game.
  WinnerText.clear();
  TMap* map = Show(GridMapText(0, 2, 1, {{0, 0, "<[0 0]NU1[7 0 1 0 3]>"}, {1, 0, "<[0 0]NU0[8 5 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  EXPECT_TRUE(Players[1].Units.empty());
  EXPECT_TRUE(WinnerText.empty());
  Harness.Tick();
  EXPECT_EQ(Map(), map);
}

TEST_F(TurnsTest, TheTurnCounterChoosesWhoMayGiveAnOrder) {
  const auto selectable = [&](int turn, int player) {
    TMap* map = Show(GridMapText(turn, 2, 1, {{0, 0, "<[0 0]NU0[0 5 1 0 3]>"}, {1, 0, "<[0 0]NU1[0 5 1 0 3]>"}}));
    if (!map) return false;
    Click(player, 0);
    return map->HasSelection;
  };
  EXPECT_TRUE(selectable(0, 0));
  EXPECT_FALSE(selectable(0, 1));
  EXPECT_TRUE(selectable(1, 1));
  EXPECT_FALSE(selectable(1, 0));
  EXPECT_TRUE(selectable(7, 1));
  EXPECT_FALSE(selectable(7, 0));
}

TEST_F(TurnsTest, SkippingTheTurnTwiceGivesItBackAndDropsTheSelection) {
  TMap* map = Show(GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[0 5 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  Click(0, 0);
  Hover(2, 0);
  ASSERT_TRUE(map->HasSelection);

  SkipTurn();
  EXPECT_EQ(TurnCounter, 1);
  ASSERT_EQ(LiveOf<TWinBox>().size(), 1u);
  EXPECT_EQ(LiveOf<TWinBox>().front()->Text, L"Играет Игрок:\nBlue Duke");
  SkipTurn();
  EXPECT_EQ(TurnCounter, 1) << "the box is modal";
  Harness.Key(VK_ESCAPE);
  Harness.Tick();
  SkipTurn();
  EXPECT_EQ(TurnCounter, 2);
  ASSERT_EQ(LiveOf<TWinBox>().size(), 1u);
  EXPECT_EQ(LiveOf<TWinBox>().front()->Text, L"Играет Игрок:\nRed Baron");
  Harness.Key(VK_ESCAPE);
  Harness.Tick();

  // The selection made before went with the first pass.
  EXPECT_FALSE(map->HasSelection);
  EXPECT_TRUE(map->Route.empty());
}

TEST_F(TurnsTest, ASelectionLeftWhenTheTurnIsSkippedCannotActForTheNextPlayer) {
  // Player 1 to move; player 0's knight at (0, 0), player 1's thief at (2, 0).
  TMap* map = Show(GridMapText(1, 3, 2, {{0, 0, "<[0 0]NU0[0 10 2 0 3]>"}, {2, 0, "<[0 0]NU1[2 10 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 0);
  TUnit* thief = StackAt(2, 0);
  // A free cell on the route and a free cell off it look alike but for the mark.
  const auto markShown = [&] {
    Harness.Tick();
    return Harness.ScreenPixel(64 + 32, 24) != Harness.ScreenPixel(64 + 32, 48 + 24);
  };
  ASSERT_FALSE(markShown());
  Click(2, 0);
  Hover(0, 0);
  ASSERT_EQ(Marked(), (std::vector<TMap::TGridPosition>{{0, 0}, {1, 0}, {2, 0}}));
  ASSERT_TRUE(markShown());

  SkipTurn();
  EXPECT_EQ(TurnCounter, 2);
  EXPECT_FALSE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, nullptr);
  EXPECT_TRUE(map->Route.empty());
  EXPECT_TRUE(Marked().empty());
  ASSERT_NE(InfoTextTarget, nullptr);
  EXPECT_TRUE(InfoTextTarget->empty()) << "no information text, unlike a right click";
  Harness.Key(VK_ESCAPE);
  EXPECT_FALSE(markShown());

  // Player 0's first click selects their own stack; the thief stays put.
  Click(0, 0);
  EXPECT_FALSE(map->Moving);
  EXPECT_TRUE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, Window(0, 0));
  Harness.Tick(3);
  EXPECT_EQ(StackAt(2, 0), thief);
  EXPECT_EQ(StackAt(0, 0), knight);
  EXPECT_EQ(knight->Lives, 10);
  EXPECT_EQ(TurnCounter, 2);
}

TEST_F(TurnsTest, SkippingTheTurnDuringAWalkDoesNothingAndTheWalkPassesItOnce) {
  TMap* map = Show(GridMapText(0, 6, 2, {{0, 0, "<[0 0]NU0[0 10 2 0 3]>"}, {5, 1, "<[0 0]NU1[2 10 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 0);
  Click(0, 0);
  Hover(4, 0);
  ASSERT_EQ(map->Route.size(), 5u);
  Click(4, 0);
  Harness.Tick();
  ASSERT_TRUE(map->Moving);
  ASSERT_EQ(StackAt(1, 0), knight);

  SkipTurn();
  EXPECT_EQ(TurnCounter, 0);
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
  EXPECT_EQ(InputRoot, RootWindow);
  EXPECT_EQ(map->Route.size(), 4u) << "the walk goes on";

  Harness.Tick(5 * static_cast<int>(knight->Animation(kRunning)->Rows) + 2);
  EXPECT_EQ(StackAt(4, 0), knight);
  EXPECT_FALSE(map->Moving);
  EXPECT_EQ(TurnCounter, 1);
  // Player 1 gets their turn.
  Click(5, 1);
  EXPECT_TRUE(map->HasSelection);
}
