// The map editor driven through real window messages: making a map from
// scratch, painting, undo, saving, opening again, the names and the questions.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/EditorFixture.h"
#include "editor/TEditorCheckView.h"
#include "editor/TEditorSaveMenu.h"
#include "editor/TNewMapMenu.h"
#include "screens/TFailureBox.h"
#include "screens/TNewGameMenu.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinScroll.h"
#include "world/MapFile.h"
#include "world/TCell.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

// The 3 x 2 map the scenario below makes, as the editor saves it.
const std::string kMadeMap = CrLfLines({"0", "\"Red\"", "\"Blue\"", "[3 2]", "<[1 0]NN>", "<[0 0]P(2 5)N>",
                                        "<[0 0]NN>", "", "<[0 0]NN>", "<[0 0]NN>", "<[0 0]NU1[8 10 4 4 3]>", ""});

bool HasWarning(const std::wstring& in_text) {
  const auto& warnings = EditorTest::Panel()->Check->Warnings;
  return std::find(warnings.begin(), warnings.end(), in_text) != warnings.end();
}

}  // namespace

TEST_F(EditorTest, OpensItsOwnWindowOnABlankMapWithTheCheckPanelFilled) {
  StartEditor();
  EXPECT_EQ(Harness.Game().Title, "Редактор карт Крамбол.");
  EXPECT_EQ(Harness.Game().ClassName, "KrambolEditorWinClass");
  ASSERT_NE(Desktop(), nullptr);
  EXPECT_EQ(MapColumns, TEditorDesktop::kStartColumns);
  EXPECT_EQ(MapRows, TEditorDesktop::kStartRows);
  // The map fills the screen left of the panel, which is glued to the right edge.
  EXPECT_EQ(Place(Map()), (TWindowPlace{0, 0, kClientWidth - TEditorPanel::kWidth, kClientHeight}));
  EXPECT_EQ(Place(Panel()), (TWindowPlace{kClientWidth - TEditorPanel::kWidth, 0, TEditorPanel::kWidth, kClientHeight}));
  EXPECT_TRUE(HasWarning(L"Игрок 1: нет имени."));
  EXPECT_TRUE(HasWarning(L"Игрок 2: нет королевы."));
  // The game's settings file is the game's business.
  EXPECT_FALSE(fs::exists(Harness.WorkDir() / "option.ini"));
}

TEST_F(EditorTest, AMapMadeFromScratchIsSavedAndOpensAgainToTheSameBytes) {
  StartEditor();
  ClickButton(Panel(), L"Новая карта");
  Harness.Tick();
  TNewMapMenu* menu = OpenBox<TNewMapMenu>(L"Новая карта");
  ASSERT_NE(menu, nullptr);
  Retype(menu->Columns, L"3");
  Retype(menu->Rows, L"2");
  ClickButton(menu, L"Создать");
  Harness.Tick();
  ASSERT_EQ(MapColumns, 3);
  ASSERT_EQ(MapRows, 2);
  ASSERT_EQ(Map()->Columns(), 3);

  Retype(Panel()->Names[0], L"Red");
  Retype(Panel()->Names[1], L"Blue");
  ChooseTool(0);
  ChoosePaletteItem(1);  // yellow flowers, tile (1, 0)
  ClickCell(0, 0);
  ChooseTool(1);
  ChoosePaletteItem(5);  // ordinary tree 5
  ClickCell(1, 0);
  ChooseTool(2);
  ChoosePaletteItem(8);  // the queen
  Click(Panel()->Owners[1]);
  ClickCell(2, 1);
  // A wrong stroke, taken back and put again, taken back again.
  ClickCell(0, 1);
  CtrlKey('Z');
  CtrlKey('Y');
  EXPECT_NE(MapCells[0][1]->Unit, nullptr);
  ClickButton(Panel(), L"Отменить");
  EXPECT_EQ(MapCells[0][1]->Unit, nullptr);
  Harness.Tick();

  ClickButton(Panel(), L"Сохранить");  // a new map: the menu asks for a name
  Harness.Tick();
  TEditorSaveMenu* save = OpenBox<TEditorSaveMenu>(L"Сохранить карту");
  ASSERT_NE(save, nullptr);
  EXPECT_EQ(save->Name->Text, L"Map01.map");
  Retype(save->Name, L"made");
  Harness.Key(VK_RETURN);
  Harness.Tick();
  EXPECT_EQ(FileBytes("made.map"), kMadeMap);
  EXPECT_FALSE(Desktop()->Document.Modified());

  // Changed and not saved: opening asks first.
  ChooseTool(3);
  ClickCell(1, 0);
  EXPECT_EQ(MapCells[1][0]->Place, nullptr);
  ClickButton(Panel(), L"Открыть");
  Harness.Tick();
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Карта не сохранена");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  TNewGameMenu* list = OpenBox<TNewGameMenu>(L"Открыть карту");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(MapListRows(), std::vector<std::wstring>{L"./made.map"});
  Click(list->List->Children[1]);
  ClickButton(list, L"Загрузить");
  Harness.Tick();
  EXPECT_EQ(WriteMapToBytes(), kMadeMap);
  EXPECT_EQ(Map()->Columns(), 3);
  EXPECT_EQ(Panel()->Names[1]->Text, L"Blue");
  EXPECT_FALSE(Desktop()->Document.CanUndo());

  // Saved again under its own name, it is the same file.
  CtrlKey('S');
  Harness.Tick();
  EXPECT_EQ(FileBytes("made.map"), kMadeMap);
  EXPECT_TRUE(LiveOf<TEditorSaveMenu>().empty());
}

