// The file menu ("Файлы…"): folders outside the working directory, listed
// and walked through, maps opened and saved there, and the same questions and
// failure boxes as the map list and the save-as menu.
#include <filesystem>
#include <string>
#include <vector>

#include "editor/EditorFixture.h"
#include "editor/TEditorFileMenu.h"
#include "screens/TFailureBox.h"
#include "support/WorldTestSupport.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinList.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

class FileMenuTest : public EditorTest {
 protected:
  // A folder beside the working directory, not in its tree.
  FileMenuTest() : Outside(Harness.WorkDir().parent_path() / (Harness.WorkDir().filename().string() + "-outside")) {
    fs::create_directories(Outside / "sub");
    PutFile(Outside / "far.map", GridMapText(0, 5, 4, {{1, 1, "<[3 0]NN>"}}));
    PutFile(Outside / "sub" / "deep.map", GridMapText(0, 2, 2, {}));
    PutFile(Outside / "notes.txt", "not a map");
  }
  ~FileMenuTest() override {
    std::error_code ignored;
    fs::remove_all(Outside, ignored);
  }

  TEditorFileMenu* OpenFileMenu() {
    ClickButton(Panel(), L"Файлы…");
    Harness.Tick();
    return OpenBox<TEditorFileMenu>(L"Файлы");
  }
  // Clicks the row with the text; fails when the list has none.
  void ClickRow(TEditorFileMenu* in_menu, const std::wstring& in_text) {
    for (size_t i = 0; i < in_menu->Entries.size(); ++i)
      if (in_menu->Entries[i] == in_text) {
        Click(in_menu->List->Children[1 + i]);
        return;
      }
    ADD_FAILURE() << "no such row";
  }
  static std::wstring Wide(const fs::path& in_path) { return MapFileNameOf(in_path); }

  const fs::path Outside;
};

}  // namespace

TEST_F(FileMenuTest, AFolderOutsideTheWorkingDirectoryIsListedWalkedThroughAndItsMapOpened) {
  StartEditor();
  TEditorFileMenu* menu = OpenFileMenu();
  ASSERT_NE(menu, nullptr);
  // A map never saved starts in the working directory.
  EXPECT_EQ(menu->Folder->Text, Wide(fs::absolute(Harness.WorkDir()).lexically_normal()));
  Retype(menu->Folder, Wide(Outside));
  Harness.Key(VK_RETURN);
  EXPECT_EQ(menu->Entries, (std::vector<std::wstring>{L"../", L"sub/", L"far.map"}));

  ClickRow(menu, L"sub/");
  Harness.Tick();
  EXPECT_EQ(menu->Folder->Text, Wide(Outside / "sub"));
  EXPECT_EQ(menu->Entries, (std::vector<std::wstring>{L"../", L"deep.map"}));
  ClickRow(menu, L"../");
  Harness.Tick();
  EXPECT_EQ(menu->Folder->Text, Wide(Outside));

  ClickRow(menu, L"far.map");
  EXPECT_EQ(menu->Name->Text, L"far.map");
  ClickButton(menu, L"Открыть");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TEditorFileMenu>().empty());
  EXPECT_EQ(MapColumns, 5);
  EXPECT_EQ(Desktop()->Document.FileName(), Wide(Outside / "far.map"));
  EXPECT_EQ(SavedBytes(), ::FileBytes(Outside / "far.map"));

  // Opened again, the menu shows the folder of the map; a whole path typed
  // as the name is taken as it is.
  ChooseTool(1);
  ClickCell(0, 0);
  menu = OpenFileMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Name, Wide(Outside / "sub" / "deep.map"));
  ClickButton(menu, L"Открыть");
  Harness.Tick();
  // Unsaved changes are asked about first.
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Карта не сохранена");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Да");
  Harness.Tick();
  EXPECT_EQ(MapColumns, 2);
  EXPECT_EQ(Desktop()->Document.FileName(), Wide(Outside / "sub" / "deep.map"));
}

TEST_F(FileMenuTest, MapsAreSavedOutsideAndFailuresShowTheSameBoxesOverTheMenuAgain) {
  StartEditor();
  ChooseTool(2);
  ClickCell(1, 1);
  TEditorFileMenu* menu = OpenFileMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Folder, Wide(Outside / "sub"));
  Harness.Key(VK_RETURN);
  Retype(menu->Name, L"made");
  ClickButton(menu, L"Сохранить");
  Harness.Tick();
  const fs::path made = Outside / "sub" / "made.map";
  EXPECT_EQ(::FileBytes(made), WriteMapToBytes());
  EXPECT_FALSE(Desktop()->Document.Modified());
  EXPECT_EQ(Desktop()->Document.FileName(), Wide(made));
  // Ctrl+S saves there again.
  ClickCell(2, 2);
  CtrlKey('S');
  EXPECT_EQ(::FileBytes(made), WriteMapToBytes());

  // Another file of that name is asked about before it is replaced.
  menu = OpenFileMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Folder->Text, Wide(Outside / "sub"));
  Retype(menu->Name, L"deep.map");
  ClickButton(menu, L"Сохранить");
  Harness.Tick();
  TWinBoxAsk* question = OpenBox<TWinBoxAsk>(L"Сохранить карту");
  ASSERT_NE(question, nullptr);
  ClickButton(question, L"Нет");
  Harness.Tick();
  EXPECT_EQ(::FileBytes(Outside / "sub" / "deep.map"), GridMapText(0, 2, 2, {}));

  // A file that is not there, and a folder that is not there.
  menu = OpenFileMenu();
  ASSERT_NE(menu, nullptr);
  Retype(menu->Name, L"missing.map");
  ClickButton(menu, L"Открыть");
  Harness.Tick();
  TFailureBox* box = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Не удалось открыть карту.\n" + Wide(Outside / "sub" / "missing.map"));
  ASSERT_EQ(LiveOf<TEditorFileMenu>().size(), 1u);
  EXPECT_EQ(LiveOf<TEditorFileMenu>().front()->Name->Text, L"missing.map");
  EXPECT_EQ(Desktop()->Document.FileName(), Wide(made));
  ClickButton(box, L"Ok");
  Harness.Tick();

  menu = LiveOf<TEditorFileMenu>().front();
  Retype(menu->Name, Wide(Outside / "nowhere" / "x"));
  ClickButton(menu, L"Сохранить");
  Harness.Tick();
  box = OpenBox<TFailureBox>(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Не удалось сохранить карту.\n" + Wide(Outside / "nowhere" / "x.map"));
  EXPECT_EQ(Desktop()->Document.FileName(), Wide(made));
  EXPECT_FALSE(fs::exists(Outside / "nowhere"));
  ASSERT_EQ(LiveOf<TEditorFileMenu>().size(), 1u);
  ClickButton(box, L"Ok");
  Harness.Tick();
  ClickButton(LiveOf<TEditorFileMenu>().front(), L"Отмена");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TEditorFileMenu>().empty());
}
