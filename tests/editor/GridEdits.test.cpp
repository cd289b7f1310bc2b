// Edits of whole areas of the grid: the anchor's offsets, resizing and its
// undo, moving a rectangle onto itself and off the map, and fill areas.
#include "editor/GridEdits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CellContent.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

class GridEditsTest : public TWorldTest {
 protected:
  static void Apply(const std::vector<TCellPlacement>& in_placements) {
    for (const TCellPlacement& placement : in_placements)
      ApplyContent(*MapCells[placement.Column][placement.Row], placement.Content);
    RebuildStackLists();
  }
};

TCellContent Tile(int32_t in_column, int32_t in_row) {
  TCellContent content;
  content.TileColumn = in_column;
  content.TileRow = in_row;
  return content;
}

}  // namespace

TEST(AnchorOffset, PutsTheOldMapAtTheStartInTheMiddleRoundedDownOrAtTheEnd) {
  EXPECT_EQ(AnchorOffset(0, 10, 16), 0);
  EXPECT_EQ(AnchorOffset(1, 10, 16), 3);
  EXPECT_EQ(AnchorOffset(2, 10, 16), 6);
  EXPECT_EQ(AnchorOffset(1, 10, 13), 1);
  EXPECT_EQ(AnchorOffset(1, 10, 7), -2);
  EXPECT_EQ(AnchorOffset(2, 10, 7), -3);
  EXPECT_EQ(AnchorOffset(2, 1, 4096), 4095);
}

TEST_F(GridEditsTest, AResizeCutsAndAddsCellsAndItsUndoGivesBackTheSameBytes) {
  const std::string original = GridMapText(3, 4, 3, {{0, 0, "<[1 0]P(2 7)N>"}, {3, 2, "<[0 0]NU1[8 12 1 4 3]>"},
                                                     {2, 1, "<[4 1]NU0[2 5 2 1 1.5]>"}});
  ReadMapFromBytes(original);
  // Two columns cut on the left, two rows added at the top.
  const TResizePlan plan{2, 5, -2, 2, 6, 2};
  EXPECT_TRUE(ResizeCutsObjects(plan));
  std::vector<TCellPlacement> cut;
  ASSERT_TRUE(ResizeWorld(plan, &cut));
  EXPECT_EQ(MapColumns, 2);
  EXPECT_EQ(MapRows, 5);
  EXPECT_EQ(cut.size(), 6u);
  ASSERT_NE(MapCells[1][4]->Unit, nullptr);  // the queen, from (3, 2)
  EXPECT_EQ(MapCells[0][3]->TileColumn, 4);  // player 0's stack at (2, 1)
  EXPECT_EQ(MapCells[0][0]->TileColumn, 6);
  EXPECT_EQ(Players[0].Units.size(), 1u);
  EXPECT_EQ(Players[1].Units.size(), 1u);
  const std::string resized = WriteMapToBytes();
  EXPECT_NE(resized.find("3\r\n\"Red Baron\"\r\n\"Blue Duke\"\r\n[2 5]"), std::string::npos);

  UndoResizeWorld(plan, 4, 3, cut);
  EXPECT_EQ(WriteMapToBytes(), original);
  EXPECT_EQ(Players[0].Units.size(), 1u);
  ASSERT_TRUE(ResizeWorld(plan, nullptr));
  EXPECT_EQ(WriteMapToBytes(), resized);
  UndoResizeWorld(plan, 4, 3, cut);

  // Sizes and offsets the reader would refuse change nothing.
  for (const TResizePlan& bad : {TResizePlan{0, 3}, TResizePlan{4, -1}, TResizePlan{4097, 1},
                                 TResizePlan{2048, 1024}, TResizePlan{4, 3, 4097, 0}, TResizePlan{4, 3, 0, -4097}}) {
    EXPECT_FALSE(ResizeWorld(bad, &cut));
    EXPECT_EQ(WriteMapToBytes(), original);
  }
  EXPECT_FALSE(ResizeCutsObjects(TResizePlan{4, 3, 0, 0}));
  EXPECT_FALSE(ResizeCutsObjects(TResizePlan{6, 6, 2, 3}));
}

