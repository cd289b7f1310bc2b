#include <gtest/gtest.h>

#include <map>
#include <random>

#include "BoardText.h"
#include "autoplay/TGreedyPolicy.h"
#include "autoplay/TRandomPolicy.h"
#include "autoplay/TRoutes.h"

namespace {

const TViewSpan kWide{50, 50};

// A board of the given size with trees and stacks of both sides at random.
TBoard RandomBoard(std::mt19937& random, int32_t columns, int32_t rows) {
  TBoard board(columns, rows);
  board.Turn = static_cast<int32_t>(random() % 2);
  for (int32_t r = 0; r < rows; ++r)
    for (int32_t c = 0; c < columns; ++c) {
      const uint32_t roll = random() % 10;
      if (roll == 0) board.SetTree({c, r}, true);
      if (roll == 1 || roll == 2)
        board.SetStack({c, r}, TStackView{static_cast<int32_t>(roll - 1), static_cast<int32_t>(random() % 10),
                                          static_cast<int32_t>(1 + random() % 12), 1});
    }
  return board;
}

}  // namespace

TEST(TGreedyPolicy, StrikesTheEnemyQueenWheneverItCanWithTheNearestStack) {
  const TBoard board = BoardFromText({
      "A.....b",
      "Q.#..#q",
      "..B...b",
  });
  TGreedyPolicy greedy(1);
  const TAction action = greedy.Choose(board, kWide);
  EXPECT_EQ(action.Kind, TActionKind::Order);
  EXPECT_EQ(action.From, (TCellPos{2, 2}));
  EXPECT_EQ(action.To, (TCellPos{6, 1}));
  // Out of view, the queen cannot be pointed at: the greedy player goes for what it can reach.
  const TAction near = greedy.Choose(board, TViewSpan{3, 3});
  EXPECT_TRUE(near.Kind != TActionKind::Order || !(near.To == TCellPos{6, 1}));
}

TEST(TGreedyPolicy, TakesItsQueenOutOfReachWhenItCan) {
  // Walks have no limit, so out of reach means out of view of every enemy:
  // with three columns shown at once, the queen steps back from the enemy.
  const TBoard board = BoardFromText({
      ".......",
      "...Q..a",
      ".......",
  });
  const TViewSpan span{3, 3};
  ASSERT_TRUE(TGreedyPolicy::QueenInReach(board, 0, span));
  EXPECT_FALSE(TGreedyPolicy::QueenInReach(board, 0, TViewSpan{2, 2}));
  TGreedyPolicy greedy(7);
  const TAction action = greedy.Choose(board, span);
  ASSERT_EQ(action.Kind, TActionKind::Order);
  EXPECT_EQ(action.From, (TCellPos{3, 1}));
  TBoard after = board;
  after.SetStack(action.To, board.Stack(action.From));
  after.SetStack(action.From, std::nullopt);
  EXPECT_FALSE(TGreedyPolicy::QueenInReach(after, 0, span)) << CellText(action.To);
  // A wall of trees keeps her out of reach too.
  EXPECT_FALSE(TGreedyPolicy::QueenInReach(BoardFromText({"##....", "Q#...a", "##...."}), 0, TViewSpan{9, 9}));
}

TEST(TGreedyPolicy, StrikesTheWeakestEnemyInReachAndKeepsItsQueenCovered) {
  TBoard board = BoardFromText({
      "#Q#.....",
      "#A#..b..",
      ".....c..",
  });
  board.SetStack({5, 1}, TStackView{1, 0, 9, 3});  // 29 lives in all
  board.SetStack({5, 2}, TStackView{1, 0, 4, 2});  // 14
  TGreedyPolicy greedy(3);
  // The one stack that covers the queen stays: the greedy player passes
  // rather than open the way to her.
  ASSERT_FALSE(TGreedyPolicy::QueenInReach(board, 0, kWide));
  EXPECT_EQ(greedy.Choose(board, kWide).Kind, TActionKind::Pass);
  board.SetStack({7, 0}, TStackView{0, 0, 10, 1});
  const TAction action = greedy.Choose(board, kWide);
  EXPECT_EQ(action.Kind, TActionKind::Order);
  EXPECT_EQ(action.From, (TCellPos{7, 0}));
  EXPECT_EQ(action.To, (TCellPos{5, 2}));
}