TEST_F(EditorTest, EverySampleMapOpensAndSavesBackToItsOwnBytesWithNothingToWarnOf) {
  std::vector<std::string> names;
  for (const fs::path& path : SampleMapPaths()) {
    names.push_back(path.filename().string());
    CopySampleMap(names.back());
  }
  ASSERT_GE(names.size(), 8u);
  StartEditor();
  for (const std::string& name : names) {
    const std::wstring path = L"./" + std::wstring(name.begin(), name.end());
    ClickButton(Panel(), L"Открыть");
    Harness.Tick();
    TNewGameMenu* list = OpenBox<TNewGameMenu>(L"Открыть карту");
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> rows = MapListRows();
    const auto row = std::find(rows.begin(), rows.end(), path);
    ASSERT_NE(row, rows.end()) << name;
    // Rows beyond the list's height are scrolled to first.
    list->List->ScrollTo(static_cast<int32_t>(row - rows.begin()));
    Click(list->List->Children[1 + (row - rows.begin())]);
    ClickButton(list, L"Загрузить");
    Harness.Tick();
    EXPECT_TRUE(Panel()->Check->Warnings.empty()) << name;
    ASSERT_TRUE(Desktop()->SaveTo(L"again.map"));
    EXPECT_EQ(FileBytes("again.map"), FileBytes(name)) << name;
  }
}

TEST_F(EditorTest, AFileReadWithAProblemSaysWhereAndOneThatCannotBeReadChangesNothing) {
  WriteFile("broken.map", CrLfLines({"0", "\"a\"", "\"b\"", "[2 1]", "<[3 1]NN>", "<[5 x]NN>"}));
  WriteFile("empty.map", "0 \"a\" \"b\" [0 0]");
  StartEditor();
  ASSERT_TRUE(Desktop()->OpenFile(L"./broken.map"));
  Harness.Tick();
  EXPECT_EQ(MapColumns, 2);
  EXPECT_EQ(MapCells[0][0]->TileColumn, 3);
  TWinBox* box = OpenBox(L"Внимание");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Карта прочитана не целиком.\nСтрока 6, столбец 5, клетка (1, 0):\n"
                       L"ожидалось: строка плитки земли,\nнайдено: «x]NN>».\nСохранение запишет карту заново.");
  EXPECT_EQ(InputRoot, box);
  Harness.Key(VK_ESCAPE);
  Harness.Tick();

  EXPECT_FALSE(Desktop()->OpenFile(L"./empty.map"));
  Harness.Tick();
  EXPECT_EQ(MapColumns, 2);
  EXPECT_EQ(Desktop()->Document.FileName(), L"broken.map");
  TFailureBox* failure = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(failure, nullptr);
  EXPECT_EQ(failure->Text, L"Не удалось открыть карту.\n./empty.map");
  EXPECT_EQ(LiveOf<TNewGameMenu>().size(), 1u);
}

TEST_F(EditorTest, AfterAFailedOpenTheListShowsWhatItShowedWithTheFocusOnTheChosenRow) {
  for (int i = 0; i < 24; ++i) WriteFile("e" + std::to_string(10 + i) + ".map", "0 \"a\" \"b\" [0 0]");
  StartEditor();
  ClickButton(Panel(), L"Открыть");
  Harness.Tick();
  TNewGameMenu* list = OpenBox<TNewGameMenu>(L"Открыть карту");
  ASSERT_NE(list, nullptr);
  // Scrolled as a player scrolls, through the bar.
  list->List->ScrollBar->OnNotify(nullptr, list->List->ScrollBar, 1, 3, 0);
  ASSERT_EQ(list->List->First, 3);
  const std::vector<std::wstring> rows = MapListRows();
  Click(list->List->Children[1 + 4]);
  ClickButton(list, L"Загрузить");
  Harness.Tick();
  ASSERT_NE(OpenBox<TFailureBox>(L"Ошибка"), nullptr);
  Harness.Key(VK_ESCAPE);
  Harness.Tick(2);
  TNewGameMenu* again = OpenBox<TNewGameMenu>(L"Открыть карту");
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(InputRoot, again);
  EXPECT_EQ(again->List->First, 3);
  ASSERT_FALSE(FocusPath.empty());
  EXPECT_EQ(FocusPath.back(), again->List->Children[1 + 4]);
  EXPECT_EQ(static_cast<TWinTextList*>(FocusPath.back())->Text, rows[4]);
}

