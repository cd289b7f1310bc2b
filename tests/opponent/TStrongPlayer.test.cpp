#include "opponent/TStrongPlayer.h"

#include <gtest/gtest.h>

#include <random>

#include "opponent/BoardPlay.h"
#include "opponent/TGreedyPlayer.h"
#include "opponent/TRaceTable.h"
#include "opponent/TRoutes.h"
#include "support/BoardText.h"

namespace {

const TViewSpan kWide{50, 50};

// The board after the stack at in_order.From walked to in_order.To (a free cell).
TBoard AfterMove(const TBoard& in_board, const TOrder& in_order) {
  TBoard after = in_board;
  after.SetStack(in_order.To, in_board.Stack(in_order.From));
  after.SetStack(in_order.From, std::nullopt);
  after.Turn += 1;
  return after;
}

// Whether the order is one a player may give on the board: a stack of the
// player to move, a legal target, both cells in one view.
bool Legal(const TBoard& in_board, const TOrder& in_order, const TViewSpan& in_span) {
  if (in_order.Pass) return true;
  const auto& mover = in_board.Inside(in_order.From) ? in_board.Stack(in_order.From) : std::nullopt;
  return mover && mover->Owner == in_board.ToMove() && IsLegalTarget(in_board, in_order.From, in_order.To) &&
         in_span.Fits(in_order.From, in_order.To);
}

}  // namespace

TEST(TStrongPlayer, StrikesAWeakenedEnemyQueenWhenItCanRatherThanAnythingElse) {
  TBoard board = BoardFromText({
      "Q.#......",
      "..#..b...",
      "A.#...q..",
      "..#......",
      "B....c...",
  });
  board.SetStack({6, 2}, TStackView{1, kQueenType, 3, 1});  // one strike of 3 or more fells her
  board.SetStack({5, 4}, TStackView{1, 0, 1, 1});           // a stack to finish off, right beside B
  TStrongPlayer strong(1);
  const TOrder order = strong.Choose(board, kWide);
  ASSERT_FALSE(order.Pass);
  EXPECT_EQ(order.To, (TCellPos{6, 2}));
  EXPECT_TRUE(order.From == (TCellPos{0, 4}) || order.From == (TCellPos{0, 2})) << CellText(order.From);
  // Out of view the queen cannot be pointed at: then it strikes what it can.
  const TOrder near = strong.Choose(board, TViewSpan{4, 4});
  EXPECT_TRUE(near.Pass || !(near.To == TCellPos{6, 2}));
  EXPECT_TRUE(Legal(board, near, TViewSpan{4, 4}));
}

TEST(TStrongPlayer, ClosesTheOneWayToItsQueenWhenAnEnemyCouldStrikeHer) {
  // The queen is walled in but for the cell right of her; the enemy stack
  // could walk there and strike. The enemy queen is out of reach, so there is
  // no race to run: the gap must close.
  TBoard board = BoardFromText({
      "###.......",
      "#Q.......a",
      "###.......",
      "..........",
      "B.......#.",
      ".......#q#",
  });
  board.SetStack({1, 1}, TStackView{0, kQueenType, 5, 1});
  ASSERT_TRUE(TGreedyPlayer::QueenInReach(board, 0, kWide));
  TStrongPlayer strong(2);
  const TOrder order = strong.Choose(board, kWide);
  ASSERT_FALSE(order.Pass);
  ASSERT_TRUE(Legal(board, order, kWide));
  ASSERT_TRUE(board.Free(order.To)) << "a strike does not close the way";
  EXPECT_FALSE(TGreedyPlayer::QueenInReach(AfterMove(board, order), 0, kWide))
      << CellText(order.From) << " to " << CellText(order.To);
}

TEST(TStrongPlayer, KeepsAQueenNoEnemyCanStrikeNextWhereSheStands) {
  // The castle of the first side, its gate towards the enemy; no enemy stack
  // can strike the queen next, and a far corner lies open.
  const TBoard board = BoardFromText({
      "...................",
      "...................",
      ".#####.............",
      ".#...#.............",
      ".#.Q.A......b...q..",
      ".#.B.C......c......",
      ".#####.............",
      "...................",
      "...................",
  });
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    TStrongPlayer strong(seed);
    const TOrder order = strong.Choose(board, TViewSpan{10, 13});
    ASSERT_TRUE(Legal(board, order, TViewSpan{10, 13}));
    EXPECT_FALSE(order.From == (TCellPos{3, 4})) << "the queen walked to " << CellText(order.To);
  }
}

