// The editor's history: what an edit is, how far undo goes, and when the map
// counts as changed.
#include "editor/TEditorDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/CellContent.h"
#include "support/WorldTestSupport.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

class TEditorDocumentTest : public TWorldTest {
 protected:
  TEditorDocumentTest() {
    ReadMapFromBytes(GridMapText(0, 4, 3, {}));
    Document.Reset(L"grid.map");
  }

  static TCellContent Tile(int32_t in_column, int32_t in_row) {
    TCellContent content;
    content.TileColumn = in_column;
    content.TileRow = in_row;
    return content;
  }

  static TCellContent Queen(int32_t in_owner) {
    TCellContent content;
    content.HasStack = true;
    content.Owner = in_owner;
    content.StackType = 8;
    content.Lives = 12;
    content.Count = 1;
    content.Direction = 2;
    content.Moves = 2.5f;
    return content;
  }

  TEditorDocument Document;
};

}  // namespace

TEST_F(TEditorDocumentTest, UndoGoesBackAHundredEditsAndRedoForwardAgain) {
  // 105 edits: the tile of cell (0, 0) counts them.
  for (int32_t i = 1; i <= 105; ++i) Document.SetCell(0, 0, Tile(i, 0));
  int undone = 0;
  while (Document.Undo()) ++undone;
  EXPECT_EQ(undone, 100);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 5);  // the world after the fifth edit
  EXPECT_TRUE(Document.Modified());

  EXPECT_TRUE(Document.Redo());
  EXPECT_EQ(MapCells[0][0]->TileColumn, 6);
  // A new edit forgets what could still be redone.
  Document.SetCell(1, 0, Tile(3, 3));
  EXPECT_FALSE(Document.CanRedo());
  EXPECT_FALSE(Document.Redo());
}

TEST_F(TEditorDocumentTest, AStrokeIsOneEditAndPaintingBackIsNoEdit) {
  Document.BeginStroke();
  Document.SetCell(0, 0, Tile(1, 0));
  Document.SetCell(1, 0, Tile(1, 0));
  Document.SetCell(0, 0, Tile(2, 0));  // the same cell again within the stroke
  Document.EndStroke();
  EXPECT_EQ(MapCells[0][0]->TileColumn, 2);
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(MapCells[0][0]->TileColumn, 0);
  EXPECT_EQ(MapCells[1][0]->TileColumn, 0);
  EXPECT_FALSE(Document.CanUndo());

  Document.BeginStroke();
  Document.SetCell(2, 2, Tile(5, 1));
  Document.SetCell(2, 2, Tile(0, 0));
  Document.EndStroke();
  EXPECT_FALSE(Document.CanUndo());
  // A cell outside the grid is left alone.
  Document.SetCell(4, 0, Tile(1, 1));
  Document.SetCell(-1, 0, Tile(1, 1));
  EXPECT_FALSE(Document.CanUndo());
}

TEST_F(TEditorDocumentTest, StacksComeAndGoWithTheirPlayersLists) {
  Document.SetCell(3, 2, Queen(1));
  Document.SetCell(0, 0, Queen(1));
  ASSERT_EQ(Players[1].Units.size(), 2u);
  // In the order a map file gives them: row by row.
  EXPECT_EQ(Players[1].Units[0], MapCells[0][0]->Unit);
  EXPECT_NE(WriteMapToBytes().find("\"Blue Duke\"\r\n[4 3]\r\n<[0 0]NU1[8 12 1 2 2.5]>\r\n"), std::string::npos);

  // Another owner is another stack.
  Document.SetCell(3, 2, Queen(0));
  EXPECT_EQ(Players[0].Units.size(), 1u);
  EXPECT_EQ(Players[1].Units.size(), 1u);
  Document.Undo();
  Document.Undo();
  EXPECT_TRUE(Players[0].Units.empty());
  ASSERT_EQ(Players[1].Units.size(), 1u);
  EXPECT_EQ(Players[1].Units[0], MapCells[3][2]->Unit);
  EXPECT_EQ(MapCells[0][0]->Unit, nullptr);
}