TEST_F(GridEditsTest, AMoveNamesEachCellOnceWhetherItOverlapsItselfOrLeavesTheMap) {
  ReadMapFromBytes(GridMapText(0, 5, 2, {{0, 0, "<[1 0]NN>"}, {1, 0, "<[2 0]P(2 1)N>"}, {2, 0, "<[3 0]NN>"}}));
  const TCellContent background = Tile(7, 3);
  // Right by one onto itself.
  std::vector<TCellPlacement> move = MoveArea(TGridRect{0, 0, 3, 1}, 1, 0, background);
  EXPECT_EQ(move.size(), 4u);
  Apply(move);
  EXPECT_EQ(WriteMapToBytes(), GridMapText(0, 5, 2, {{0, 0, "<[7 3]NN>"}, {1, 0, "<[1 0]NN>"},
                                                     {2, 0, "<[2 0]P(2 1)N>"}, {3, 0, "<[3 0]NN>"}}));
  // Down by one and right by three: what falls off the map is gone.
  Apply(MoveArea(TGridRect{1, 0, 3, 1}, 3, 1, background));
  EXPECT_EQ(WriteMapToBytes(), GridMapText(0, 5, 2, {{0, 0, "<[7 3]NN>"}, {1, 0, "<[7 3]NN>"}, {2, 0, "<[7 3]NN>"},
                                                     {3, 0, "<[7 3]NN>"}, {4, 1, "<[1 0]NN>"}}));
  // A rectangle reaching past the map moves its part on the map; one wholly off it, nothing.
  EXPECT_EQ(MoveArea(TGridRect{4, 1, 5, 5}, -1, 0, background).size(), 2u);
  EXPECT_TRUE(MoveArea(TGridRect{6, 0, 2, 2}, -1, 0, background).empty());
  EXPECT_EQ(ClearArea(TGridRect{-2, -2, 4, 3}, background).size(), 2u);
}

TEST_F(GridEditsTest, AFillAreaFollowsOneTileThroughSidesOrCornersInRowOrder) {
  // Flowers in an X: through the corners one area, through the sides five.
  ReadMapFromBytes(GridMapText(0, 3, 3, {{0, 0, "<[1 0]NN>"}, {2, 0, "<[1 0]NN>"}, {1, 1, "<[1 0]P(2 0)N>"},
                                         {0, 2, "<[1 0]NN>"}, {2, 2, "<[1 0]NN>"}}));
  const auto positions = [](const std::vector<TCellPlacement>& in_area) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (const TCellPlacement& placement : in_area) out.emplace_back(placement.Column, placement.Row);
    return out;
  };
  using TCells = std::vector<std::pair<int32_t, int32_t>>;
  EXPECT_EQ(positions(ConnectedGround(2, 2, true)), (TCells{{0, 0}, {2, 0}, {1, 1}, {0, 2}, {2, 2}}));
  EXPECT_EQ(positions(ConnectedGround(2, 2, false)), (TCells{{2, 2}}));
  EXPECT_EQ(positions(ConnectedGround(1, 0, false)), (TCells{{1, 0}}));
  EXPECT_EQ(positions(ConnectedGround(1, 0, true)), (TCells{{1, 0}, {0, 1}, {2, 1}, {1, 2}}));
  // The contents come with the cells: the tree stays on its cell.
  EXPECT_EQ(ConnectedGround(1, 1, false).front().Content.PlaceType, TCellContent::kOrdinaryTree);
  EXPECT_TRUE(ConnectedGround(3, 0, true).empty());
  EXPECT_TRUE(ConnectedGround(-1, 0, true).empty());
}
