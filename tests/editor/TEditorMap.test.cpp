// The map window's tools driven through real window messages: fill, pick,
// the selection with copy, cut, paste, move and delete, and a stack's
// description under the right button. Each result is read on the world and
// in the saved file, and undo gives back the same bytes.
#include <algorithm>
#include <string>
#include <vector>

#include "editor/EditorFixture.h"
#include "editor/TEditorCheckView.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinScroll.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/TUnit.h"
#include "world/WorldState.h"

namespace {

// The tools in the panel's order.
constexpr int kGround = 0;
constexpr int kTrees = 1;
constexpr int kStacks = 2;
constexpr int kSelect = 4;
constexpr int kPick = 5;

size_t Count(const std::string& in_text, const std::string& in_part) {
  size_t count = 0;
  for (size_t at = in_text.find(in_part); at != std::string::npos; at = in_text.find(in_part, at + 1)) ++count;
  return count;
}

bool HasTile(int in_column, int in_row, int in_tileColumn, int in_tileRow) {
  const TCell* cell = MapCells[in_column][in_row];
  return cell->TileColumn == in_tileColumn && cell->TileRow == in_tileRow;
}

}  // namespace

TEST_F(EditorTest, FillChangesTheConnectedAreaOfOneTileThroughSidesOrAlsoCornersInOneEdit) {
  StartEditor();
  // A diagonal of flowers from (0, 3) to (3, 0) fences the top-left corner
  // off through the sides, not through the corners.
  const std::string original = GridMapText(0, 6, 5, {{0, 3, "<[1 0]NN>"}, {1, 2, "<[1 0]NN>"},
                                                     {2, 1, "<[1 0]NN>"}, {3, 0, "<[1 0]P(2 1)N>"},
                                                     {4, 4, "<[0 0]NU0[8 12 1 4 3]>"}});
  OpenMap("fill.map", original);
  ChooseTool(kGround);
  ChoosePaletteItem(31);  // deep water, tile (7, 3)
  Click(Panel()->GroundModes[1]);
  ASSERT_TRUE(Panel()->GroundModes[1]->Ticked);
  EXPECT_FALSE(Panel()->GroundModes[0]->Ticked);
  EXPECT_TRUE(Panel()->FillNeighbours[0]->Ticked);  // through the sides unless told

  ClickCell(0, 0);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(HasTile(c, r, 7, 3), c + r < 3) << c << ", " << r;
  EXPECT_EQ(Count(SavedBytes(), "<[7 3]"), 6u);
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), original);

  // Through the corners as well, every grass cell is one area; the fence, its
  // tree and the stack on grass keep what stands on them.
  Click(Panel()->FillNeighbours[1]);
  EXPECT_FALSE(Panel()->FillNeighbours[0]->Ticked);
  ClickCell(0, 0);
  const std::string filled = SavedBytes();
  EXPECT_EQ(Count(filled, "<[7 3]"), 26u);
  EXPECT_EQ(Count(filled, "<[1 0]"), 4u);
  EXPECT_NE(filled.find("<[7 3]NU0[8 12 1 4 3]>"), std::string::npos);
  EXPECT_NE(filled.find("<[1 0]P(2 1)N>"), std::string::npos);
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), original);
  CtrlKey('Y');
  EXPECT_EQ(SavedBytes(), filled);

  // Filling with the tile the area has already is no edit.
  ClickCell(5, 0);
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), original);

  // Back to the brush, a click paints one cell again.
  Click(Panel()->GroundModes[0]);
  ClickCell(0, 0);
  EXPECT_EQ(Count(SavedBytes(), "<[7 3]"), 1u);
}

