// The orders the network game sends, as the watch reads them off the game
// screen played with real mouse messages: a walk, a pass, a walk stopped by
// a right press with the cell it stopped on, an order without a route, and a
// strike told only once its dying stack is gone.
#include <gtest/gtest.h>

#include "net/TOrderWatch.h"
#include "support/WorldTestSupport.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

class OrderWatchTest : public TMapPlayTest {
 protected:
  // Ticks until the watch tells an order, 600 frames at most.
  bool Await(int32_t& out_turn, NNet::TNetOrder& out_order) {
    for (int i = 0; i < 600; ++i) {
      Harness.Tick();
      Watch.AfterTick(Map());
      if (Watch.Take(Map(), out_turn, out_order)) return true;
    }
    return false;
  }

  void Pressed(const std::function<void()>& in_press) {
    Watch.BeforeInput(Map());
    in_press();
    Watch.AfterInput(Map());
  }

  NNet::TOrderWatch Watch;
};

TEST_F(OrderWatchTest, WalksPassesStopsAndOrdersWithoutARouteAreToldOnceEach) {
  TMap* map = Show(GridMapText(0, 9, 2, {{0, 0, "<[0 0]NU0[0 10 1 0 9]>"}, {8, 1, "<[0 0]NU1[0 10 1 0 9]>"},
                                            {7, 1, "<[0 0]P(2 5)N>"}}));
  ASSERT_NE(map, nullptr);
  int32_t turn = -1;
  NNet::TNetOrder order;
  Watch.AfterTick(map);
  EXPECT_FALSE(Watch.Take(map, turn, order));

  // A walk of player 0 along its route.
  Pressed([&] { Click(0, 0); });
  Hover(3, 0);
  ASSERT_FALSE(map->Route.empty());
  Pressed([&] { Click(3, 0); });
  ASSERT_TRUE(Await(turn, order));
  EXPECT_EQ(turn, 0);
  EXPECT_EQ(order.Kind, NNet::TOrderKind::Move);
  EXPECT_EQ(order.From, (NNet::TCellRef{0, 0}));
  EXPECT_EQ(order.To, (NNet::TCellRef{3, 0}));
  EXPECT_FALSE(order.Stopped);
  EXPECT_NE(StackAt(3, 0), nullptr);
  EXPECT_FALSE(Watch.Take(map, turn, order)) << "told once";

  // Player 1 passes; the box that names the next player is closed.
  Pressed([&] { SkipTurn(); });
  Harness.Key(VK_ESCAPE);
  ASSERT_TRUE(Await(turn, order));
  EXPECT_EQ(turn, 1);
  EXPECT_EQ(order, NNet::TNetOrder{});

  // Player 0 walks back and is stopped on the way by a right press.
  Pressed([&] { Click(3, 0); });
  ASSERT_TRUE(map->HasSelection);
  Hover(0, 0);
  ASSERT_EQ(map->Route.size(), 4u);
  Pressed([&] { Click(0, 0); });
  ASSERT_TRUE(map->Moving);
  for (int i = 0; i < 200 && map->Route.size() > 2; ++i) Harness.Tick();
  ASSERT_EQ(map->Route.size(), 2u);
  const NNet::TCellRef stoppedOn{map->Route.front().first, map->Route.front().second};
  Pressed([&] { RightClick(7, 1); });
  ASSERT_TRUE(Await(turn, order));
  EXPECT_EQ(turn, 2);
  EXPECT_EQ(order.Kind, NNet::TOrderKind::Move);
  EXPECT_EQ(order.To, (NNet::TCellRef{0, 0}));
  EXPECT_TRUE(order.Stopped);
  EXPECT_EQ(order.StopCell, stoppedOn);
  EXPECT_NE(StackAt(stoppedOn.Column, stoppedOn.Row), nullptr);
  EXPECT_EQ(StackAt(0, 0), nullptr);

  // Player 1 selects its stack and clicks a tree, which no route leads to:
  // the turn passes with the stack selected.
  Pressed([&] { Click(8, 1); });
  ASSERT_TRUE(map->HasSelection);
  Pressed([&] { Click(7, 1); });
  ASSERT_TRUE(map->Route.empty());
  ASSERT_TRUE(Await(turn, order));
  EXPECT_EQ(turn, 3);
  EXPECT_EQ(order.Kind, NNet::TOrderKind::NoRoute);
  EXPECT_EQ(order.From, (NNet::TCellRef{8, 1}));
  EXPECT_EQ(TurnCounter, 4);
}

TEST_F(OrderWatchTest, AStrikeIsToldOnceTheStackItKilledIsGone) {
  TMap* map = Show(GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[0 10 1 0 9]>"}, {2, 0, "<[0 0]NU1[0 1 1 0 9]>"}}));
  ASSERT_NE(map, nullptr);
  SeedForDamage(9);
  Pressed([&] { Click(0, 0); });
  Hover(2, 0);
  ASSERT_FALSE(map->Route.empty());
  Pressed([&] { Click(2, 0); });
  int32_t turn = -1;
  NNet::TNetOrder order;
  ASSERT_TRUE(Await(turn, order));
  EXPECT_EQ(order.Kind, NNet::TOrderKind::Move);
  EXPECT_EQ(order.To, (NNet::TCellRef{2, 0}));
  // The digest taken now sees the board as it stays.
  EXPECT_EQ(StackAt(2, 0), nullptr);
  EXPECT_FALSE(map->Moving);
}

TEST_F(OrderWatchTest, AnOrderStillRunningIsToldAtOnceWhenAskedForNow) {
  // As when a won game leaves the screen in the middle of the last order.
  TMap* map = Show(GridMapText(0, 5, 1, {{0, 0, "<[0 0]NU0[0 10 1 0 9]>"}}));
  ASSERT_NE(map, nullptr);
  int32_t turn = -1;
  NNet::TNetOrder order;
  EXPECT_FALSE(Watch.TakeNow(map, turn, order)) << "nothing was given";
  Pressed([&] { Click(0, 0); });
  Hover(4, 0);
  Pressed([&] { Click(4, 0); });
  Harness.Tick();
  Watch.AfterTick(map);
  ASSERT_TRUE(map->Moving);
  EXPECT_FALSE(Watch.Take(map, turn, order)) << "the walk goes on";
  ASSERT_TRUE(Watch.TakeNow(map, turn, order));
  EXPECT_EQ(turn, 0);
  EXPECT_EQ(order.Kind, NNet::TOrderKind::Move);
  EXPECT_EQ(order.To, (NNet::TCellRef{4, 0}));
  EXPECT_FALSE(Await(turn, order)) << "told once, even when the walk ends";
}
