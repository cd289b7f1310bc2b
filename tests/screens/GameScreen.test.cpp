#include "screens/TGameDesktop.h"

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/FileBytes.h"
#include "support/ScreenFixture.h"
#include "screens/TGameMainMenu.h"
#include "screens/TGameMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "screens/TOptionMenu.h"
#include "screens/TSaveMenu.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinEdit.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "world/CellInfo.h"
#include "world/TMap.h"
#include "world/TWinCell.h"
#include "shell/ErrorLog.h"
#include "world/MapFile.h"
#include "world/WorldState.h"

namespace {

constexpr uint32_t kBlackPixel = 0xFF000000;
constexpr uint32_t kWhitePixel = 0xFFFFFFFF;

class GameScreenTest : public ScreenTest {
 protected:
  // Loads the sample map through the map list and builds the game screen.
  TGameMenu* StartInGame() {
    CopySampleMap("duel.map");
    StartGame();
    ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
    LoadRow(L"./duel.map");
    Harness.Tick();
    const auto sides = LiveOf<TGameMenu>();
    return sides.size() == 1 ? sides.front() : nullptr;
  }

  // The game's main menu, opened through the side menu.
  TGameMainMenu* OpenGameMainMenu(TGameMenu* side) {
    ClickButton(side, L"Главное меню.");
    const auto menus = LiveOf<TGameMainMenu>();
    return menus.size() == 1 ? menus.front() : nullptr;
  }

  // A pixel of the turn swatch that the player's name does not cover.
  uint32_t SwatchPixel(const TGameMenu* side) { return Harness.ScreenPixel(side->X + 155, 167); }

  // Only the game screen's own two windows are open.
  static bool NothingOpenOverTheGame() {
    return RootWindow && RootWindow->Children.size() == 2 && InputRoot == RootWindow;
  }
};

TEST_F(GameScreenTest, SwatchFollowsTheTurnAndSkipTurnAnnouncesTheNextPlayer) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  ASSERT_EQ(TurnCounter, 0);
  EXPECT_EQ(SwatchPixel(side), kBlackPixel);
  EXPECT_EQ(ButtonOf(side, L"Главное меню.")->Owner, RootWindow);
  EXPECT_EQ(ButtonOf(side, L"Пропустить Ход.")->Owner, side);

  ClickButton(side, L"Пропустить Ход.");
  EXPECT_EQ(TurnCounter, 1);
  auto boxes = LiveOf<TWinBox>();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes.front()->Title, L"Переход хода");
  EXPECT_EQ(boxes.front()->Text, L"Играет Игрок:\nBlue Duke");
  EXPECT_EQ(Place(boxes.front()), (TWindowPlace{300, 225, 200, 150}));
  EXPECT_EQ(InputRoot, boxes.front());
  Harness.Tick();
  EXPECT_EQ(SwatchPixel(side), kWhitePixel);

  ClickButton(side, L"Пропустить Ход.");
  EXPECT_EQ(TurnCounter, 1) << "the box is modal";
  Harness.Key(VK_ESCAPE);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
  ClickButton(side, L"Пропустить Ход.");
  EXPECT_EQ(TurnCounter, 2);
  EXPECT_EQ(LiveOf<TWinBox>().front()->Text, L"Играет Игрок:\nRed Baron");
  ClickButton(LiveOf<TWinBox>().front(), L"Ok");
  Harness.Tick();
  EXPECT_EQ(SwatchPixel(side), kBlackPixel);

  // The panel repaints by itself when the counter changes elsewhere.
  TurnCounter = 7;
  Harness.Tick();
  EXPECT_EQ(SwatchPixel(side), kWhitePixel);
}

TEST_F(GameScreenTest, EnterRightAfterTheScreenIsBuiltPassesTheTurn) {
  ASSERT_NE(StartInGame(), nullptr);
  Harness.Key(VK_RETURN);
  EXPECT_EQ(TurnCounter, 1);
  EXPECT_EQ(LiveOf<TWinBox>().size(), 1u);
}

