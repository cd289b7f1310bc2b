// The editor's "Сохранить как" menu: Enter in its field saves as its
// "Сохранить" button does, and the map keeps one name whichever way the file
// was named.
#include <filesystem>
#include <string>

#include "editor/EditorFixture.h"
#include "screens/TFailureBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "world/MapFile.h"

namespace {

namespace fs = std::filesystem;

}  // namespace

TEST_F(EditorTest, EnterInSaveAsSavesAsTheButtonDoesWithTheSameQuestionAndFailureBox) {
  CopySampleMap("duel.map");
  CopySampleMap("forest.map");
  const std::string forest = FileBytes("forest.map");
  StartEditor();
  ClickButton(Panel(), L"Открыть");
  Harness.Tick();
  TNewGameMenu* list = OpenBox<TNewGameMenu>(L"Открыть карту");
  ASSERT_NE(list, nullptr);
  Click(list->List->Children[1]);
  ClickButton(list, L"Загрузить");
  Harness.Tick();
  // The list names it "./duel.map"; the panel shows the name as it is typed.
  EXPECT_EQ(Panel()->Title(), L"duel.map");

  // Under its own name nothing is asked: Enter writes the file.
  ChooseTool(2);
  ClickCell(1, 1);
  EXPECT_EQ(Panel()->Title(), L"duel.map *");
  TEditorSaveMenu* menu = OpenSaveAs();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Name->Text, L"duel.map");
  Harness.Key(VK_RETURN);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TEditorSaveMenu>().empty());
  EXPECT_TRUE(LiveOf<TWinBoxAsk>().empty());
  EXPECT_FALSE(Desktop()->Document.Modified());
  EXPECT_EQ(FileBytes("duel.map"), WriteMapToBytes());

  // Another map's name: the question stays open until it is answered.
  ClickCell(2, 2);
  menu = OpenSaveAs();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Name, L"forest");
  Harness.Key(VK_RETURN);
  Harness.Tick(2);
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Сохранить карту");
  ASSERT_NE(question, nullptr);
  EXPECT_EQ(FileBytes("forest.map"), forest);
  ClickButton(question, L"Да");
  Harness.Tick();
  EXPECT_EQ(FileBytes("forest.map"), WriteMapToBytes());
  EXPECT_EQ(Panel()->Title(), L"forest.map");

  // A name that cannot be written: the failure box stays open over the menu.
  ClickCell(3, 3);
  menu = OpenSaveAs();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Name, L"missing/folder/x");
  Harness.Key(VK_RETURN);
  Harness.Tick(2);
  TFailureBox* failure = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(failure, nullptr);
  EXPECT_EQ(failure->Text, L"Не удалось сохранить карту.\nmissing/folder/x.map");
  EXPECT_EQ(LiveOf<TEditorSaveMenu>().size(), 1u);
  EXPECT_TRUE(Desktop()->Document.Modified());
  EXPECT_FALSE(fs::exists(Harness.WorkDir() / "missing"));
}

TEST_F(EditorTest, TheTitleNamesEveryMapInOneForm) {
  WriteFile("maps/river.map", ::FileBytes(fs::path(KRAMBOL_MAPS_DIR) / "river.map"));
  StartEditor();
  EXPECT_EQ(Panel()->Title(), L"Новая карта");
  ASSERT_TRUE(Desktop()->SaveTo(L"rechka.map"));
  EXPECT_EQ(Panel()->Title(), L"rechka.map");
  ASSERT_TRUE(Desktop()->OpenFile(L"./maps/river.map"));
  EXPECT_EQ(Panel()->Title(), L"maps/river.map");
  ASSERT_TRUE(Desktop()->SaveTo(L"maps/../maps/./river.map"));
  EXPECT_EQ(Panel()->Title(), L"maps/river.map");
}

TEST_F(EditorTest, AFileNameRefusesWhatItCannotTakeWithAMessageInPlainRussian) {
  StartEditor();
  TEditorSaveMenu* menu = OpenSaveAs();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Name, L"reka");
  for (const wchar_t refused : {L'\u0440', L' '}) {
    Harness.Char(refused);
    TFailureBox* box = OpenBox<TFailureBox>(L"Ошибка");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text.rfind(L"В имени файла могут быть только латинские буквы, цифры", 0), 0u);
    EXPECT_NE(box->Text.find(L"«" + std::wstring(1, refused) + L"»"), std::wstring::npos);
    EXPECT_EQ(menu->Name->Text, L"reka");
    Harness.Key(VK_ESCAPE);
    Harness.Tick();
    EXPECT_EQ(InputRoot, menu);
  }
  // Backspace types a control character: it takes the "a" back without a word.
  Harness.Key(VK_BACK);
  EXPECT_TRUE(LiveOf<TFailureBox>().empty());
  Type(L"a_1-2.map");
  EXPECT_EQ(menu->Name->Text, L"reka_1-2.map");
}
