#include "opponent/TGreedyPlayer.h"

#include <gtest/gtest.h>

#include <random>

#include "support/BoardText.h"

namespace {

const TViewSpan kWide{50, 50};

}  // namespace

TEST(TGreedyPlayer, StrikesTheEnemyQueenWheneverItCanWithTheNearestStack) {
  const TBoard board = BoardFromText({
      "A.....b",
      "Q.#..#q",
      "..B...b",
  });
  TGreedyPlayer greedy(1);
  const TOrder order = greedy.Choose(board, kWide);
  EXPECT_FALSE(order.Pass);
  EXPECT_EQ(order.From, (TCellPos{2, 2}));
  EXPECT_EQ(order.To, (TCellPos{6, 1}));
  // Out of view, the queen cannot be pointed at: the greedy player goes for what it can reach.
  const TOrder near = greedy.Choose(board, TViewSpan{3, 3});
  EXPECT_TRUE(near.Pass || !(near.To == TCellPos{6, 1}));
}

TEST(TGreedyPlayer, TakesItsQueenOutOfReachWhenItCan) {
  // Walks have no limit, so out of reach means out of view of every enemy:
  // with three columns shown at once, the queen steps back from the enemy.
  const TBoard board = BoardFromText({
      ".......",
      "...Q..a",
      ".......",
  });
  const TViewSpan span{3, 3};
  ASSERT_TRUE(TGreedyPlayer::QueenInReach(board, 0, span));
  EXPECT_FALSE(TGreedyPlayer::QueenInReach(board, 0, TViewSpan{2, 2}));
  TGreedyPlayer greedy(7);
  const TOrder order = greedy.Choose(board, span);
  ASSERT_FALSE(order.Pass);
  EXPECT_EQ(order.From, (TCellPos{3, 1}));
  TBoard after = board;
  after.SetStack(order.To, board.Stack(order.From));
  after.SetStack(order.From, std::nullopt);
  EXPECT_FALSE(TGreedyPlayer::QueenInReach(after, 0, span)) << CellText(order.To);
  // A wall of trees keeps her out of reach too.
  EXPECT_FALSE(TGreedyPlayer::QueenInReach(BoardFromText({"##....", "Q#...a", "##...."}), 0, TViewSpan{9, 9}));
}

TEST(TGreedyPlayer, StrikesTheWeakestEnemyInReachAndKeepsItsQueenCovered) {
  TBoard board = BoardFromText({
      "#Q#.....",
      "#A#..b..",
      ".....c..",
  });
  board.SetStack({5, 1}, TStackView{1, 0, 9, 3});  // 29 lives in all
  board.SetStack({5, 2}, TStackView{1, 0, 4, 2});  // 14
  TGreedyPlayer greedy(3);
  // The one stack that covers the queen stays: the greedy player passes
  // rather than open the way to her.
  ASSERT_FALSE(TGreedyPlayer::QueenInReach(board, 0, kWide));
  EXPECT_TRUE(greedy.Choose(board, kWide).Pass);
  board.SetStack({7, 0}, TStackView{0, 0, 10, 1});
  const TOrder order = greedy.Choose(board, kWide);
  EXPECT_FALSE(order.Pass);
  EXPECT_EQ(order.From, (TCellPos{7, 0}));
  EXPECT_EQ(order.To, (TCellPos{5, 2}));
}

TEST(TGreedyPlayer, ASeedDecidesItsPlay) {
  std::mt19937 random(11);
  for (int i = 0; i < 40; ++i) {
    const TBoard board = RandomBoard(random, 12, 9);
    TGreedyPlayer first(99);
    TGreedyPlayer second(99);
    EXPECT_EQ(first.Choose(board, TViewSpan{9, 12}), second.Choose(board, TViewSpan{9, 12}));
  }
}