TEST_F(GameScreenTest, APressGoesToTheWindowTheLastMoveFoundEvenAfterABoxClosed) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  const TPoint menu = MiddleOf(ButtonOf(side, L"Главное меню."));
  ClickButton(side, L"Пропустить Ход.");
  ClickButton(LiveOf<TWinBox>().front(), L"Ok");
  // The box is modal until the frame ends: this move finds no window.
  Harness.MouseMove(menu.x, menu.y);
  Harness.Tick();
  ASSERT_TRUE(NothingOpenOverTheGame());
  Harness.LeftClickInPlace(menu.x, menu.y);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TGameMainMenu>().empty());
  // The next move finds the button.
  Harness.LeftClick(menu.x, menu.y);
  EXPECT_EQ(LiveOf<TGameMainMenu>().size(), 1u);
}

TEST_F(GameScreenTest, InGameMainMenuIsModalAndEveryButtonClosesIt) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  TGameMainMenu* menu = OpenGameMainMenu(side);
  ASSERT_NE(menu, nullptr) << "exactly one menu opens";
  EXPECT_EQ(InputRoot, menu);
  EXPECT_EQ(menu->Title, L"Главное Меню");
  EXPECT_EQ(Place(menu), (TWindowPlace{270, 150, 260, 300}));
  EXPECT_EQ(ButtonsOf(menu), (decltype(ButtonsOf(menu)){{L"Назат", 1},
                                                         {L"Загрузить игру", 2},
                                                         {L"Сохранить игру", 5},
                                                         {L"Настроки", 3},
                                                         {L"О программе", 6},
                                                         {L"Выйти", 4}}));

  ClickButton(side, L"Пропустить Ход.");
  ClickButton(side, L"Главное меню.");
  EXPECT_EQ(TurnCounter, 0) << "the side menu cannot be clicked under the menu";
  EXPECT_EQ(LiveOf<TGameMainMenu>().size(), 1u);

  ClickButton(menu, L"Назат");
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());
  EXPECT_EQ(TurnCounter, 0);

  // "Выйти", then "Нет": back to the game without the menu.
  menu = OpenGameMainMenu(side);
  ClickButton(menu, L"Выйти");
  ASSERT_EQ(LiveOf<TWinBoxAsk>().size(), 1u);
  ClickButton(LiveOf<TWinBoxAsk>().front(), L"Нет");
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());
  EXPECT_FALSE(Harness.Game().CloseRequested);

  // About, then "Ok": the game goes on.
  menu = OpenGameMainMenu(side);
  ClickButton(menu, L"О программе");
  ASSERT_EQ(LiveOf<TWinBox>().size(), 1u);
  EXPECT_EQ(LiveOf<TWinBox>().front()->Text, L"Крамбол!");
  ClickButton(LiveOf<TWinBox>().front(), L"Ok");
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());

  // Options and the map list come back to the game's main menu.
  menu = OpenGameMainMenu(side);
  ClickButton(menu, L"Настроки");
  ASSERT_EQ(LiveOf<TOptionMenu>().size(), 1u);
  ClickButton(LiveOf<TOptionMenu>().front(), L"Отмена");
  Harness.Tick();
  ASSERT_EQ(LiveOf<TGameMainMenu>().size(), 1u);
  EXPECT_TRUE(LiveOf<TOptionMenu>().empty());
  menu = LiveOf<TGameMainMenu>().front();
  EXPECT_EQ(InputRoot, menu);
  ClickButton(menu, L"Загрузить игру");
  ASSERT_EQ(LiveOf<TNewGameMenu>().size(), 1u);
  ClickButton(LiveOf<TNewGameMenu>().front(), L"Назад");
  Harness.Tick();
  ASSERT_EQ(LiveOf<TGameMainMenu>().size(), 1u);
  EXPECT_TRUE(LiveOf<TNewGameMenu>().empty());

  // The game screen ignores the menu's "back" request.
  RootWindow->OnNotify(nullptr, RootWindow, 6, 1, 0);
  EXPECT_EQ(LiveOf<TGameMainMenu>().size(), 1u);

  ClickButton(LiveOf<TGameMainMenu>().front(), L"Выйти");
  ClickButton(LiveOf<TWinBoxAsk>().front(), L"Да");
  EXPECT_TRUE(Harness.Game().CloseRequested);
  Harness.Tick();
  EXPECT_FALSE(IsWindow(Harness.Window()));
}

