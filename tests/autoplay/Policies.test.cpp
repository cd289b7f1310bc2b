#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/BoardText.h"
#include "autoplay/TRandomPolicy.h"
#include "opponent/TRoutes.h"

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