TEST_F(EditorTest, PickTakesTheCellsTileTreeOrStackWithAllItsValuesIntoTheTools) {
  StartEditor();
  OpenMap("pick.map", GridMapText(0, 5, 4, {{1, 1, "<[2 1]NU1[5 7 3 6 2.5]>"}, {2, 1, "<[3 2]P(3 9)N>"}}));

  // With the ground tool, Alt and a click take the ground even under a stack.
  ChooseTool(kGround);
  AltClickCell(1, 1);
  EXPECT_EQ(Desktop()->Tools.Tool, TEditorTool::kGround);
  ASSERT_NE(Panel()->Palette, nullptr);
  EXPECT_EQ(Panel()->Palette->Chosen, 1 * 8 + 2);
  EXPECT_TRUE(HasTile(1, 1, 2, 1));  // picking changes nothing on the map
  ClickCell(0, 0);
  EXPECT_TRUE(HasTile(0, 0, 2, 1));

  // From the tree tool on a cell without a tree, the topmost thing, the stack,
  // is taken, and the stack tool shows its numbers.
  ChooseTool(kTrees);
  AltClickCell(1, 1);
  EXPECT_EQ(Desktop()->Tools.Tool, TEditorTool::kStack);
  EXPECT_TRUE(Panel()->ToolButtons[kStacks]->Ticked);
  EXPECT_FALSE(Panel()->ToolButtons[kTrees]->Ticked);
  EXPECT_EQ(Panel()->Palette->Chosen, 5);
  EXPECT_EQ(Panel()->Lives->Text, L"7");
  EXPECT_EQ(Panel()->Count->Text, L"3");
  EXPECT_EQ(Panel()->Moves->Text, L"2.5");
  EXPECT_EQ(Panel()->Facing->Value, 6);
  EXPECT_TRUE(Panel()->Owners[1]->Ticked);
  ClickCell(4, 3);
  EXPECT_NE(SavedBytes().find("<[0 0]NU1[5 7 3 6 2.5]>"), std::string::npos);

  // The pick tool takes with a plain click: the big tree, picture 9.
  ChooseTool(kPick);
  ClickCell(2, 1);
  EXPECT_EQ(Desktop()->Tools.Tool, TEditorTool::kTree);
  EXPECT_EQ(Panel()->Palette->Chosen, 16 + 9);
  ClickCell(3, 3);
  const std::string saved = SavedBytes();
  EXPECT_NE(saved.find("<[0 0]P(3 9)N>"), std::string::npos);
  EXPECT_EQ(Count(saved, "U1[5 7 3 6 2.5]"), 2u);
}