TEST_F(GameScreenTest, SaveMenuWritesTheGameAndTheSaveIsListedNextTime) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  auto saves = LiveOf<TSaveMenu>();
  ASSERT_EQ(saves.size(), 1u);
  TSaveMenu* save = saves.front();
  EXPECT_EQ(InputRoot, save);
  EXPECT_EQ(save->Title, L"Сохранить игру");
  EXPECT_EQ(Place(save), (TWindowPlace{235, 240, 330, 120}));
  EXPECT_EQ(save->Edit->Text, L"Save01.map");
  EXPECT_EQ(save->Edit->Caret, 0);
  EXPECT_EQ(FocusPath.back(), ButtonOf(save, L"Назад"));
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TGameMainMenu>().empty());

  ClickButton(save, L"Сохранить");
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "Save01.map"));
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());

  ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
  ASSERT_EQ(LiveOf<TNewGameMenu>().size(), 1u);
  std::vector<std::wstring> rows;
  TWinList* list = LiveOf<TNewGameMenu>().front()->List;
  for (size_t i = 1; i < list->Children.size(); ++i) rows.push_back(static_cast<TWinTextList*>(list->Children[i])->Text);
  std::sort(rows.begin(), rows.end());
  EXPECT_EQ(rows, (std::vector<std::wstring>{L"./Save01.map", L"./duel.map"}));
  ClickButton(LiveOf<TNewGameMenu>().front(), L"Назад");
  Harness.Tick();

  // Typed letters go in front of the name; Enter in the field saves too.
  ClickButton(LiveOf<TGameMainMenu>().front(), L"Сохранить игру");
  save = LiveOf<TSaveMenu>().front();
  Click(save->Edit);
  Harness.Char(L'A');
  Harness.Char(L'.');
  Harness.Key(VK_RETURN);
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "ASave01.map"));
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());
}

TEST_F(GameScreenTest, LoadingDuringAGameReplacesTheScreenAndAMissingFileKeepsTheWorld) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  TWindow* oldScreen = RootWindow;
  TurnCounter = 5;
  ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
  LoadRow(L"./duel.map");
  EXPECT_EQ(TurnCounter, 0) << "the file is read at once";
  Harness.Tick();
  // The old pair went with the old screen; the new pair belongs to the new one.
  ASSERT_NE(RootWindow, oldScreen);
  ASSERT_EQ(LiveOf<TGameDesktop>().size(), 1u);
  ASSERT_EQ(LiveOf<TGameMenu>().size(), 1u);
  ASSERT_EQ(LiveOf<TMap>().size(), 1u);
  EXPECT_EQ(LiveOf<TMap>().front()->Parent, RootWindow);
  side = LiveOf<TGameMenu>().front();
  EXPECT_EQ(side->Parent, RootWindow);
  EXPECT_TRUE(LiveOf<TNewGameMenu>().empty());

  // A file that went, or holds no cell: the running game stays, untouched.
  WriteFile("gone.map");
  WriteFile("nocells.map", "9\r\n\"a\"\r\n\"b\"\r\n[0 0]\r\n");
  TurnCounter = 3;
  oldScreen = RootWindow;
  TMap* map = LiveOf<TMap>().front();
  for (const std::wstring& path : {std::wstring(L"./gone.map"), std::wstring(L"./nocells.map")}) {
    ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
    std::filesystem::remove(Harness.WorkDir() / "gone.map");
    LoadRow(path);
    EXPECT_FALSE(ScreenRequestPending);
    EXPECT_EQ(TurnCounter, 3);
    EXPECT_EQ(MapColumns, 10);
    EXPECT_EQ(Players[0].Name, L"Red Baron");
    TWinBox* box = OpenBox(L"Ошибка");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text, L"Не удалось открыть карту.\n" + path);
    Harness.Tick();
    EXPECT_EQ(RootWindow, oldScreen);
    EXPECT_EQ(LiveOf<TMap>(), std::vector<TMap*>{map}) << "the same map window, on the same grid";
    EXPECT_EQ(map->CellWindow(0, 0)->Cell, MapCells[0][0]);
    ASSERT_EQ(LiveOf<TNewGameMenu>().size(), 1u) << "back at the map list";
    Harness.Key(VK_ESCAPE);
    Harness.Tick();
    EXPECT_TRUE(LiveOf<TWinBox>().empty());
    EXPECT_EQ(InputRoot, LiveOf<TNewGameMenu>().front());
    ClickButton(LiveOf<TNewGameMenu>().front(), L"Назад");
    Harness.Tick();
    ASSERT_EQ(LiveOf<TGameMainMenu>().size(), 1u);
    ClickButton(LiveOf<TGameMainMenu>().front(), L"Назат");
    Harness.Tick();
    EXPECT_TRUE(NothingOpenOverTheGame());
  }
}

