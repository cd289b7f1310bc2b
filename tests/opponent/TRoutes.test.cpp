#include "opponent/TRoutes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/BoardText.h"
#include "algo/TDijkstra.h"
#include "algo/TTestGrid.h"

namespace {

const double kRoot2 = std::sqrt(2.0);

}  // namespace

TEST(TRoutes, ShortestLengthsGoAroundTreesAndStacksAndEndOnEnemies) {
  const TBoard board = BoardFromText({
      "A.#..",
      "..#.b",
      "..#..",
      ".....",
  });
  const TRoutes routes(board, {0, 0});
  EXPECT_DOUBLE_EQ(routes.DistanceTo({1, 1}), kRoot2);
  // Around the wall of trees: down to row 3, across, and up.
  EXPECT_NEAR(routes.DistanceTo({3, 0}), 3 * kRoot2 + 3, 1e-9);
  // The enemy is reached from a free neighbour, (3, 2); its own cell is the last step.
  EXPECT_NEAR(routes.DistanceTo({4, 1}), 4 * kRoot2 + 1, 1e-9);
  EXPECT_EQ(routes.DistanceTo({0, 0}), TRoutes::kNone);

  const TBoard walled = BoardFromText({
      "A#.",
      "##.",
      "..b",
  });
  EXPECT_EQ(TRoutes(walled, {0, 0}).DistanceTo({2, 2}), TRoutes::kNone);
  EXPECT_FALSE(IsLegalTarget(walled, {0, 0}, {2, 0}));
  // A diagonal step needs nothing of the cells beside it.
  EXPECT_TRUE(IsLegalTarget(BoardFromText({"A#", "#."}), {0, 0}, {1, 1}));
}

TEST(TRoutes, LegalTargetsAreFreeCellsAndEnemyStacksOfAStackWithLives) {
  TBoard board = BoardFromText({
      "AB.",
      "#.a",
  });
  EXPECT_TRUE(IsLegalTarget(board, {0, 0}, {2, 0}));
  EXPECT_TRUE(IsLegalTarget(board, {0, 0}, {2, 1}));   // the enemy
  EXPECT_FALSE(IsLegalTarget(board, {0, 0}, {1, 0}));  // an own stack
  EXPECT_FALSE(IsLegalTarget(board, {0, 0}, {0, 1}));  // a tree
  EXPECT_FALSE(IsLegalTarget(board, {0, 0}, {0, 0}));  // its own cell
  EXPECT_FALSE(IsLegalTarget(board, {1, 1}, {2, 0}));  // no stack to move
  board.SetStack({0, 0}, TStackView{0, 0, 0, 1});       // dying: no more orders
  EXPECT_FALSE(IsLegalTarget(board, {0, 0}, {2, 0}));
}

TEST(TRoutes, RouteFaultNamesTheOneRuleEachBadRouteBreaks) {
  TBoard board = BoardFromText({
      "A..a",
      ".#B.",
      "....",
  });
  board.SetStack({0, 2}, TStackView{0, 0, 0, 1});  // dying
  using TRoute = std::vector<TCellPos>;
  EXPECT_EQ(RouteFault(board, TRoute{{0, 0}, {1, 0}, {2, 0}, {3, 0}}), std::nullopt);
  EXPECT_EQ(RouteFault(board, TRoute{{0, 0}, {0, 1}, {1, 2}}), std::nullopt);

  const auto faultOf = [&](const TRoute& route, int32_t turn = 0) {
    TBoard at = board;
    at.Turn = turn;
    const auto fault = RouteFault(at, route);
    return fault ? *fault : std::string("legal");
  };
  EXPECT_EQ(faultOf({{0, 0}}), "the route has 1 cells");
  EXPECT_EQ(faultOf({{0, 0}, {-1, 0}, {0, 1}}), "the route leaves the map at (-1, 0)");
  EXPECT_EQ(faultOf({{1, 0}, {2, 0}}), "no stack stands at the start (1, 0)");
  EXPECT_EQ(faultOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 1), "the stack at (0, 0) belongs to the player not to move");
  EXPECT_EQ(faultOf({{3, 0}, {2, 0}}), "the stack at (3, 0) belongs to the player not to move");
  EXPECT_EQ(faultOf({{0, 2}, {1, 2}}), "the stack at (0, 2) has no lives left");
  EXPECT_EQ(faultOf({{0, 0}, {1, 0}, {2, 1}}), "the target (2, 1) is neither free nor an enemy stack");
  EXPECT_EQ(faultOf({{0, 0}, {1, 1}}), "the target (1, 1) is neither free nor an enemy stack");
  EXPECT_EQ(faultOf({{0, 0}, {2, 0}, {3, 0}}), "the step from (0, 0) to (2, 0) is not to a neighbour");
  EXPECT_EQ(faultOf({{0, 0}, {0, 0}, {1, 0}}), "the step from (0, 0) to (0, 0) is not to a neighbour");
  EXPECT_EQ(faultOf({{0, 0}, {1, 0}, {2, 1}, {3, 0}}), "the route passes the occupied cell (2, 1)");
  EXPECT_EQ(faultOf({{0, 0}, {1, 1}, {2, 2}}), "the route passes the occupied cell (1, 1)");
  EXPECT_EQ(faultOf({{0, 0}, {0, 1}, {1, 2}, {2, 2}, {3, 1}, {3, 0}}),
            "the route is 5.828427 long where the shortest is 3.000000");
}

