#include "screens/TNewGameMenu.h"

#include <string>
#include <vector>

#include "support/ScreenFixture.h"
#include "screens/TFileSearch.h"
#include "screens/TGameDesktop.h"
#include "screens/TGameMenu.h"
#include "screens/TMainMenu.h"
#include "screens/TMenuDesktop.h"
#include "shell/ErrorLog.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinScrollVert.h"
#include "toolkit/TWinTextList.h"
#include "world/TMap.h"
#include "world/WorldState.h"

namespace {

using MapListTest = ScreenTest;

std::vector<std::wstring> RowsOf(const TNewGameMenu* menu) {
  std::vector<std::wstring> rows;
  for (size_t i = 1; i < menu->List->Children.size(); ++i) {
    rows.push_back(static_cast<TWinTextList*>(menu->List->Children[i])->Text);
  }
  return rows;
}

TWinTextList* RowOf(const TNewGameMenu* menu, const std::wstring& text) {
  for (size_t i = 1; i < menu->List->Children.size(); ++i) {
    auto* row = static_cast<TWinTextList*>(menu->List->Children[i]);
    if (row->Text == text) return row;
  }
  ADD_FAILURE() << "no such row";
  return nullptr;
}

bool Logged(const std::string& line) {
  for (const std::string& entry : ErrorLogEntries()) {
    if (entry.find(line) != std::string::npos) return true;
  }
  return false;
}

ptrdiff_t IndexOf(const std::vector<std::wstring>& list, const std::wstring& item) {
  const auto it = std::find(list.begin(), list.end(), item);
  return it == list.end() ? -1 : it - list.begin();
}

TEST_F(MapListTest, SearchGoesBreadthFirstAndTakesOnlyPlainFilesWithTheExactExtension) {
  WriteFile("maps/deeper/c.map");
  WriteFile("maps/b.map");
  WriteFile("a.map");
  WriteFile("map");
  WriteFile("LEVEL.MAP");
  WriteFile("notes.txt");
  WriteFile("locked.map");
  WriteFile(".hidden.map");
  WriteFile(".secret/inside.map");
  std::filesystem::permissions(Harness.WorkDir() / "locked.map", std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  // A link back up the tree would make the walk endless if it were followed.
  std::filesystem::create_directory_symlink(Harness.WorkDir(), Harness.WorkDir() / "maps" / "loop");
  std::filesystem::create_symlink(Harness.WorkDir() / "a.map", Harness.WorkDir() / "link.map");

  const TFileSearch search(L"./*", {L"map"});
  std::vector<std::wstring> sorted = search.Files;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::wstring>{L"./a.map", L"./map", L"./maps/b.map", L"./maps/deeper/c.map"}));
  EXPECT_LT(IndexOf(search.Files, L"./a.map"), IndexOf(search.Files, L"./maps/b.map"));
  EXPECT_LT(IndexOf(search.Files, L"./map"), IndexOf(search.Files, L"./maps/b.map"));
  EXPECT_LT(IndexOf(search.Files, L"./maps/b.map"), IndexOf(search.Files, L"./maps/deeper/c.map"));
  EXPECT_EQ(search.Patterns.front(), L"./*");
  EXPECT_NE(IndexOf(search.Patterns, L"./maps/*"), -1);
  EXPECT_NE(IndexOf(search.Patterns, L"./maps/deeper/*"), -1);
  EXPECT_EQ(IndexOf(search.Patterns, L"./res/*"), -1) << "links are never entered";
  EXPECT_EQ(IndexOf(search.Patterns, L"./.secret/*"), -1) << "hidden directories are not entered";
  EXPECT_TRUE(ErrorLogEntries().empty());

  const TFileSearch several(L"./*", {L"txt", L"MAP"});
  sorted = several.Files;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::wstring>{L"./LEVEL.MAP", L"./notes.txt"}));
}

TEST_F(MapListTest, ExtensionIsWhatFollowsTheLastDotOrSlash) {
  EXPECT_EQ(TFileSearch::ExtensionOf(L"./a.map"), L"map");
  EXPECT_EQ(TFileSearch::ExtensionOf(L"./map"), L"map");
  EXPECT_EQ(TFileSearch::ExtensionOf(L".\\dir\\b.map"), L"map");
  EXPECT_EQ(TFileSearch::ExtensionOf(L"./a.map."), L"");
  EXPECT_EQ(TFileSearch::ExtensionOf(L".map"), L"map") << "the first character is never looked at";
  EXPECT_EQ(TFileSearch::ExtensionOf(L"map"), L"ap");
  EXPECT_EQ(TFileSearch::ExtensionOf(L""), L"");
}

