// Saves the system refuses, met through the save menu: a read-only save file,
// a folder the player may not write, and a disk that takes no more (here a
// limit on the size of files). Each fails with the box, leaves the previous
// save byte for byte as it was and no temporary file, and the game plays on.
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "screens/TGameMainMenu.h"
#include "screens/TGameMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TSaveMenu.h"
#include "shell/ErrorLog.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/ScreenFixture.h"
#include "toolkit/TWinEdit.h"
#include "world/WorldState.h"

namespace {

namespace fs = std::filesystem;

// An older game under the default name, shorter than the one saved now.
const std::string kPrevious = "3\r\n\"Old\"\r\n\"Game\"\r\n[0 0]\r\n";

class SaveRefusalTest : public ScreenTest {
 protected:
  void SetUp() override {
    CopySampleMap("duel.map");
    WriteFile("Save01.map", kPrevious);
  }

  fs::path SaveFile() const { return Harness.WorkDir() / "Save01.map"; }

  // Starts the game on the duel map, saves it under the default name through
  // the save menu, and checks that the save fails as the player sees it and
  // that the game goes on.
  void SaveIsRefusedAndTheGamePlaysOn() {
    StartGame();
    ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
    const auto lists = LiveOf<TNewGameMenu>();
    ASSERT_EQ(lists.size(), 1u);
    for (TWinTextList* row : RowsWindowsOf(lists.front()->List))
      if (row->Text == L"./duel.map") Click(row);
    ClickButton(lists.front(), L"Загрузить");
    Harness.Tick();
    const auto sides = LiveOf<TGameMenu>();
    ASSERT_EQ(sides.size(), 1u);
    TGameMenu* side = sides.front();
    const int32_t turn = TurnCounter;

    ClickButton(side, L"Главное меню.");
    ClickButton(LiveOf<TGameMainMenu>().front(), L"Сохранить игру");
    TSaveMenu* save = LiveOf<TSaveMenu>().front();
    Click(save->Edit);
    Harness.Key(VK_RETURN);
    TWinBox* box = OpenBox(L"Ошибка");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text, L"Не удалось сохранить игру.\nSave01.map");
    EXPECT_EQ(FileBytes(SaveFile()), kPrevious) << "the previous save is as it was";
    EXPECT_FALSE(fs::exists(fs::symlink_status(Harness.WorkDir() / "Save01.map.tmp"))) << "no temporary file";
    Harness.Tick();
    ClickButton(box, L"Ok");
    Harness.Tick();
    ASSERT_TRUE(IsLive(save)) << "the menu stays for another try";
    ClickButton(save, L"Назад");
    Harness.Tick();
    EXPECT_TRUE(LiveOf<TSaveMenu>().empty());

    // The game goes on: the turn passes, and the next player's box comes and goes.
    ClickButton(side, L"Пропустить Ход.");
    EXPECT_EQ(TurnCounter, turn + 1);
    TWinBox* passed = OpenBox(L"Переход хода");
    ASSERT_NE(passed, nullptr);
    ClickButton(passed, L"Ok");
    Harness.Tick();
    EXPECT_TRUE(LiveOf<TWinBox>().empty());
    EXPECT_TRUE(ErrorLogEntries().empty()) << "a refused save is no fatal error";
  }

  // The row windows of a list (its first child is the scroll bar).
  static std::vector<TWinTextList*> RowsWindowsOf(const TWindow* list) {
    std::vector<TWinTextList*> rows;
    for (TWindow* child : list->Children)
      if (auto* row = dynamic_cast<TWinTextList*>(child)) rows.push_back(row);
    return rows;
  }
};

}  // namespace

TEST_F(SaveRefusalTest, AReadOnlySaveFileIsKept) {
  // Read-only for everyone, so root's game keeps it too, as Windows does.
  fs::permissions(SaveFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  SaveIsRefusedAndTheGamePlaysOn();
}

TEST_F(SaveRefusalTest, AFolderThePlayerMayNotWriteKeepsThePreviousSave) {
  // The game runs as a player without rights to the folder: root's folder for
  // the user nobody, or the player's own folder made read-only.
  const bool root = geteuid() == 0;
  const std::string failures = FailuresInChild(
      [&] {
        if (!root) fs::permissions(Harness.WorkDir(), fs::perms::owner_write, fs::perm_options::remove);
        ASSERT_NE(access(Harness.WorkDir().c_str(), W_OK), 0) << "the folder is read-only for the game";
        SaveIsRefusedAndTheGamePlaysOn();
      },
      TChildUser::Player);
  EXPECT_EQ(failures, "");
  if (!root) fs::permissions(Harness.WorkDir(), fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(SaveRefusalTest, ADiskThatTakesNoMoreKeepsThePreviousSave) {
  // The player may write files of 200 bytes at most; the duel map takes more.
  const std::string failures = FailuresInChild([&] {
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    limit.rlim_cur = 200;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
    SaveIsRefusedAndTheGamePlaysOn();
  });
  EXPECT_EQ(failures, "") << "(signal 25 is SIGXFSZ: the system ended the game for writing too much)";
}