TEST_F(EditorTest, ASelectionIsCopiedCutPastedMovedAndDeletedEachInOneEdit) {
  StartEditor();
  const std::string original =
      GridMapText(0, 8, 6, {{1, 1, "<[0 0]NU0[8 12 1 4 3]>"}, {2, 1, "<[0 0]P(2 4)N>"}, {1, 2, "<[5 2]NN>"},
                            {7, 5, "<[0 0]NU1[8 12 1 4 3]>"}});
  OpenMap("select.map", original);
  EXPECT_TRUE(Panel()->Check->Warnings.empty());

  ChooseTool(kSelect);
  DragCells(2, 2, 1, 1);  // either way round
  EXPECT_EQ(Map()->Selection(), (TGridRect{1, 1, 2, 2}));
  CtrlKey('C');
  CtrlKey('V');
  EXPECT_TRUE(Map()->Floating());
  // The block follows the pointer, held by its first cell, until a click puts it down.
  Harness.MouseMove(CellPoint(4, 1).x, CellPoint(4, 1).y);
  ClickCell(5, 3);
  EXPECT_FALSE(Map()->Floating());
  EXPECT_EQ(Map()->Selection(), (TGridRect{5, 3, 2, 2}));
  ASSERT_NE(MapCells[5][3]->Unit, nullptr);
  EXPECT_EQ(MapCells[5][3]->Unit->Owner, 0);
  EXPECT_NE(MapCells[6][3]->Place, nullptr);
  EXPECT_TRUE(HasTile(5, 4, 5, 2));
  EXPECT_EQ(MapCells[4][1]->Unit, nullptr);
  // The check warns of the second queen at once, as after any edit.
  Harness.Tick();
  EXPECT_TRUE(HasWarning(L"Игрок 1: королев 2, а нужна одна."));
  EXPECT_EQ(Players[0].Units.size(), 2u);
  const std::string pasted = SavedBytes();
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), original);
  CtrlKey('Y');
  EXPECT_EQ(SavedBytes(), pasted);

  // A drag from inside the selection moves its cells (here one row up, onto
  // themselves); the row left behind gets the ground tool's tile and nothing.
  DragCells(6, 4, 6, 3);
  EXPECT_EQ(Map()->Selection(), (TGridRect{5, 2, 2, 2}));
  ASSERT_NE(MapCells[5][2]->Unit, nullptr);
  EXPECT_NE(MapCells[6][2]->Place, nullptr);
  EXPECT_TRUE(HasTile(5, 3, 5, 2));
  EXPECT_EQ(MapCells[6][3]->Place, nullptr);
  EXPECT_TRUE(HasTile(5, 4, 0, 0));
  EXPECT_EQ(Players[0].Units.size(), 2u);
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), pasted);
  CtrlKey('Y');

  // Delete empties the selection; the check is content again.
  Harness.Key(VK_DELETE);
  EXPECT_EQ(MapCells[5][2]->Unit, nullptr);
  EXPECT_EQ(MapCells[6][2]->Place, nullptr);
  EXPECT_TRUE(HasTile(5, 3, 0, 0));
  Harness.Tick();
  EXPECT_TRUE(Panel()->Check->Warnings.empty());

  // Cut and paste back where it was is the map as it began.
  DragCells(1, 1, 2, 2);
  CtrlKey('X');
  EXPECT_EQ(MapCells[1][1]->Unit, nullptr);
  EXPECT_TRUE(HasTile(1, 2, 0, 0));
  CtrlKey('V');
  ClickCell(1, 1);
  EXPECT_EQ(SavedBytes(), original);

  // Esc drops a paste on its way; what falls off the map when pasting is cut.
  CtrlKey('V');
  Harness.Key(VK_ESCAPE);
  EXPECT_FALSE(Map()->Floating());
  ClickCell(3, 3);
  EXPECT_EQ(SavedBytes(), original);
  CtrlKey('V');
  ClickCell(7, 5);
  EXPECT_EQ(MapColumns, 8);
  ASSERT_NE(MapCells[7][5]->Unit, nullptr);
  EXPECT_EQ(MapCells[7][5]->Unit->Owner, 0);
  EXPECT_EQ(Map()->Selection(), (TGridRect{7, 5, 1, 1}));
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), original);

  // The clipboard stays over another map.
  OpenMap("other.map", GridMapText(0, 3, 3, {}));
  CtrlKey('V');
  ClickCell(0, 0);
  ASSERT_NE(MapCells[0][0]->Unit, nullptr);
  EXPECT_TRUE(HasTile(0, 1, 5, 2));
}

TEST_F(EditorTest, TheRightButtonShowsAStacksDescriptionAsThePlayerSeesItUntilReleased) {
  StartEditor();
  OpenMap("info.map", GridMapText(0, 6, 5, {{2, 2, "<[0 0]NU1[8 12 1 4 2.5]>"}, {3, 2, "<[0 0]P(3 0)N>"}}));
  const TPoint at = CellPoint(2, 2);
  const TRect box{at.x + 16, at.y + 16, 200, 100};
  Harness.MouseMove(at.x, at.y);
  Harness.Tick();
  const std::vector<uint32_t> before = PixelsIn(box);

  Harness.RightDown(at.x, at.y);
  EXPECT_EQ(Map()->InfoText(),
            L"Тип: Королева\nЖизней: 12\nКоличество: 1\nПередвижений: 2.5\nПринадлежит Игроку:\nBlue Duke");
  Harness.Tick();
  EXPECT_NE(PixelsIn(box), before);
  Harness.RightUp(at.x, at.y);
  EXPECT_TRUE(Map()->InfoText().empty());
  Harness.Tick();
  EXPECT_EQ(PixelsIn(box), before);

  // A tree and bare ground have theirs too.
  const TPoint tree = CellPoint(3, 2);
  Harness.RightDown(tree.x, tree.y);
  EXPECT_NE(Map()->InfoText().find(L"Дерево"), std::wstring::npos);
  Harness.RightUp(tree.x, tree.y);
  const TPoint bare = CellPoint(0, 0);
  Harness.RightDown(bare.x, bare.y);
  EXPECT_EQ(Map()->InfoText(), L"Местность");
  Harness.RightUp(bare.x, bare.y);
}