TEST_F(MapListTest, ASubfolderThatCannotBeOpenedIsSkippedSilently) {
  // A folder whose name is not valid UTF-8 is listed, but the name the search
  // hands back no longer names it, so it cannot be opened: as good as an
  // unreadable folder, for root too. Every folder below "ok" is searched after
  // it whatever order the system lists a folder in.
  WriteFile("ok/deeper/last.map");
  WriteFile("first.map");
  std::filesystem::create_directory(Harness.WorkDir() / std::string("bad\xFF"));
  WriteFile(std::filesystem::path(std::string("bad\xFF")) / "hidden.map");

  const TFileSearch search(L"./*", {L"map"});
  std::vector<std::wstring> sorted = search.Files;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, (std::vector<std::wstring>{L"./first.map", L"./ok/deeper/last.map"}));
  EXPECT_TRUE(ErrorLogEntries().empty()) << "nothing is logged for the folder";
}

TEST_F(MapListTest, SearchThatCannotOpenADirectoryLogsAndKeepsWhatItFound) {
  const TFileSearch missing(L"./nowhere/*", {L"map"});
  EXPECT_TRUE(missing.Files.empty());
  EXPECT_TRUE(Logged("invalid handle value: ./nowhere/*"));
}

TEST_F(MapListTest, MenuListsTheMapsAndLoadsOnlyWithASelection) {
  StartGame();
  WriteFile("a.map");
  WriteFile("maps/b.map");
  WriteFile("LEVEL.MAP");
  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  auto menus = LiveOf<TNewGameMenu>();
  ASSERT_EQ(menus.size(), 1u);
  TNewGameMenu* menu = menus.front();
  EXPECT_EQ(InputRoot, menu);
  EXPECT_EQ(menu->Title, L"Загрузить игру");
  EXPECT_EQ(Place(menu), (TWindowPlace{220, 100, 360, 400}));
  EXPECT_EQ(Place(menu->List), (TWindowPlace{30, 30, 300, 292}));
  EXPECT_EQ(ButtonsOf(menu), (decltype(ButtonsOf(menu)){{L"Загрузить", 1}, {L"Назад", 0}}));
  EXPECT_EQ(RowsOf(menu), (std::vector<std::wstring>{L"./a.map", L"./maps/b.map"}));
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TMainMenu>().empty());

  ClickButton(menu, L"Загрузить");
  EXPECT_FALSE(ScreenRequestPending) << "nothing is selected";
  EXPECT_EQ(InputRoot, menu);
  Click(RowOf(menu, L"./a.map"));
  Click(RowOf(menu, L"./a.map"));
  ASSERT_EQ(menu->List->Selected, nullptr) << "the second click deselects";
  ClickButton(menu, L"Загрузить");
  EXPECT_FALSE(ScreenRequestPending);

  ClickButton(menu, L"Назад");
  EXPECT_FALSE(ScreenRequestPending);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TNewGameMenu>().empty());
  ASSERT_EQ(LiveOf<TMainMenu>().size(), 1u);
  EXPECT_EQ(InputRoot, LiveOf<TMainMenu>().front());
}

TEST_F(MapListTest, MoreRowsThanFitScroll) {
  StartGame();
  for (int i = 0; i < 20; ++i) WriteFile("m" + std::to_string(100 + i) + ".map");
  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  TNewGameMenu* menu = LiveOf<TNewGameMenu>().front();
  EXPECT_EQ(menu->List->ItemCount(), 20);
  EXPECT_EQ(menu->List->Rows, 16);
  EXPECT_EQ(menu->List->ScrollBar->Maximum, 4);
}