TEST(TGreedyPolicy, ASeedDecidesItsPlay) {
  std::mt19937 random(11);
  for (int i = 0; i < 40; ++i) {
    const TBoard board = RandomBoard(random, 12, 9);
    TGreedyPolicy first(99);
    TGreedyPolicy second(99);
    EXPECT_EQ(first.Choose(board, TViewSpan{9, 12}), second.Choose(board, TViewSpan{9, 12}));
  }
}

TEST(TRandomPolicy, ChoosesOnlyWhatAPlayerMayDoAndNowAndThenEveryKind) {
  std::mt19937 random(5);
  std::map<TActionKind, int> kinds;
  const TViewSpan span{4, 3};
  TRandomPolicy player(17);
  int hurried = 0;
  int vias = 0;
  int pokes = 0;
  for (int i = 0; i < 3000; ++i) {
    const TBoard board = RandomBoard(random, 10, 8);
    const bool hasty = player.Hurries();
    const TAction action = player.Choose(board, span);
    ++kinds[action.Kind];
    hurried += action.Hasty;
    vias += action.Via.has_value();
    pokes += action.Poke.has_value();
    EXPECT_EQ(action.Hasty, hasty && action.Kind != TActionKind::Save && action.Kind != TActionKind::Menu &&
                                action.Kind != TActionKind::Try);
    if (action.IsOrder()) {
      EXPECT_TRUE(IsLegalTarget(board, action.From, action.To)) << ActionText(action);
      EXPECT_EQ(board.Stack(action.From)->Owner, board.ToMove()) << ActionText(action);
      EXPECT_TRUE(span.Fits(action.From, action.To)) << ActionText(action);
      EXPECT_GE(action.Frames, 0);
      if (action.Via) {
        // A click that keeps the route: on a tree or another own stack, between the ends.
        const auto& stack = board.Stack(*action.Via);
        EXPECT_TRUE(board.Tree(*action.Via) || (stack && stack->Owner == board.ToMove())) << ActionText(action);
        EXPECT_NE(*action.Via, action.From);
        EXPECT_TRUE(span.Fits(*action.Via, action.From) && span.Fits(*action.Via, action.To)) << ActionText(action);
      }
      if (action.Poke) {
        // Between the ends, where the map shows it; never the mover's own cell.
        EXPECT_EQ(action.Kind, TActionKind::Order);
        EXPECT_NE(action.Poke->Cell, action.From);
        EXPECT_TRUE(span.Fits(action.Poke->Cell, action.From) && span.Fits(action.Poke->Cell, action.To));
        EXPECT_GE(action.Poke->Frames, 0);
      }
    } else if (action.Kind == TActionKind::Try) {
      // A stack of the mover and a cell that is no target of it, in view.
      EXPECT_EQ(board.Stack(action.From)->Owner, board.ToMove()) << ActionText(action);
      EXPECT_FALSE(IsLegalTarget(board, action.From, action.To)) << ActionText(action);
      EXPECT_NE(action.From, action.To);
      EXPECT_TRUE(span.Fits(action.From, action.To)) << ActionText(action);
    } else if (action.Kind == TActionKind::Probe) {
      const auto& stack = board.Stack(action.To);
      EXPECT_TRUE(!stack || stack->Owner != board.ToMove()) << ActionText(action);
    } else if (action.Kind == TActionKind::Save) {
      EXPECT_TRUE(IsTypableName(action.Name)) << action.Name;
    }
  }
  for (const TActionKind kind : {TActionKind::Order, TActionKind::Cut, TActionKind::Probe, TActionKind::Pass,
                                 TActionKind::Save, TActionKind::Menu, TActionKind::Try})
    EXPECT_GT(kinds[kind], 0) << static_cast<int>(kind);
  EXPECT_GT(kinds[TActionKind::Order], 2000);
  EXPECT_GT(hurried, 100);
  EXPECT_GT(vias, 50);
  EXPECT_GT(pokes, 50);
}
