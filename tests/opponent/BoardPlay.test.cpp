#include "opponent/BoardPlay.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/BoardText.h"

namespace {

// Dice that come up with the given numbers, in turn.
struct TDice {
  std::vector<int32_t> Rolls;
  size_t Next = 0;
  int32_t operator()() { return Rolls.at(Next++); }
};

}  // namespace

TEST(BoardPlay, AnOrderWalksTheGamesRouteStrikesFromTheCellBeforeTheTargetAndPassesTheTurn) {
  TBoard board = BoardFromText({
      "A.#.",
      "..#b",
      "....",
  });
  board.SetStack({3, 1}, TStackView{1, 0, 6, 2});
  TDice dice{{17, 23}};  // 7 fells the top creature; the next one takes the top with 3 + 5
  EXPECT_EQ(PlayOrder(board, TOrder::Move({0, 0}, {3, 1}), std::ref(dice)), -1);
  EXPECT_EQ(board.Turn, 1);
  EXPECT_FALSE(board.Stack({0, 0}));
  ASSERT_TRUE(board.Stack({2, 2})) << "round the trees, the walk stops beside the target";
  EXPECT_EQ(board.Stack({3, 1}), (TStackView{1, 0, 8, 1}));

  // The other side's queen falls to a strike that takes more than her lives.
  board.SetStack({3, 1}, TStackView{1, kQueenType, 4, 1});
  board.Turn = 0;
  TDice fatal{{9}};
  EXPECT_EQ(PlayOrder(board, TOrder::Move({2, 2}, {3, 1}), std::ref(fatal)), 1);
  EXPECT_FALSE(board.Stack({3, 1}));

  // An order that is not legal (not the mover's stack) only passes the turn, as a pass does.
  const TBoard before = board;
  TDice none{{}};
  EXPECT_EQ(PlayOrder(board, TOrder::Move({2, 2}, {0, 0}), std::ref(none)), -1);
  EXPECT_EQ(board.Turn, before.Turn + 1);
  EXPECT_TRUE(board.Differences(before).empty());
  EXPECT_EQ(PlayOrder(board, TOrder{}, std::ref(none)), -1);
  EXPECT_EQ(board.Turn, before.Turn + 2);
}