TEST_F(GameScreenTest, ASavedGameLoadsBackThroughTheMenusAsItWasSaved) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  // Mid-game: player 1 to move.
  ClickButton(side, L"Пропустить Ход.");
  Harness.Key(VK_RETURN);
  Harness.Tick();
  ASSERT_EQ(TurnCounter, 1);
  const std::string saved = WriteMapToBytes();

  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  ClickButton(LiveOf<TSaveMenu>().front(), L"Сохранить");
  Harness.Tick();
  EXPECT_TRUE(NothingOpenOverTheGame());
  std::ifstream file(Harness.WorkDir() / "Save01.map", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), saved);

  // Another game in between, then the save from the map list.
  ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
  LoadRow(L"./duel.map");
  Harness.Tick();
  ASSERT_EQ(TurnCounter, 0);
  side = LiveOf<TGameMenu>().front();
  EXPECT_EQ(SwatchPixel(side), kBlackPixel);
  ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
  LoadRow(L"./Save01.map");
  Harness.Tick();
  EXPECT_EQ(WriteMapToBytes(), saved);
  side = LiveOf<TGameMenu>().front();
  EXPECT_EQ(SwatchPixel(side), kWhitePixel) << "player 1 is to move again";
}

TEST_F(GameScreenTest, SaveMenuBackAndEnterOnBackCloseWithoutSaving) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  ClickButton(LiveOf<TSaveMenu>().front(), L"Назад");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TSaveMenu>().empty());
  EXPECT_TRUE(NothingOpenOverTheGame()) << "no menu opens again";

  // The focus starts on "Назад", so Enter at once is "Назад" too.
  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  Harness.Tick();
  Harness.Key(VK_RETURN);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TSaveMenu>().empty());
  EXPECT_TRUE(NothingOpenOverTheGame());
  EXPECT_FALSE(std::filesystem::exists(Harness.WorkDir() / "Save01.map"));
}

TEST_F(GameScreenTest, ASaveThatFailsSaysSoAndKeepsTheMenuForAnotherName) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  // A folder where the file should go: it cannot be replaced, whoever runs.
  std::filesystem::create_directories(Harness.WorkDir() / "Save01.map" / "inside");
  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  TSaveMenu* save = LiveOf<TSaveMenu>().front();
  Click(save->Edit);
  Harness.Key(VK_RETURN);
  TWinBox* box = OpenBox(L"Ошибка");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Text, L"Не удалось сохранить игру.\nSave01.map");
  EXPECT_EQ(InputRoot, box);
  Harness.Tick();
  const TRect boxArea = box->Bounds();
  const std::vector<uint32_t> withBox = PixelsIn(boxArea);
  ASSERT_TRUE(IsLive(save));
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "Save01.map" / "inside"));
  ClickButton(box, L"Ok");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
  Harness.Tick();  // the frame that deleted the box still drew it
  EXPECT_NE(PixelsIn(boxArea), withBox) << "the box was on screen";
  ASSERT_TRUE(IsLive(save));
  EXPECT_EQ(InputRoot, save);
  EXPECT_EQ(FocusPath.back(), save->Edit) << "the field that had the focus has it again";
  EXPECT_EQ(save->Edit->Text, L"Save01.map");

  // Another name works, and closes the menu as a save always did.
  Harness.Char(L'B');
  Harness.Key(VK_RETURN);
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "BSave01.map"));
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TSaveMenu>().empty());
  EXPECT_TRUE(NothingOpenOverTheGame());
  EXPECT_TRUE(ErrorLogEntries().empty()) << "a failed save is no fatal error";
}