TEST(TStrongPlayer, GivesOnlyOrdersAPlayerMayGiveAndTheSameOnesForTheSameSeedAndBoard) {
  std::mt19937 random(23);
  const TViewSpan spans[] = {{3, 2}, {9, 12}, kWide};
  int sliced = 0;
  for (int i = 0; i < 60; ++i) {
    TBoard board = RandomBoard(random, 10 + static_cast<int32_t>(random() % 8), 8 + static_cast<int32_t>(random() % 6));
    // Queens for both sides, most of the time.
    const auto stacks0 = board.StacksOf(0);
    const auto stacks1 = board.StacksOf(1);
    if (!stacks0.empty() && i % 5) board.SetStack(stacks0.front(), TStackView{0, kQueenType, 1 + static_cast<int32_t>(random() % 15), 1});
    if (!stacks1.empty() && i % 7) board.SetStack(stacks1.back(), TStackView{1, kQueenType, 1 + static_cast<int32_t>(random() % 15), 1});
    const TViewSpan& span = spans[i % 3];
    // One order deep as the program plays, and two deep as the autoplay may.
    const int32_t depth = 1 + i % 2;
    TStrongPlayer first(99, 3000, {}, depth);
    TStrongPlayer second(99, 3000, {}, depth);
    const TOrder order = first.Choose(board, span);
    EXPECT_TRUE(Legal(board, order, span)) << "board " << i << ": " << CellText(order.From) << " to " << CellText(order.To);
    // Thought about in small slices, the same board gives the same order.
    second.Begin(board, span);
    int slices = 0;
    while (!second.Think(50)) ++slices;
    EXPECT_EQ(second.Order(), order) << "board " << i;
    sliced += slices > 1;
  }
  EXPECT_GT(sliced, 10) << "the thinking came in slices";
}

TEST(TStrongPlayer, StopsAtOnceWithTheBestOrderFoundSoFar) {
  std::mt19937 random(4);
  const TBoard board = RandomBoard(random, 30, 20);
  TStrongPlayer strong(5, 1000000);
  strong.Begin(board, TViewSpan{9, 12});
  EXPECT_FALSE(strong.Think(10));
  const int64_t before = strong.Work();
  strong.Stop();
  EXPECT_EQ(strong.Work(), before) << "Stop thought on";
  EXPECT_TRUE(strong.Think(1000));
  EXPECT_TRUE(Legal(board, strong.Order(), TViewSpan{9, 12}));
  // No stack of its own: it passes.
  TBoard lonely = BoardFromText({"....", ".q..", "...."});
  EXPECT_TRUE(strong.Choose(lonely, kWide).Pass);
}

TEST(TRaceTable, TheSideThatStrikesFirstWinsTheRaceOfTwoQueensAsTheDiceSay) {
  const TRaceTable& table = TRaceTable::Shared();
  // One life each: the first strike fells her unless it is a 0 (one in ten);
  // then the other side is where the first was: x = 0.9 + 0.1 (1 - x).
  EXPECT_NEAR(table.FirstWins(1, 1), 1.0 / 1.1, 1e-9);
  // The first strike always fells a queen of one life if its own queen can take a strike of 9 twice.
  EXPECT_GT(table.FirstWins(1, 30), 0.99);
  EXPECT_LT(table.FirstWins(30, 1), 0.01);
  // Striking first is worth something between equal queens, and less than more lives.
  EXPECT_GT(table.FirstWins(15, 15), 0.55);
  EXPECT_LT(table.FirstWins(20, 12), 0.5);
}

TEST(TStrongPlayer, PlaysOnWhereTheQueensCannotReachEachOther) {
  // A wall of trees splits the field: no stack can ever reach the other side.
  TBoard board = BoardFromText({
      "A..#..b",
      "Q..#..q",
      "B..#..c",
      "...#...",
  });
  TStrongPlayer first(1);
  TStrongPlayer second(2);
  uint32_t dice = 5;
  const auto random = [&dice]() {
    dice = dice * 214013u + 2531011u;
    return static_cast<int32_t>((dice >> 16) & 0x7FFF);
  };
  for (int turn = 0; turn < 40; ++turn) {
    TStrongPlayer& player = board.ToMove() == 0 ? first : second;
    const TOrder order = player.Choose(board, kWide);
    ASSERT_TRUE(Legal(board, order, kWide)) << "turn " << turn;
    ASSERT_EQ(PlayOrder(board, order, random), -1) << "a queen fell behind a wall";
  }
  EXPECT_EQ(board.Turn, 40);
  EXPECT_EQ(board.StacksOf(0).size(), 3u);
  EXPECT_EQ(board.StacksOf(1).size(), 3u);
}
