// Clicks right after a box or menu closes, as X test input and fast touchpads
// send them: a press and a release back to back, with no mouse move between
// the box closing and the click.
#include <string>

#include "editor/EditorFixture.h"
#include "editor/TEditorSaveMenu.h"
#include "editor/TNewMapMenu.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinBoxAsk.h"
#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

// How many cells of the map hold a stack.
int StacksOnTheMap() {
  int stacks = 0;
  for (int32_t column = 0; column < MapColumns; ++column)
    for (int32_t row = 0; row < MapRows; ++row) stacks += MapCells[column][row]->Unit != nullptr;
  return stacks;
}

}  // namespace

TEST_F(EditorTest, TheFirstClickAfterABoxOrMenuClosesReachesTheButtonUnderThePointer) {
  WriteFile("broken.map", CrLfLines({"0", "\"a\"", "\"b\"", "[2 1]", "<[3 1]NN>", "<[5 x]NN>"}));
  StartEditor();
  const TPoint saveAs = MiddleOf(ButtonOf(Panel(), L"Сохранить как"));

  // "Ok" on the box of a map read with a problem; the pointer reaches the
  // panel while the box is still there, and the click comes after it went.
  ASSERT_TRUE(Desktop()->OpenFile(L"./broken.map"));
  Harness.Tick();
  TWinBox* box = OpenBox(L"Внимание");
  ASSERT_NE(box, nullptr);
  ClickButton(box, L"Ok");
  Harness.MouseMove(saveAs.x, saveAs.y);
  Harness.Tick();
  Harness.LeftClickInPlace(saveAs.x, saveAs.y);
  Harness.Tick();
  ASSERT_EQ(LiveOf<TEditorSaveMenu>().size(), 1u);

  // "Отмена" on the menu, and the click on the panel before the frame has
  // even taken the menu away.
  TEditorSaveMenu* first = LiveOf<TEditorSaveMenu>().front();
  ClickButton(first, L"Отмена");
  Harness.MouseMove(saveAs.x, saveAs.y);
  Harness.LeftClickInPlace(saveAs.x, saveAs.y);
  Harness.Tick();
  ASSERT_EQ(LiveOf<TEditorSaveMenu>().size(), 1u);
  EXPECT_NE(LiveOf<TEditorSaveMenu>().front(), first);
  EXPECT_EQ(InputRoot, LiveOf<TEditorSaveMenu>().front());
}

TEST_F(EditorTest, AClickOnThePanelNeverLandsOnTheMapUnderIt) {
  StartEditor();
  ChooseTool(2);
  ASSERT_EQ(StacksOnTheMap(), 0);
  const TPoint newMap = MiddleOf(ButtonOf(Panel(), L"Новая карта"));

  // A new map made from the keyboard: the pointer stays on the panel, and the
  // new map window is made under it without a move.
  Harness.LeftClick(newMap.x, newMap.y);
  Harness.Tick();
  ASSERT_EQ(LiveOf<TNewMapMenu>().size(), 1u);
  Harness.Key(VK_RETURN);
  Harness.Tick();
  ASSERT_TRUE(LiveOf<TNewMapMenu>().empty());
  // The default map is wider than its window: cells lie under the panel.
  ASSERT_GT(MapColumns * TWinCell::kWidth, Map()->Width);
  Harness.LeftClickInPlace(newMap.x, newMap.y);
  Harness.Tick();
  EXPECT_EQ(LiveOf<TNewMapMenu>().size(), 1u);
  EXPECT_EQ(StacksOnTheMap(), 0);
  ClickButton(LiveOf<TNewMapMenu>().front(), L"Отмена");
  Harness.Tick();

  // A stroke dragged off the map onto the panel paints only where the map shows.
  const TPoint from = CellPoint(2, 2);
  Harness.LeftDown(from.x, from.y);
  Harness.MouseMove(newMap.x, from.y);
  Harness.LeftUp(newMap.x, from.y);
  EXPECT_NE(MapCells[2][2]->Unit, nullptr);
  EXPECT_EQ(StacksOnTheMap(), 1);
}