TEST_F(GameScreenTest, ANameTypedWithoutTheExtensionIsSavedAsAMapFile) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
  TSaveMenu* save = LiveOf<TSaveMenu>().front();
  Click(save->Edit);
  for (int i = 0; i < 10; ++i) Harness.Key(VK_DELETE);
  ASSERT_EQ(save->Edit->Text, L"");
  for (wchar_t c : std::wstring(L"Mine2")) Harness.Char(c);
  Harness.Key(VK_RETURN);
  EXPECT_TRUE(std::filesystem::exists(Harness.WorkDir() / "Mine2.map"));
  EXPECT_FALSE(std::filesystem::exists(Harness.WorkDir() / "Mine2"));
  Harness.Tick();

  ClickButton(OpenGameMainMenu(side), L"Загрузить игру");
  const std::vector<std::wstring> rows = MapListRows();
  EXPECT_NE(std::find(rows.begin(), rows.end(), L"./Mine2.map"), rows.end()) << "the save is in the map list";
}

TEST_F(GameScreenTest, ANameThatMakesNoListedFileFailsWithTheBoxAndWritesNothing) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  // An earlier save under the hidden name must survive whatever is typed.
  PutFile(Harness.WorkDir() / ".map", "earlier");
  // Keys from the start of "Save01.map": an empty name saved with Enter, only
  // ".map" with the button, and ".ma" (a hidden ".ma.map") with Enter.
  struct TCase {
    std::vector<int> Keys;
    bool Button;
    std::wstring File;
  };
  const std::vector<int> clear(10, VK_DELETE);
  const std::vector<int> dotMap(6, VK_DELETE);
  std::vector<int> dotMa = dotMap;
  dotMa.insert(dotMa.end(), {VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DELETE});
  for (const TCase& typed : {TCase{clear, false, L".map"}, TCase{dotMap, true, L".map"}, TCase{dotMa, false, L".ma.map"}}) {
    SCOPED_TRACE(std::string(typed.File.begin(), typed.File.end()));
    ClickButton(OpenGameMainMenu(side), L"Сохранить игру");
    TSaveMenu* save = LiveOf<TSaveMenu>().front();
    Click(save->Edit);
    for (int i = 0; i < 10; ++i) Harness.Key(VK_LEFT);
    for (const int key : typed.Keys) Harness.Key(key);
    if (typed.Button) {
      ClickButton(save, L"Сохранить");
    } else {
      Harness.Key(VK_RETURN);
    }
    TWinBox* box = OpenBox(L"Ошибка");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text, L"Не удалось сохранить игру.\n" + typed.File);
    EXPECT_EQ(InputRoot, box);
    Harness.Tick();
    ASSERT_TRUE(IsLive(save)) << "the menu stays open";
    ClickButton(box, L"Ok");
    Harness.Tick();
    EXPECT_TRUE(LiveOf<TWinBox>().empty());
    EXPECT_EQ(InputRoot, save);
    ClickButton(save, L"Назад");
    Harness.Tick();
    EXPECT_TRUE(NothingOpenOverTheGame());
  }
  EXPECT_EQ(FileBytes(Harness.WorkDir() / ".map"), "earlier");
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(Harness.WorkDir())) {
    const std::string name = entry.path().filename().string();
    if (name.find(".ma") != std::string::npos) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{".map", "duel.map"})) << "no other save was written";
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(GameScreenTest, HeldRightButtonShowsTheCellDescriptionInTheSideMenu) {
  TGameMenu* side = StartInGame();
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(InfoTextTarget, &side->InfoText);
  auto* cell = dynamic_cast<TWinCell*>(RootWindow->HitTest(TPoint{100, 100}));
  ASSERT_NE(cell, nullptr);
  std::wstring expected;
  DescribeCell(cell->Cell, expected);
  ASSERT_FALSE(expected.empty());

  auto infoRow = [&] {
    std::vector<uint32_t> row;
    for (int x = side->X + 20; x < side->X + 180; ++x) row.push_back(Harness.ScreenPixel(x, 208));
    return row;
  };
  Harness.Tick();
  const std::vector<uint32_t> empty = infoRow();
  Harness.RightDown(100, 100);
  EXPECT_EQ(side->InfoText, expected);
  Harness.Tick();
  EXPECT_NE(infoRow(), empty) << "the text is drawn at (20, 200)";
  Harness.RightUp(100, 100);
  EXPECT_TRUE(side->InfoText.empty());
  Harness.Tick();
  EXPECT_EQ(infoRow(), empty);

  RequestScreen(0);
  Harness.Tick();
  EXPECT_EQ(InfoTextTarget, nullptr) << "the side menu takes its text back when it goes";
}

}  // namespace
