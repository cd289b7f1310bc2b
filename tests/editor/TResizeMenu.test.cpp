// Resizing a map from the panel's "Размер карты": the menu, the anchor and
// the offset, the new cells' tile, the question before trees or stacks are
// cut, and undo and redo giving back the same files.
#include <string>

#include "editor/EditorFixture.h"
#include "editor/TEditorCheckView.h"
#include "editor/TResizeMenu.h"
#include "screens/TFailureBox.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinBoxAsk.h"
#include "world/TCell.h"
#include "world/TPlace.h"
#include "world/WorldState.h"

namespace {

const std::string kSmall =
    GridMapText(1, 4, 3, {{0, 0, "<[0 0]P(2 3)N>"}, {1, 1, "<[2 0]NN>"}, {3, 2, "<[0 0]NU1[8 12 1 4 3]>"}});

class ResizeTest : public EditorTest {
 protected:
  TResizeMenu* OpenResizeMenu() {
    ClickButton(Panel(), L"Размер карты");
    Harness.Tick();
    return OpenBox<TResizeMenu>(L"Размер карты");
  }
  void ChooseTile(TResizeMenu* in_menu, int in_index) {
    const TRect item = in_menu->Tiles->ItemRect(in_index);
    const TPoint p = OnScreen(in_menu->Tiles, item.x + item.width / 2, item.y + item.height / 2);
    Harness.LeftClick(p.x, p.y);
  }
};

}  // namespace

TEST_F(ResizeTest, AGrownMapKeepsItsCellsWhereTheAnchorPutsThemAndUndoGivesTheSameFile) {
  StartEditor();
  OpenMap("small.map", kSmall);
  const TPoint oldPlace = CellPoint(1, 1);
  TResizeMenu* menu = OpenResizeMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Columns->Text, L"4");
  EXPECT_EQ(menu->Rows->Text, L"3");
  EXPECT_TRUE(menu->Anchors[0]->Ticked);
  Retype(menu->Columns, L"7");
  Retype(menu->Rows, L"5");
  Click(menu->Anchors[4]);  // the middle
  EXPECT_FALSE(menu->Anchors[0]->Ticked);
  EXPECT_EQ(menu->OffsetColumns->Text, L"1");
  EXPECT_EQ(menu->OffsetRows->Text, L"1");
  ChooseTile(menu, 9);  // tile (1, 1)
  ClickButton(menu, L"Изменить");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBoxAsk>().empty());  // nothing is cut: no question
  ASSERT_EQ(MapColumns, 7);
  ASSERT_EQ(MapRows, 5);
  EXPECT_EQ(Map()->Columns(), 7);
  EXPECT_NE(MapCells[1][1]->Place, nullptr);
  EXPECT_EQ(MapCells[2][2]->TileColumn, 2);
  ASSERT_NE(MapCells[4][3]->Unit, nullptr);
  EXPECT_EQ(Players[1].Units.size(), 1u);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 1);
  EXPECT_EQ(MapCells[6][4]->TileRow, 1);
  EXPECT_EQ(MapCells[1][2]->TileColumn, 0);  // an old cell keeps its tile
  // The view stays on the old cells.
  EXPECT_EQ(CellPoint(2, 2).x, oldPlace.x);
  EXPECT_EQ(CellPoint(2, 2).y, oldPlace.y);
  const std::string grown = SavedBytes();
  EXPECT_NE(grown.find("[7 5]"), std::string::npos);

  CtrlKey('Z');
  EXPECT_EQ(Map()->Columns(), 4);
  EXPECT_EQ(SavedBytes(), kSmall);
  CtrlKey('Y');
  EXPECT_EQ(Map()->Columns(), 7);
  EXPECT_EQ(SavedBytes(), grown);
}

TEST_F(ResizeTest, CuttingTreesOrStacksIsAskedAboutAndABadSizeIsRefused) {
  StartEditor();
  OpenMap("small.map", kSmall);
  TResizeMenu* menu = OpenResizeMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Columns, L"0");
  ClickButton(menu, L"Изменить");
  TFailureBox* refused = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(refused->Text, L"Столбцов и строк — от 1 до 4096, клеток — не больше 1048576.");
  Harness.Key(VK_RETURN);
  Harness.Tick();
  ASSERT_EQ(LiveOf<TResizeMenu>().size(), 1u);

  // Two by two from the top-left corner cuts the queen: asked, and "Нет" keeps the map.
  Retype(menu->Columns, L"2");
  Retype(menu->Rows, L"2");
  ClickButton(menu, L"Изменить");
  Harness.Tick();
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Размер карты");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Нет");
  Harness.Tick();
  EXPECT_EQ(MapColumns, 4);
  EXPECT_EQ(SavedBytes(), kSmall);

  // Asked again and answered "Да", the map is cut down.
  menu = OpenResizeMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Columns, L"2");
  Retype(menu->Rows, L"2");
  ClickButton(menu, L"Изменить");
  Harness.Tick();
  question = OpenBox<TWinBoxAsk>(L"Размер карты");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  EXPECT_EQ(MapColumns, 2);
  EXPECT_EQ(MapRows, 2);
  EXPECT_TRUE(Players[1].Units.empty());
  EXPECT_EQ(SavedBytes(), GridMapText(1, 2, 2, {{0, 0, "<[0 0]P(2 3)N>"}, {1, 1, "<[2 0]NN>"}}));
  CtrlKey('Z');
  EXPECT_EQ(SavedBytes(), kSmall);
  EXPECT_EQ(Players[1].Units.size(), 1u);

  // An offset typed in unticks the anchors; a size changed with an anchor
  // ticked moves the offset with it.
  menu = OpenResizeMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->OffsetColumns, L"-1");
  for (const TWinCheckButton* anchor : menu->Anchors) EXPECT_FALSE(anchor->Ticked);
  ClickButton(menu, L"Изменить");
  Harness.Tick();
  question = OpenBox<TWinBoxAsk>(L"Размер карты");  // the tree in column 0
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  EXPECT_EQ(MapColumns, 4);
  EXPECT_EQ(MapCells[0][1]->TileColumn, 2);
  ASSERT_NE(MapCells[2][2]->Unit, nullptr);
  EXPECT_EQ(MapCells[0][0]->Place, nullptr);

  menu = OpenResizeMenu();
  ASSERT_NE(menu, nullptr);
  Click(menu->Anchors[8]);
  Retype(menu->Columns, L"10");
  EXPECT_EQ(menu->OffsetColumns->Text, L"6");
  EXPECT_EQ(menu->OffsetRows->Text, L"0");
  ClickButton(menu, L"Отмена");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TResizeMenu>().empty());
  EXPECT_EQ(MapColumns, 4);
}