TEST_F(MapListTest, AMapThatCannotBeOpenedKeepsThePlayerAtTheMapList) {
  WriteFile("gone.map");
  WriteFile("nocells.map", "0\r\n\"a\"\r\n\"b\"\r\n[0 0]\r\n");
  StartGame();
  TWindow* menuScreen = RootWindow;
  for (const std::wstring& path : {std::wstring(L"./gone.map"), std::wstring(L"./nocells.map")}) {
    SCOPED_TRACE(std::string(path.begin(), path.end()));
    ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
    TNewGameMenu* menu = LiveOf<TNewGameMenu>().back();
    Click(RowOf(menu, path));
    std::filesystem::remove(Harness.WorkDir() / "gone.map");
    ClickButton(menu, L"Загрузить");
    EXPECT_FALSE(ScreenRequestPending);
    EXPECT_EQ(MapColumns, 0);
    TWinBox* box = OpenBox(L"Ошибка");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Text, L"Не удалось открыть карту.\n" + path);
    EXPECT_EQ(InputRoot, box);
    Harness.Tick();
    EXPECT_EQ(RootWindow, menuScreen);
    const TRect boxArea = box->Bounds();
    const std::vector<uint32_t> withBox = PixelsIn(boxArea);
    // The map list is open again, searched anew, with the box over it.
    ASSERT_EQ(LiveOf<TNewGameMenu>().size(), 1u);
    TNewGameMenu* again = LiveOf<TNewGameMenu>().front();
    EXPECT_EQ(MapListRows(), (std::vector<std::wstring>{L"./nocells.map"}));
    Harness.Key(VK_RETURN);
    Harness.Tick();
    EXPECT_TRUE(LiveOf<TWinBox>().empty());
    Harness.Tick();  // the frame that deleted the box still drew it
    EXPECT_NE(PixelsIn(boxArea), withBox) << "the box was on screen";
    EXPECT_EQ(InputRoot, again) << "the list is modal again";
    ClickButton(again, L"Назад");
    Harness.Tick();
  }
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(MapListTest, AfterTheFailureBoxTheFocusIsOnTheChosenRowAndTheListHasNotMoved) {
  // Thirty files without cells: none opens, every one stays listed.
  for (int i = 0; i < 30; ++i) WriteFile("m" + std::to_string(100 + i) + ".map");
  StartGame();
  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  TNewGameMenu* menu = LiveOf<TNewGameMenu>().front();
  TWinScrollVert* bar = menu->List->ScrollBar;
  for (int i = 0; i < 5; ++i) {
    const TPoint arrow = OnScreen(bar, bar->IncreaseRect.x + bar->IncreaseRect.width / 2,
                                  bar->IncreaseRect.y + bar->IncreaseRect.height / 2);
    Harness.LeftClick(arrow.x, arrow.y);
  }
  ASSERT_EQ(menu->List->First, 5);
  const std::vector<std::wstring> rows = RowsOf(menu);
  const std::wstring chosen = rows[8];
  Click(RowOf(menu, chosen));
  ClickButton(menu, L"Загрузить");
  Harness.Tick();
  ASSERT_NE(OpenBox(L"Ошибка"), nullptr);
  TNewGameMenu* again = LiveOf<TNewGameMenu>().front();
  EXPECT_EQ(again->List->First, 5) << "the new list shows the rows the player saw";
  Harness.Key(VK_RETURN);
  Harness.Tick(2);
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
  EXPECT_EQ(InputRoot, again);
  ASSERT_FALSE(FocusPath.empty());
  EXPECT_EQ(FocusPath.back(), RowOf(again, chosen)) << "the focus is back on the chosen row";
  EXPECT_EQ(again->List->First, 5) << "the list did not move";
  EXPECT_EQ(again->List->ScrollBar->Value, 5);
  EXPECT_EQ(again->List->Selected, nullptr);
  // The rows stand where the first list showed them.
  const TWinTextList* neighbour = RowOf(again, rows[10]);
  EXPECT_TRUE(again->List->Shows(neighbour));
  EXPECT_EQ(neighbour->Y, again->List->Y + 2 + (10 - 5) * 18);
  EXPECT_TRUE(ErrorLogEntries().empty());
}

TEST_F(MapListTest, LoadingASampleMapBuildsTheGameScreenAtTheNextFrame) {
  CopySampleMap("duel.map");
  StartGame();
  TWindow* menuScreen = RootWindow;
  ClickButton(LiveOf<TMainMenu>().front(), L"Загрузить игру");
  TNewGameMenu* menu = LiveOf<TNewGameMenu>().front();
  Click(RowOf(menu, L"./duel.map"));
  ClickButton(menu, L"Загрузить");
  EXPECT_TRUE(ScreenRequestPending);
  EXPECT_EQ(RequestedScreen, 1);
  EXPECT_EQ(MapColumns, 10) << "the map is read at once";
  EXPECT_EQ(MapRows, 8);
  EXPECT_EQ(Players[0].Name, L"Red Baron");
  EXPECT_EQ(RootWindow, menuScreen) << "the screen changes only at the next frame";

  Harness.Tick();
  EXPECT_TRUE(LiveOf<TMenuDesktop>().empty());
  EXPECT_TRUE(LiveOf<TNewGameMenu>().empty());
  auto* game = dynamic_cast<TGameDesktop*>(RootWindow);
  ASSERT_NE(game, nullptr);
  EXPECT_EQ(InputRoot, game);
  ASSERT_EQ(game->Children.size(), 2u);
  auto* map = dynamic_cast<TMap*>(game->Children[0]);
  auto* side = dynamic_cast<TGameMenu*>(game->Children[1]);
  ASSERT_NE(map, nullptr);
  ASSERT_NE(side, nullptr);
  EXPECT_EQ(map->Columns(), 10);
  EXPECT_EQ(Place(map), (TWindowPlace{0, 0, 600, 600}));
  EXPECT_EQ(Place(side), (TWindowPlace{600, 0, 200, 600}));
  EXPECT_EQ(FocusPath.back(), ButtonOf(side, L"Пропустить Ход.")) << "the last window made has the focus";

  SetClientSize(1024, 768);
  EXPECT_EQ(Place(side), (TWindowPlace{824, 0, 200, 768}));
  EXPECT_EQ(map->Width, 824);
  EXPECT_EQ(map->Height, 768);
  SetClientSize(640, 480);
  EXPECT_EQ(Place(side), (TWindowPlace{440, 0, 200, 480}));
}

}  // namespace