TEST_F(EditorTest, ADragPaintsEveryCellOnTheWayAndOneUndoTakesTheStrokeBack) {
  StartEditor();
  ChooseTool(0);
  ChoosePaletteItem(31);  // deep water, tile (7, 3)
  // A cell away from the map's frame, whose look follows the focus.
  const TPoint middle = CellPoint(2, 1);
  const std::vector<uint32_t> before = Harness.ScreenArea(middle.x - 24, middle.y - 16, 48, 32);

  DragCells(0, 0, 5, 3);
  Harness.Tick();
  // A straight line of cells from (0, 0) to (5, 3), and nothing else.
  const std::vector<std::pair<int, int>> line = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}};
  for (int r = 0; r < MapRows; ++r)
    for (int c = 0; c < MapColumns; ++c) {
      const bool painted = std::find(line.begin(), line.end(), std::make_pair(c, r)) != line.end();
      EXPECT_EQ(MapCells[c][r]->TileColumn == 7 && MapCells[c][r]->TileRow == 3, painted) << c << ", " << r;
    }
  EXPECT_NE(Harness.ScreenArea(middle.x - 24, middle.y - 16, 48, 32), before);

  CtrlKey('Z');
  Harness.Tick();
  for (const auto& [c, r] : line) EXPECT_EQ(MapCells[c][r]->TileColumn, 0) << c << ", " << r;
  EXPECT_EQ(Harness.ScreenArea(middle.x - 24, middle.y - 16, 48, 32), before);
  EXPECT_FALSE(Desktop()->Document.Modified());

  // A brush of three paints the square around the cell.
  // The bar's decrease arrow keeps it at 1 and gives it the focus; two steps
  // of the arrow key make it 3.
  const TWinScroll* brush = Panel()->Brush;
  ASSERT_NE(brush, nullptr);
  const TPoint arrow = OnScreen(brush, brush->DecreaseRect.x + 3, brush->DecreaseRect.y + 3);
  Harness.LeftClick(arrow.x, arrow.y);
  Harness.Key(VK_RIGHT);
  Harness.Key(VK_RIGHT);
  ClickCell(5, 5);
  for (int r = 3; r <= 7; ++r)
    for (int c = 3; c <= 7; ++c)
      EXPECT_EQ(MapCells[c][r]->TileColumn == 7, c >= 4 && c <= 6 && r >= 4 && r <= 6) << c << ", " << r;
}

TEST_F(EditorTest, ANameTakesLatinOneOnlyAndRefusesTheRestWithABox) {
  StartEditor();
  Click(Panel()->Names[0]);
  Type(L"Jos");
  Harness.Char(L'я');
  TFailureBox* box = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_NE(box->Text.find(L"«я»"), std::wstring::npos);
  // Said in plain Russian: which letters a name may hold.
  EXPECT_EQ(box->Text.find(L"ISO"), std::wstring::npos);
  EXPECT_EQ(box->Text.rfind(L"В имени игрока могут быть латинские буквы", 0), 0u);
  EXPECT_EQ(Players[0].Name, L"Jos");
  // While the box is open, typing goes nowhere.
  Harness.Char(L'x');
  EXPECT_EQ(Players[0].Name, L"Jos");
  Harness.Key(VK_RETURN);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TFailureBox>().empty());

  // Back in the field: ISO 8859-1 letters go in, and a quote is refused too.
  // (Kept out of the assertions, whose texts are CP1251, which has no é.)
  const std::wstring jose = L"Jos\u00E9";
  Type(L"\u00E9");
  EXPECT_EQ(Players[0].Name, jose);
  Harness.Char(L'"');
  ASSERT_NE(OpenBox<TFailureBox>(L"Ошибка"), nullptr);
  EXPECT_EQ(Players[0].Name, jose);
  Harness.Key(VK_ESCAPE);
  Harness.Tick();

  // A name holds at most 99 characters.
  Type(std::wstring(120, L'a'));
  EXPECT_EQ(Players[0].Name.size(), 99u);

  // One undo takes the whole name back.
  CtrlKey('Z');
  EXPECT_EQ(Players[0].Name, L"");
  Harness.Tick();
  EXPECT_EQ(Panel()->Names[0]->Text, L"");

  // Saved, the letter is one byte of ISO 8859-1.
  Type(L"\u00E9");
  ASSERT_TRUE(Desktop()->SaveTo(L"latin.map"));
  EXPECT_NE(FileBytes("latin.map").find("\"\xE9\"\r\n"), std::string::npos);
}

