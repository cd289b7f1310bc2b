#include "world/TMapRecord.h"

#include <gtest/gtest.h>

#include <string>

#include "graphics/TextureRegistry.h"
#include "support/WorldTestSupport.h"

namespace {

// The record's reading needs no texture, window or GDI+: none of them is
// started in these tests.
TEST(TMapRecord, ReadsEveryFieldWithoutAnyTextureRegistered) {
  ASSERT_TRUE(RegisteredTextures().empty());
  const TMapRecord map = TMapRecord::Read(CrLfLines({"7", "\"Red  Baron \"", "\"Blue Duke\"", "[2 2]",
                                                     "<[1 2]P(2 5)N>", "<[7 3]P(3 1)U1[8 12 1 6 3]>", "",
                                                     "<[0 0]NU0[2 10 3 4 2.5]>", "<[4 1]NN>", ""}));
  EXPECT_TRUE(RegisteredTextures().empty());
  ASSERT_EQ(map.Turn, 7);
  EXPECT_EQ(map.Names[0], L"Red  Baron ");
  EXPECT_EQ(map.Names[1], L"Blue Duke");
  ASSERT_EQ(map.Columns, 2);
  ASSERT_EQ(map.Rows, 2);

  const TCellRecord tree = map.Cell(0, 0);
  EXPECT_EQ(tree.TileColumn, 1);
  EXPECT_EQ(tree.TileRow, 2);
  EXPECT_EQ(tree.PlaceType, 2);
  EXPECT_EQ(tree.PlaceFrame, 5);
  EXPECT_EQ(tree.StackOwner, -1);

  const TCellRecord queen = map.Cell(1, 0);
  EXPECT_EQ(queen.PlaceType, 3);
  EXPECT_EQ(queen.StackOwner, 1);
  EXPECT_EQ(queen.Stack.Type, 8);
  EXPECT_EQ(queen.Stack.Lives, 12);
  EXPECT_EQ(queen.Stack.Count, 1);
  EXPECT_EQ(queen.Stack.Direction, 6);
  EXPECT_EQ(queen.Stack.Moves, 3.0f);

  const TCellRecord thief = map.Cell(0, 1);
  EXPECT_EQ(thief.PlaceType, 0);
  EXPECT_EQ(thief.StackOwner, 0);
  EXPECT_EQ(thief.Stack.Type, 2);
  EXPECT_EQ(thief.Stack.Moves, 2.5f);
  EXPECT_EQ(map.Cell(1, 1).TileColumn, 4);
  // Outside the grid: bare ground.
  EXPECT_EQ(map.Cell(2, 0).TileColumn, 0);
  EXPECT_EQ(map.Cell(-1, 0).StackOwner, -1);
}

// A file that breaks off keeps the cells up to the break (the broken one as far
// as it read); the rest of the grid is bare and costs nothing to read.
TEST(TMapRecord, BytesThatEndEarlyGiveBareCellsAfterTheBreak) {
  TMapReadProblem problem;
  const TMapRecord map =
      TMapRecord::Read(std::string("0\r\n\"a\"\r\n\"b\"\r\n[4096 256]\r\n<[3 1]NU0[2 10 3 4 2.5]>\r\n<[5"), &problem);
  EXPECT_EQ(map.Columns, 4096);
  EXPECT_EQ(map.Rows, 256);
  ASSERT_EQ(map.Cells.size(), 2u);
  EXPECT_EQ(map.Cell(0, 0).Stack.Lives, 10);
  EXPECT_EQ(map.Cell(1, 0).TileColumn, 5);
  EXPECT_EQ(map.Cell(1, 0).TileRow, 0);
  EXPECT_EQ(map.Cell(4095, 255).TileColumn, 0);
  EXPECT_EQ(problem.Line, 6);
  EXPECT_EQ(problem.Where, L"клетка (1, 0)");

  // Before the turn counter: no turn, so the world keeps its own.
  EXPECT_FALSE(TMapRecord::Read(std::string(" \r\n")).Turn.has_value());
  // A size beyond the limits reads as 0 x 0 with no cell.
  const TMapRecord huge = TMapRecord::Read(std::string("1 \"a\" \"b\" [4097 1] <[1 1]NN>"));
  EXPECT_EQ(huge.Columns, 0);
  EXPECT_EQ(huge.Rows, 0);
  EXPECT_TRUE(huge.Cells.empty());
}

// Values the game has no object for are dropped one by one and reading goes on;
// the problem report changes nothing that is read.
TEST(TMapRecord, DroppedValuesReadOnAndTheReportChangesNothing) {
  const std::string bytes = GridMapText(-3, 4, 1, {{0, 0, "<[1 1]P(4 5)U0[2 10 3 4 2.5]>"},
                                                   {1, 0, "<[2 2]NU2[1 10 3 4 2.5]>"},
                                                   {2, 0, "<[3 3]NU1[10 10 3 4 2.5]>"},
                                                   {3, 0, "<[4 4]P(3 9)U1[9 1 1 1 1]>"}}) +
                            "trailing";
  TMapReadProblem problem;
  const TMapRecord reported = TMapRecord::Read(bytes, &problem);
  const TMapRecord plain = TMapRecord::Read(bytes);
  EXPECT_EQ(problem.Line, 1);
  for (const TMapRecord* map : {&reported, &plain}) {
    EXPECT_EQ(map->Turn, 0);
    ASSERT_EQ(map->Cells.size(), 4u);
    EXPECT_EQ(map->Cell(0, 0).PlaceType, 0);
    EXPECT_EQ(map->Cell(0, 0).StackOwner, 0);
    EXPECT_EQ(map->Cell(1, 0).StackOwner, -1);
    EXPECT_EQ(map->Cell(1, 0).TileColumn, 2);
    EXPECT_EQ(map->Cell(2, 0).StackOwner, -1);
    EXPECT_EQ(map->Cell(3, 0).PlaceType, 3);
    EXPECT_EQ(map->Cell(3, 0).Stack.Type, 9);
  }
}

}  // namespace
