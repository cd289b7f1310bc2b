#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphics/TSprite.h"
#include "shell/ErrorLog.h"
#include "shell/RandomNumber.h"
#include "shell/TTimer.h"
#include "world/TCell.h"
#include "world/TMap.h"
#include "world/TUnit.h"
#include "world/TWinCell.h"
#include "world/WorldState.h"
#include "support/WorldTestSupport.h"

namespace {

using TRoute = std::vector<TMap::TGridPosition>;

int Frames(const TUnit* unit, TAnimationState state) { return static_cast<int>(unit->Animation(state)->Rows); }

bool Listed(int player, const TUnit* unit) {
  const std::vector<TUnit*>& units = Players[player].Units;
  return std::find(units.begin(), units.end(), unit) != units.end();
}

class OrdersTest : public TMapPlayTest {};

}  // namespace

TEST_F(OrdersTest, ARouteEndingOnAnEnemyStepsOnceThenStrikesAndPassesTheTurn) {
  TMap* map = Show(GridMapText(0, 5, 3, {{1, 1, "<[0 0]NU0[0 10 2 0 3]>"}, {3, 1, "<[0 0]NU1[2 9 4 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(1, 1);
  TUnit* thief = StackAt(3, 1);
  ASSERT_TRUE(knight && thief);

  // The enemy cannot be selected by player 0; the own stack can.
  Click(3, 1);
  EXPECT_FALSE(map->HasSelection);
  Click(1, 1);
  EXPECT_TRUE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, Window(1, 1));
  EXPECT_TRUE(map->Route.empty());

  Hover(3, 1);
  EXPECT_EQ(map->TargetCell, Window(3, 1));
  EXPECT_EQ(map->Route, (TRoute{{1, 1}, {2, 1}, {3, 1}}));
  EXPECT_EQ(Marked(), (TRoute{{1, 1}, {2, 1}, {3, 1}}));
  EXPECT_FALSE(MapCells[1][1]->ForcePassable);
  EXPECT_FALSE(MapCells[3][1]->ForcePassable);

  // The order: a click on any cell but the selected one (here the target; the
  // pointer reaching it searches the same route again).
  Click(3, 1);
  EXPECT_TRUE(map->Moving);
  EXPECT_FALSE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, Window(1, 1)) << "kept while the order runs";

  // Frame 1: the step. The knight now stands on (2, 1), faces right and is drawn
  // where it came from, sliding one running animation long.
  const int run = Frames(knight, kRunning);
  ASSERT_GT(run, 0);
  Harness.Tick();
  EXPECT_EQ(StackAt(1, 1), nullptr);
  EXPECT_EQ(StackAt(2, 1), knight);
  EXPECT_EQ(knight->Direction, 2);
  EXPECT_EQ(knight->CurrentAnimation, knight->Animation(kRunning));
  EXPECT_EQ(map->Route, (TRoute{{2, 1}, {3, 1}}));
  EXPECT_EQ(Window(1, 1)->OnRoute, 0);
  EXPECT_DOUBLE_EQ(Window(2, 1)->StepX, 64.0 / run);
  EXPECT_DOUBLE_EQ(Window(2, 1)->OffsetX, -64.0 + 64.0 / run) << "one step done this frame";
  EXPECT_DOUBLE_EQ(Window(2, 1)->OffsetY, 0.0);

  // Clicks are ignored while the order runs.
  Click(2, 1);
  Click(0, 0);
  EXPECT_FALSE(map->HasSelection);

  // The walk ends after the whole running animation; no strike before.
  Harness.Tick(run - 1);
  EXPECT_FALSE(knight->Animating);
  EXPECT_NEAR(Window(2, 1)->OffsetX, 0.0, 1e-9);
  EXPECT_EQ(thief->CurrentAnimation, thief->Animation(kPaused));

  // The strike, with a known roll of 6.
  SeedForDamage(6);
  Harness.Tick();
  EXPECT_EQ(thief->Lives, 3);
  EXPECT_EQ(thief->Count, 4);
  EXPECT_EQ(knight->Direction, 2);
  EXPECT_EQ(thief->Direction, 6);
  EXPECT_EQ(knight->CurrentAnimation, knight->Animation(kAttack));
  EXPECT_EQ(thief->CurrentAnimation, thief->Animation(kBeenHit));
  EXPECT_TRUE(knight->Animating && thief->Animating);
  EXPECT_DOUBLE_EQ(Window(2, 1)->StepX, 32.0 / Frames(knight, kAttack));
  EXPECT_TRUE(map->Route.empty());
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(TurnCounter, 0);
  EXPECT_TRUE(map->Moving);

  // One frame after the strike the turn has passed; the attacker stays adjacent.
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_FALSE(map->Moving);
  EXPECT_EQ(StackAt(2, 1), knight);
  EXPECT_EQ(StackAt(3, 1), thief);
  EXPECT_TRUE(Listed(0, knight));

  // The lunge snaps back and both stacks return to the paused animation.
  Harness.Tick(Frames(knight, kAttack) + Frames(thief, kBeenHit));
  EXPECT_EQ(Window(2, 1)->OffsetX, 0.0);
  EXPECT_EQ(knight->CurrentAnimation, knight->Animation(kPaused));
  EXPECT_EQ(thief->CurrentAnimation, thief->Animation(kPaused));
  EXPECT_EQ(TurnCounter, 1);
}

TEST_F(OrdersTest, TheRouteFollowsFreeAndEnemyCellsOnlyAndAnyClickStartsIt) {
  TMap* map = Show(GridMapText(0, 6, 3,
                               {{0, 1, "<[0 0]NU0[0 10 2 0 3]>"},
                                {5, 0, "<[0 0]NU0[0 10 2 0 3]>"},
                                {2, 1, "<[0 0]P(2 0)N>"},
                                {5, 2, "<[0 0]NU1[0 10 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 1);
  Hover(3, 1);
  EXPECT_TRUE(map->Route.empty()) << "no route without a selection";

  Click(0, 1);
  Hover(3, 1);
  // Around the tree; both ends on the route.
  ASSERT_EQ(map->Route.size(), 4u);
  EXPECT_EQ(map->Route.front(), (TMap::TGridPosition{0, 1}));
  EXPECT_EQ(map->Route.back(), (TMap::TGridPosition{3, 1}));
  EXPECT_TRUE(std::find(map->Route.begin(), map->Route.end(), TMap::TGridPosition{2, 1}) == map->Route.end());
  const TRoute shown = map->Route;

  // A tree, an own stack and the selected cell keep the route.
  Hover(2, 1);
  EXPECT_EQ(map->Route, shown);
  Hover(5, 0);
  EXPECT_EQ(map->Route, shown);
  Hover(0, 1);
  EXPECT_EQ(map->Route, shown);
  EXPECT_EQ(map->TargetCell, Window(3, 1));
  EXPECT_EQ(Marked().size(), 4u);
  // Clicking the selected cell does nothing.
  Click(0, 1);
  EXPECT_TRUE(map->HasSelection);
  EXPECT_FALSE(map->Moving);

  // An enemy is a target; a free cell again replaces it.
  Hover(5, 2);
  EXPECT_EQ(map->Route.back(), (TMap::TGridPosition{5, 2}));
  Hover(1, 2);
  EXPECT_EQ(map->Route, (TRoute{{0, 1}, {1, 2}}));
  EXPECT_EQ(Marked(), (TRoute{{0, 1}, {1, 2}}));

  // A second own stack does not take the selection: the click gives the order
  // for the first one along its route.
  Harness.MouseMove(TWinCell::kWidth * 5 + 32, 24);
  Harness.LeftDown(TWinCell::kWidth * 5 + 32, 24);
  EXPECT_TRUE(map->Moving);
  EXPECT_EQ(map->SelectedCell, Window(0, 1));
  Harness.LeftUp(TWinCell::kWidth * 5 + 32, 24);
  ASSERT_GT(Frames(knight, kRunning), 2);
  Harness.Tick();
  EXPECT_EQ(StackAt(1, 2), knight);
  EXPECT_EQ(knight->Direction, 3);
  Harness.Tick();
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(TurnCounter, 0);
  // The turn passes two frames after the last step begins, the stack still sliding.
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_FALSE(map->Moving);
  EXPECT_TRUE(knight->Animating);

  // Player 1 now: its stack can be selected, player 0's cannot.
  Click(1, 2);
  EXPECT_FALSE(map->HasSelection);
  Click(5, 2);
  EXPECT_TRUE(map->HasSelection);
}

TEST_F(OrdersTest, AnOrderWithoutARoutePassesTheTurnOnTheNextFrame) {
  TMap* map = Show(GridMapText(0, 5, 3,
                               {{0, 1, "<[0 0]NU0[0 10 2 0 3]>"},
                                {2, 0, "<[0 0]P(2 0)N>"},
                                {2, 1, "<[0 0]P(2 0)N>"},
                                {2, 2, "<[0 0]P(2 0)N>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 1);
  // Beyond the wall of trees: no route, and the search leaves no cell forced.
  Click(0, 1);
  Hover(4, 1);
  EXPECT_EQ(map->TargetCell, Window(4, 1));
  EXPECT_TRUE(map->Route.empty());
  EXPECT_FALSE(MapCells[0][1]->ForcePassable);
  EXPECT_FALSE(MapCells[4][1]->ForcePassable);
  Click(4, 1);
  EXPECT_TRUE(map->Moving);
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_FALSE(map->Moving);
  EXPECT_EQ(StackAt(0, 1), knight);
  EXPECT_FALSE(knight->Animating);

  // The order is over, so the cell it was given from answers clicks again
  // (the turn is handed back by hand here).
  EXPECT_EQ(map->SelectedCell, nullptr);
  TurnCounter = 0;
  Click(0, 1);
  EXPECT_TRUE(map->HasSelection);

  // A one-cell route (only possible when set by hand) is dropped, then the turn passes.
  map->Route = {{0, 1}};
  Window(0, 1)->OnRoute = 1;
  map->Moving = true;
  map->HasSelection = false;
  Harness.Tick();
  EXPECT_TRUE(map->Route.empty());
  EXPECT_EQ(Window(0, 1)->OnRoute, 0);
  EXPECT_EQ(TurnCounter, 0);
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
}

TEST_F(OrdersTest, AStackThatStruckWithoutMovingAnswersItsPlayersNextClick) {
  TMap* map = Show(GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[0 10 2 0 3]>"}, {1, 0, "<[0 0]NU1[2 50 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 0);
  Click(0, 0);
  Hover(1, 0);
  ASSERT_EQ(map->Route.size(), 2u);
  Click(1, 0);
  Harness.Tick(2);
  ASSERT_EQ(TurnCounter, 1);
  EXPECT_FALSE(map->Moving);
  EXPECT_EQ(map->SelectedCell, nullptr) << "the order is over";
  Harness.Tick(Frames(knight, kAttack));

  // Player 1's turn goes by without touching the map; player 0's first click
  // on the same stack selects it and a second gives the next strike.
  TurnCounter = 2;
  Click(0, 0);
  EXPECT_TRUE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, Window(0, 0));
  Hover(1, 0);
  Click(1, 0);
  EXPECT_TRUE(map->Moving);
  Harness.Tick(2);
  EXPECT_EQ(TurnCounter, 3);
  EXPECT_EQ(knight->CurrentAnimation, knight->Animation(kAttack));
}

TEST_F(OrdersTest, StrikesTakeRandomLivesAndKillTopCreaturesOneByOne) {
  TMap* map = Show(GridMapText(0, 4, 3,
                               {{1, 1, "<[0 0]NU0[0 10 2 0 3]>"},
                                {2, 1, "<[0 0]NU1[2 3 1 0 3]>"},
                                {1, 2, "<[0 0]NU1[2 3 4 0 3]>"},
                                {0, 1, "<[0 0]NU1[2 8 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(1, 1);
  TUnit* last = StackAt(2, 1);
  TUnit* four = StackAt(1, 2);
  TUnit* spared = StackAt(0, 1);
  const auto strike = [&](int column, int row, int damage) {
    Click(1, 1);
    Hover(column, row);
    EXPECT_EQ(map->Route.size(), 2u);
    SeedForDamage(damage);
    Click(column, row);
    Harness.Tick();
  };

  // Count 1, Lives 3, hit for 5: the last creature dies, the dying animation
  // plays, and the stack goes when it ends.
  strike(2, 1, 5);
  EXPECT_EQ(last->Count, 0);
  EXPECT_LE(last->Lives, 0);
  EXPECT_EQ(last->CurrentAnimation, last->Animation(kOver));
  const int over = Frames(last, kOver);
  Harness.Tick(over - 2);
  EXPECT_EQ(StackAt(2, 1), last) << "still dying";
  EXPECT_TRUE(Listed(1, last));
  Harness.Tick();
  EXPECT_EQ(StackAt(2, 1), nullptr);
  EXPECT_FALSE(Listed(1, last));
  EXPECT_EQ(Players[1].Units, (std::vector<TUnit*>{spared, four})) << "the others keep their order";
  EXPECT_FALSE(ScreenRequestPending) << "not a queen: the game goes on";
  Harness.Tick(Frames(knight, kAttack));

  // Count 4, Lives 3, hit for 7: the next creature takes the top with 5 to 14.
  TurnCounter = 0;
  RightClick(0, 0);
  const uint32_t seed = SeedForDamage(7);
  RandomNumber();
  const int fresh = RandomNumber() % 10 + 5;
  SeedRandomNumber(seed);
  Click(1, 1);
  Hover(1, 2);
  Click(1, 2);
  Harness.Tick();
  EXPECT_EQ(four->Count, 3);
  EXPECT_EQ(four->Lives, fresh);
  EXPECT_EQ(four->CurrentAnimation, four->Animation(kBeenHit));
  EXPECT_EQ(knight->Direction, 4);
  EXPECT_EQ(four->Direction, 0);
  EXPECT_DOUBLE_EQ(Window(1, 1)->StepY, 24.0 / Frames(knight, kAttack));
  Harness.Tick(Frames(knight, kAttack) + Frames(four, kBeenHit));
  EXPECT_EQ(StackAt(1, 2), four);

  // A roll of 0 still plays both animations and passes the turn.
  TurnCounter = 0;
  RightClick(0, 0);
  strike(0, 1, 0);
  EXPECT_EQ(spared->Lives, 8);
  EXPECT_EQ(spared->Count, 2);
  EXPECT_EQ(knight->CurrentAnimation, knight->Animation(kAttack));
  EXPECT_EQ(spared->CurrentAnimation, spared->Animation(kBeenHit));
  EXPECT_EQ(knight->Direction, 6);
  EXPECT_EQ(spared->Direction, 2);
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
}

TEST_F(OrdersTest, ADyingStackCannotBeSelectedAndItsPlayerCanStillMove) {
  TMap* map = Show(GridMapText(0, 4, 2,
                               {{0, 0, "<[0 0]NU0[0 10 2 0 3]>"},
                                {1, 0, "<[0 0]NU1[2 3 1 0 3]>"},
                                {3, 1, "<[0 0]NU1[2 10 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* dying = StackAt(1, 0);
  ASSERT_GT(Frames(dying, kOver), 3);
  Click(0, 0);
  Hover(1, 0);
  SeedForDamage(5);
  Click(1, 0);
  Harness.Tick(2);
  ASSERT_EQ(TurnCounter, 1);
  ASSERT_EQ(StackAt(1, 0), dying);
  ASSERT_EQ(dying->CurrentAnimation, dying->Animation(kOver));

  // Player 1 clicks the dying stack, then a free cell: no selection, no order.
  Click(1, 0);
  EXPECT_FALSE(map->HasSelection);
  Hover(2, 1);
  EXPECT_TRUE(map->Route.empty());
  Click(2, 1);
  EXPECT_FALSE(map->Moving);
  Harness.Tick(Frames(dying, kOver));
  EXPECT_EQ(StackAt(1, 0), nullptr);
  EXPECT_EQ(TurnCounter, 1);

  // The turn is still player 1's to play with the other stack.
  Click(3, 1);
  EXPECT_TRUE(map->HasSelection);
  Hover(2, 1);
  Click(2, 1);
  Harness.Tick(3);
  EXPECT_NE(StackAt(2, 1), nullptr);
  EXPECT_EQ(TurnCounter, 2);
}

TEST_F(OrdersTest, RoutesSeeWhereStacksWentAndWhatTheyLeft) {
  // A corridor with one way round below its middle, (2, 1).
  TMap* map = Show(GridMapText(0, 5, 2,
                               {{0, 0, "<[0 0]NU0[0 10 1 0 3]>"},
                                {4, 0, "<[0 0]NU1[2 10 1 0 3]>"},
                                {0, 1, "<[0 0]P(2 1)N>"},
                                {1, 1, "<[0 0]P(2 1)N>"},
                                {3, 1, "<[0 0]P(2 1)N>"},
                                {4, 1, "<[0 0]P(2 1)N>"}}));
  ASSERT_NE(map, nullptr);
  Click(0, 0);
  Hover(4, 0);
  EXPECT_EQ(map->Route, (TRoute{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}));
  // Player 0's stack walks into the middle of the corridor.
  Hover(2, 0);
  Click(2, 0);
  Harness.Tick(2 * (Frames(StackAt(0, 0), kRunning) + 2));
  ASSERT_NE(StackAt(2, 0), nullptr);
  ASSERT_EQ(TurnCounter, 1);

  // Player 1 goes round it, over the cell it left.
  Click(4, 0);
  ASSERT_TRUE(map->HasSelection);
  Hover(0, 0);
  EXPECT_EQ(map->Route, (TRoute{{4, 0}, {3, 0}, {2, 1}, {1, 0}, {0, 0}}));
  Hover(2, 0);
  EXPECT_EQ(map->Route, (TRoute{{4, 0}, {3, 0}, {2, 0}}));
  RightClick(4, 0);

  // Once the stack is gone its cell is open ground again.
  Window(2, 0)->RemoveStack();
  Click(4, 0);
  Hover(0, 0);
  EXPECT_EQ(map->Route, (TRoute{{4, 0}, {3, 0}, {2, 0}, {1, 0}, {0, 0}}));
}

TEST_F(OrdersTest, AnOrderWhoseStackIsGoneEndsAsOneWithoutARoute) {
  TMap* map = Show(GridMapText(0, 4, 1, {{0, 0, "<[0 0]NU0[0 10 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 0);
  Click(0, 0);
  Hover(3, 0);
  ASSERT_EQ(map->Route.size(), 4u);
  // The selected stack's last creature dies before the order is given (play
  // takes lives only in a strike, so this one is set by hand).
  knight->Lives = 0;
  knight->Count = 0;
  Harness.Tick();
  ASSERT_EQ(StackAt(0, 0), nullptr);
  Click(3, 0);
  ASSERT_TRUE(map->Moving);

  // The next frame ends the order: no marks, no route, the other player moves.
  Harness.Tick();
  EXPECT_FALSE(map->Moving);
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_TRUE(map->Route.empty());
  EXPECT_TRUE(Marked().empty());
  EXPECT_EQ(map->SelectedCell, nullptr);
  Harness.Tick(3);
  EXPECT_EQ(TurnCounter, 1);
}

TEST_F(OrdersTest, StepsAndStrikesFaceTheNeighbourAndStartFromTheSourceCell) {
  TMap* map = Show(GridMapText(0, 3, 3, {{1, 1, "<[0 0]NU0[0 10 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(1, 1);
  const int run = Frames(knight, kRunning);
  const int attack = Frames(knight, kAttack);
  // Neighbours in facing order 0 to 7, from the centre.
  const int columns[8] = {1, 2, 2, 2, 1, 0, 0, 0};
  const int rows[8] = {0, 0, 1, 2, 2, 2, 1, 0};
  for (int facing = 0; facing < 8; ++facing) {
    TWinCell* centre = Window(1, 1);
    TWinCell* next = Window(columns[facing], rows[facing]);
    SCOPED_TRACE(facing);
    next->OffsetX = 3.0;
    next->OffsetY = 5.0;
    next->Swap(centre);
    EXPECT_EQ(next->Cell->Unit, knight);
    EXPECT_EQ(centre->Cell->Unit, nullptr);
    EXPECT_EQ(knight->Direction, facing);
    const double dx = columns[facing] - 1;
    const double dy = rows[facing] - 1;
    EXPECT_DOUBLE_EQ(next->OffsetX, dx != 0 ? -64.0 * dx : 3.0);
    EXPECT_DOUBLE_EQ(next->OffsetY, dy != 0 ? -48.0 * dy : 5.0);
    EXPECT_DOUBLE_EQ(next->StepX, -next->OffsetX / run);
    EXPECT_DOUBLE_EQ(next->StepY, -next->OffsetY / run);
    EXPECT_TRUE(knight->Animating);
    Harness.Tick(run + 1);
    EXPECT_EQ(next->OffsetX, 0.0);
    // Back to the centre, then strike the neighbour's new occupant.
    centre->Swap(next);
    Harness.Tick(run + 1);
    next->Cell->Unit = new TUnit(UnitAnimationPaths(L"Thief"));
    next->Cell->Unit->Lives = 50;
    next->Cell->Unit->Count = 1;
    centre->OffsetX = 1.0;
    centre->OffsetY = 2.0;
    centre->Attacke(next);
    EXPECT_EQ(knight->Direction, facing);
    EXPECT_EQ(next->Cell->Unit->Direction, (facing + 4) % 8);
    EXPECT_EQ(centre->OffsetX, 0.0);
    EXPECT_DOUBLE_EQ(centre->StepX, (dx != 0 ? 32.0 * dx : 1.0) / attack);
    EXPECT_DOUBLE_EQ(centre->StepY, (dy != 0 ? 24.0 * dy : 2.0) / attack);
    EXPECT_EQ(next->StepX, 0.0);
    Harness.Tick(attack + 1);
    delete next->Cell->Unit;
    next->Cell->Unit = nullptr;
  }

  // The length of an animation is the row count of its sheet.
  TUnitSprite* running = knight->Animation(kRunning);
  const uint32_t rowsBefore = running->Rows;
  running->Rows = 4;
  Window(2, 1)->Swap(Window(1, 1));
  EXPECT_DOUBLE_EQ(Window(2, 1)->StepX, 16.0);
  Harness.Tick(3);
  EXPECT_TRUE(knight->Animating);
  Harness.Tick();
  EXPECT_FALSE(knight->Animating);
  EXPECT_EQ(knight->FrameIndex, 0);
  EXPECT_EQ(Window(2, 1)->OffsetX, 0.0);
  Window(1, 1)->Swap(Window(2, 1));
  Harness.Tick(4);
  running->Rows = rowsBefore;

  // Moving into or striking the cell itself is an internal error.
  ClearErrorLogForTests();
  TWinCell* centre = Window(1, 1);
  EXPECT_THROW(centre->Swap(centre), int);
  EXPECT_THROW(centre->Attacke(centre), int);
  EXPECT_THROW(Window(0, 0)->Attacke(centre), int) << "no attacker";
  ASSERT_GE(ErrorLogEntries().size(), 3u);
  EXPECT_EQ(ErrorLogEntries()[0].rfind("void TWinCell::Swap(TWinCell* in_other)", 0), 0u);
  EXPECT_EQ(ErrorLogEntries()[1].rfind("void TWinCell::Attacke(TWinCell* in_other)", 0), 0u);
  EXPECT_EQ(centre->Cell->Unit, knight);
  ClearErrorLogForTests();
}

TEST_F(OrdersTest, ARightClickDuringAWalkStopsItAfterTheStepAndPassesTheTurn) {
  TMap* map = Show(GridMapText(0, 6, 2, {{0, 0, "<[0 0]NU0[0 10 2 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  TUnit* knight = StackAt(0, 0);
  Click(0, 0);
  Hover(5, 0);
  ASSERT_EQ(map->Route.size(), 6u);
  Click(5, 0);
  Harness.Tick();
  ASSERT_EQ(StackAt(1, 0), knight);
  RightClick(3, 1);
  EXPECT_TRUE(map->Route.empty());
  EXPECT_FALSE(map->HasSelection);
  EXPECT_EQ(map->SelectedCell, nullptr);
  EXPECT_TRUE(Marked().empty());
  Harness.Tick();
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_FALSE(map->Moving);
  Harness.Tick(Frames(knight, kRunning));
  EXPECT_EQ(StackAt(1, 0), knight);
  EXPECT_FALSE(knight->Animating);
  EXPECT_EQ(Window(1, 0)->OffsetX, 0.0);
  EXPECT_EQ(TurnCounter, 1);
}

TEST_F(OrdersTest, AStackLoadedWithoutLivesIsRemovedOnTheFirstFrame) {
  TMap* map = Show(GridMapText(0, 3, 1, {{0, 0, "<[0 0]NU0[0 0 3 0 3]>"}, {2, 0, "<[0 0]NU0[1 -4 1 0 3]>"},
                                          {1, 0, "<[0 0]NU0[0 1 1 0 3]>"}}));
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(StackAt(0, 0), nullptr);
  EXPECT_EQ(StackAt(2, 0), nullptr);
  ASSERT_NE(StackAt(1, 0), nullptr);
  EXPECT_EQ(Players[0].Units, (std::vector<TUnit*>{StackAt(1, 0)}));
  // No queen was among them: the game goes on on the same screen.
  Harness.Tick(2);
  EXPECT_FALSE(ScreenRequestPending);
  EXPECT_EQ(Map(), map);
  EXPECT_EQ(TurnCounter, 0) << "removing them is no order and passes no turn";
}