TEST_F(TEditorDocumentTest, ANameTypedIsOneEditUntilSomethingElseIsEdited) {
  Document.SetName(0, L"R");
  Document.SetName(0, L"Re");
  Document.SetName(0, L"Red");
  Document.SetCell(0, 0, Tile(1, 0));
  Document.SetName(0, L"Red B");
  Document.SetName(1, L"Blue");
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(Players[1].Name, L"Blue Duke");
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(Players[0].Name, L"Red");
  ASSERT_TRUE(Document.Undo());
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(Players[0].Name, L"Red Baron");
  EXPECT_FALSE(Document.CanUndo());

  // Typed back to what it was, the name is no change at all.
  Document.SetName(1, L"Blue");
  Document.SetName(1, L"Blue Duke");
  EXPECT_FALSE(Document.CanUndo());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(TEditorDocumentTest, TheMapCountsAsChangedUntilSavedOrUndoneToTheSavedState) {
  EXPECT_FALSE(Document.Modified());
  Document.SetTurnCounter(1);
  EXPECT_TRUE(Document.Modified());
  Document.Undo();
  EXPECT_FALSE(Document.Modified());
  Document.Redo();
  EXPECT_TRUE(Document.Modified());
  Document.MarkSaved(L"other.map");
  EXPECT_FALSE(Document.Modified());
  EXPECT_EQ(Document.FileName(), L"other.map");
  // A name typed after saving starts a new edit: one undo is back at the save.
  Document.SetName(0, L"x");
  Document.SetName(0, L"xy");
  EXPECT_TRUE(Document.Modified());
  Document.Undo();
  EXPECT_FALSE(Document.Modified());
  Document.Undo();
  EXPECT_TRUE(Document.Modified());
  EXPECT_EQ(TurnCounter, 0);

  // Saved after edits fell off the history, undoing all that is left is not the save.
  Document.Reset(L"grid.map");
  for (int32_t i = 1; i <= 101; ++i) Document.SetCell(0, 0, Tile(i % 8, 0));
  Document.MarkSaved(L"grid.map");
  Document.SetCell(1, 1, Tile(4, 4));
  while (Document.Undo()) {
  }
  EXPECT_TRUE(Document.Modified());
}

TEST_F(TEditorDocumentTest, AResizeIsOneEditThatUndoAndRedoTakeBackAndForth) {
  Document.SetCell(3, 2, Queen(1));
  const std::string before = WriteMapToBytes();
  const uint64_t grid = Document.GridRevision();
  ASSERT_TRUE(Document.Resize(TResizePlan{2, 2, 0, 0, 1, 0}));
  EXPECT_NE(Document.GridRevision(), grid);
  EXPECT_TRUE(Players[1].Units.empty());
  const std::string after = WriteMapToBytes();
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(WriteMapToBytes(), before);
  ASSERT_EQ(Players[1].Units.size(), 1u);
  EXPECT_EQ(Players[1].Units[0], MapCells[3][2]->Unit);
  ASSERT_TRUE(Document.Redo());
  EXPECT_EQ(WriteMapToBytes(), after);
  // A size the reader refuses is no edit.
  const uint64_t revision = Document.Revision();
  EXPECT_FALSE(Document.Resize(TResizePlan{0, 2}));
  EXPECT_EQ(Document.Revision(), revision);
  Document.Undo();
  Document.Undo();
  EXPECT_FALSE(Document.CanUndo());
  EXPECT_FALSE(Document.Modified());
}

TEST_F(TEditorDocumentTest, SetCellsIsOneEditAndTheHistoryKeepsItsCellsWithinItsBudget) {
  std::vector<TCellPlacement> cells = {{0, 0, Tile(1, 0)}, {1, 0, Queen(0)}, {9, 9, Tile(1, 0)}, {2, 0, Tile(0, 0)}};
  Document.SetCells(cells);
  EXPECT_EQ(Players[0].Units.size(), 1u);
  ASSERT_TRUE(Document.Undo());
  EXPECT_EQ(MapCells[0][0]->TileColumn, 0);
  EXPECT_TRUE(Players[0].Units.empty());
  EXPECT_FALSE(Document.CanUndo());
  // Nothing that changes is no edit.
  Document.SetCells({{2, 0, Tile(0, 0)}});
  EXPECT_FALSE(Document.CanUndo());

  // Fills of a 512 x 512 map: each holds a quarter of a million cells twice,
  // so the history keeps the newest eight.
  ASSERT_TRUE(CreateBlankWorld(512, 512));
  Document.Reset(L"");
  for (int32_t fill = 1; fill <= 10; ++fill) {
    std::vector<TCellPlacement> all;
    for (int32_t r = 0; r < 512; ++r)
      for (int32_t c = 0; c < 512; ++c) all.push_back(TCellPlacement{c, r, Tile(fill % 8, fill / 8)});
    Document.SetCells(all);
  }
  int undone = 0;
  while (Document.Undo()) ++undone;
  EXPECT_EQ(undone, 8);
  EXPECT_EQ(MapCells[511][511]->TileColumn, 2);  // as the second fill left it
}