TEST_F(EditorTest, AFailedSaveIsShownAndLeavesTheMapUnsavedAndThePreviousFileWhole) {
  StartEditor();
  ChooseTool(1);
  ClickCell(0, 0);
  ClickButton(Panel(), L"Сохранить как");
  Harness.Tick();
  TEditorSaveMenu* save = OpenBox<TEditorSaveMenu>(L"Сохранить карту");
  ASSERT_NE(save, nullptr);
  Retype(save->Name, L"missing/folder/x");
  ClickButton(save, L"Сохранить");
  Harness.Tick();
  TFailureBox* box = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Не удалось сохранить карту.\nmissing/folder/x.map");
  EXPECT_TRUE(Desktop()->Document.Modified());
  EXPECT_FALSE(fs::exists(Harness.WorkDir() / "missing"));
  // The menu is back behind the box, with the name, for another try.
  ASSERT_EQ(LiveOf<TEditorSaveMenu>().size(), 1u);
  EXPECT_EQ(LiveOf<TEditorSaveMenu>().front()->Name->Text, L"missing/folder/x.map");
  ClickButton(box, L"Ok");
  Harness.Tick();

  // A name that is taken asks first; replacing what cannot be replaced fails
  // and leaves it there.
  fs::create_directory(Harness.WorkDir() / "taken.map");
  save = LiveOf<TEditorSaveMenu>().front();
  Retype(save->Name, L"taken");
  ClickButton(save, L"Сохранить");
  Harness.Tick();
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Сохранить карту");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  ASSERT_NE(OpenBox<TFailureBox>(L"Ошибка"), nullptr);
  EXPECT_TRUE(fs::is_directory(Harness.WorkDir() / "taken.map"));
  EXPECT_TRUE(Desktop()->Document.Modified());
}

TEST_F(EditorTest, ClosingWithUnsavedChangesAsksFirst) {
  StartEditor();
  ChooseTool(2);
  ClickCell(3, 3);
  Harness.Close();
  ASSERT_TRUE(IsWindow(Harness.Window()));
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Карта не сохранена");
  ASSERT_NE(question, nullptr);
  // Asked again while the question is open, it is not asked twice.
  Harness.Close();
  EXPECT_EQ(LiveOf<TWinBoxAsk>().size(), 1u);
  ClickButton(question, L"Нет");
  Harness.Tick();
  EXPECT_TRUE(IsWindow(Harness.Window()));
  EXPECT_TRUE(LiveOf<TWinBoxAsk>().empty());

  // Asked over an open menu and answered "Нет", the menu is modal again.
  ClickButton(Panel(), L"Сохранить как");
  Harness.Tick();
  Harness.Close();
  question = OpenBox<TWinBoxAsk>(L"Карта не сохранена");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Нет");
  Harness.Tick();
  ASSERT_EQ(LiveOf<TEditorSaveMenu>().size(), 1u);
  EXPECT_EQ(InputRoot, LiveOf<TEditorSaveMenu>().front());
  ClickButton(Panel(), L"Новая карта");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TNewMapMenu>().empty());

  Harness.Close();
  question = OpenBox<TWinBoxAsk>(L"Карта не сохранена");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  EXPECT_FALSE(IsWindow(Harness.Window()));
}

TEST_F(EditorTest, TheCheckPanelFollowsEveryEdit) {
  StartEditor();
  Retype(Panel()->Names[0], L"A");
  Retype(Panel()->Names[1], L"B");
  ChooseTool(2);
  ChoosePaletteItem(8);
  ClickCell(0, 0);
  Click(Panel()->Owners[1]);
  ClickCell(2, 0);
  Harness.Tick();
  EXPECT_TRUE(Panel()->Check->Warnings.empty());

  // Trees around player 2's queen on the map's edge cut it off.
  ChooseTool(1);
  DragCells(1, 0, 1, 1);
  DragCells(2, 1, 3, 1);
  ClickCell(3, 0);
  Harness.Tick();
  EXPECT_TRUE(HasWarning(L"Игрок 1: ни один отряд не может дойти до отряда противника."));
  EXPECT_TRUE(HasWarning(L"Игрок 2: ни один отряд не может дойти до отряда противника."));
  CtrlKey('Z');
  Harness.Tick();
  EXPECT_TRUE(Panel()->Check->Warnings.empty());

  // The side that moves first is the turn counter's parity.
  Click(Panel()->SecondMovesFirst);
  EXPECT_EQ(TurnCounter, 1);
  CtrlKey('Z');
  EXPECT_EQ(TurnCounter, 0);
  Harness.Tick();
  EXPECT_FALSE(Panel()->SecondMovesFirst->Ticked);
}