TEST(TRoutes, LengthsAgreeWithTheGamesRouteSearchOnRandomBoards) {
  // The checker's own search and the game's, on the same boards: the same
  // cells are reachable, the lengths agree, and every route the game finds
  // is one the checker accepts.
  std::mt19937 random(2718);
  int64_t compared = 0, unreachable = 0;
  for (int i = 0; i < 150; ++i) {
    const int32_t columns = 2 + static_cast<int32_t>(random() % 14);
    const int32_t rows = 2 + static_cast<int32_t>(random() % 11);
    const uint32_t density = 1 + random() % 5;  // in tenths: trees and stacks
    TBoard board(columns, rows);
    board.Turn = static_cast<int32_t>(random() % 2);
    for (int32_t r = 0; r < rows; ++r)
      for (int32_t c = 0; c < columns; ++c) {
        const uint32_t roll = random() % 10;
        if (roll >= density) continue;
        if (random() % 2) {
          board.SetTree({c, r}, true);
        } else {
          board.SetStack({c, r}, TStackView{static_cast<int32_t>(random() % 2), 0, 5, 1});
        }
      }
    TTestGrid grid(columns, rows);
    for (int32_t r = 0; r < rows; ++r)
      for (int32_t c = 0; c < columns; ++c) grid.At(c, r).Passable = board.Free({c, r});
    NAlgo::TDijkstra search;
    search.Build(grid.Cells(), columns, rows);
    for (const TCellPos from : board.StacksOf(board.ToMove())) {
      const TRoutes routes(board, from);
      for (int32_t r = 0; r < rows; ++r)
        for (int32_t c = 0; c < columns; ++c) {
          const TCellPos to{c, r};
          if (to == from || (!board.Free(to) && !board.EnemyOf(board.ToMove(), to))) continue;
          std::vector<NAlgo::TDijkstra::TPosition> found;
          bool reached = true;
          try {
            search.SearchBetween({from.Column, from.Row}, {c, r}, found);
          } catch (int) {
            reached = false;
          }
          const double distance = routes.DistanceTo(to);
          ASSERT_EQ(reached, distance != TRoutes::kNone) << CellText(from) << " to " << CellText(to) << " on board " << i;
          EXPECT_EQ(IsLegalTarget(board, from, to), reached) << CellText(from) << " to " << CellText(to);
          if (!reached) {
            ++unreachable;
            continue;
          }
          std::vector<TCellPos> route;
          double length = 0.0;
          for (const auto& [column, row] : found) {
            if (!route.empty()) length += (route.back().Column != column && route.back().Row != row) ? kRoot2 : 1.0;
            route.push_back({column, row});
          }
          EXPECT_NEAR(length, distance, 1e-3) << CellText(from) << " to " << CellText(to) << " on board " << i;
          EXPECT_EQ(RouteFault(board, route), std::nullopt) << CellText(from) << " to " << CellText(to);
          ++compared;
        }
    }
  }
  EXPECT_GT(compared, 5000);
  EXPECT_GT(unreachable, 200);
}
