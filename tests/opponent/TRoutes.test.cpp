#include "opponent/TRoutes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/BoardText.h"

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

TEST(TRoutes, RouteFaultNamesEveryBrokenRuleAndPassesLegalRoutes) {
  const TBoard board = BoardFromText({
      "A..a",
      ".#B.",
      "....",
  });
  using TRoute = std::vector<TCellPos>;
  EXPECT_EQ(RouteFault(board, TRoute{{0, 0}, {1, 0}, {2, 0}, {3, 0}}), std::nullopt);
  EXPECT_EQ(RouteFault(board, TRoute{{0, 0}, {0, 1}, {0, 2}}), std::nullopt);

  const auto faultOf = [&](const TRoute& route, int32_t turn = 0) {
    TBoard at = board;
    at.Turn = turn;
    const auto fault = RouteFault(at, route);
    return fault ? *fault : std::string("legal");
  };
  EXPECT_NE(faultOf({{0, 0}}), "legal");                                  // one cell
  EXPECT_NE(faultOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}}, 1), "legal");       // not the mover's turn
  EXPECT_NE(faultOf({{3, 0}, {2, 0}}), "legal");                          // an enemy stack as the mover
  EXPECT_NE(faultOf({{1, 0}, {2, 0}}), "legal");                          // no stack at the start
  EXPECT_NE(faultOf({{0, 0}, {1, 0}, {2, 1}}), "legal");                  // onto an own stack
  EXPECT_NE(faultOf({{0, 0}, {1, 1}}), "legal");                          // onto a tree
  EXPECT_NE(faultOf({{0, 0}, {2, 0}, {3, 0}}), "legal");                  // a jump
  EXPECT_NE(faultOf({{0, 0}, {1, 0}, {2, 1}, {3, 0}}), "legal");          // through a stack
  EXPECT_NE(faultOf({{0, 0}, {0, 1}, {1, 2}, {2, 2}, {3, 1}, {3, 0}}), "legal");  // not the shortest
  EXPECT_NE(faultOf({{0, 0}, {-1, 0}, {0, 1}}), "legal");                 // off the map
}
