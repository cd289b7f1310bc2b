#include "screens/TMenuDesktop.h"

#include "support/ScreenFixture.h"
#include "screens/TMainMenu.h"
#include "screens/TNewGameMenu.h"
#include "screens/TOptionMenu.h"
#include "toolkit/TWinBox.h"
#include "toolkit/TWinBoxAsk.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinScroll.h"

namespace {

using MenuScreenTest = ScreenTest;

TEST_F(MenuScreenTest, FirstFrameBuildsTheMenuScreenWithTheMainMenuCentred) {
  StartGame();
  ASSERT_NE(dynamic_cast<TMenuDesktop*>(RootWindow), nullptr);
  const auto menus = LiveOf<TMainMenu>();
  ASSERT_EQ(menus.size(), 1u);
  TMainMenu* menu = menus.front();
  EXPECT_EQ(InputRoot, menu);
  EXPECT_EQ(menu->Parent, RootWindow);
  EXPECT_EQ(menu->Title, L"Главное Меню");
  EXPECT_EQ(Place(menu), (TWindowPlace{270, 195, 260, 210}));

  EXPECT_EQ(ButtonsOf(menu), (decltype(ButtonsOf(menu)){
                                 {L"Загрузить игру", 2}, {L"Настроки", 3}, {L"О программе", 6}, {L"Выйти", 4}}));
  EXPECT_EQ(FocusPath.back(), menu->Children.back()) << "a new menu has the focus on \"Выйти\"";

  SetClientSize(1000, 700);
  EXPECT_EQ(menu->X, 370);
  EXPECT_EQ(menu->Y, 245);
}

TEST_F(MenuScreenTest, ExitQuestionNoKeepsTheMenuAndYesClosesAfterTheNextTick) {
  StartGame();
  TMainMenu* menu = LiveOf<TMainMenu>().front();
  ClickButton(menu, L"Выйти");
  auto questions = LiveOf<TWinBoxAsk>();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(InputRoot, questions.front());
  EXPECT_EQ(questions.front()->Title, L"???");
  EXPECT_EQ(questions.front()->Text, L"Вы точно хотите выйти?");
  EXPECT_EQ(Place(questions.front()), (TWindowPlace{320, 250, 160, 100}));
  EXPECT_EQ(questions.front()->Owner, RootWindow);
  EXPECT_TRUE(IsLive(menu)) << "the menu stays under the question";

  ClickButton(questions.front(), L"Нет");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBoxAsk>().empty());
  EXPECT_FALSE(Harness.Game().CloseRequested);
  EXPECT_EQ(InputRoot, RootWindow) << "the closed box hands the input back to its parent";
  ClickButton(menu, L"О программе");
  EXPECT_EQ(LiveOf<TWinBox>().size(), 1u) << "the menu answers again";
  ClickButton(LiveOf<TWinBox>().front(), L"Ok");
  Harness.Tick();

  // Enter on the focused "Выйти" asks; Enter again answers the focused "Нет".
  menu->Children.back()->TakeFocus();
  Harness.Key(VK_RETURN);
  ASSERT_EQ(LiveOf<TWinBoxAsk>().size(), 1u);
  Harness.Key(VK_RETURN);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBoxAsk>().empty());
  EXPECT_FALSE(Harness.Game().CloseRequested);

  ClickButton(menu, L"Выйти");
  ClickButton(LiveOf<TWinBoxAsk>().front(), L"Да");
  EXPECT_TRUE(Harness.Game().CloseRequested);
  EXPECT_TRUE(IsWindow(Harness.Window())) << "nothing closes before the tick ends";
  Harness.Tick();
  EXPECT_FALSE(IsWindow(Harness.Window()));
}

TEST_F(MenuScreenTest, AboutBoxAndF1BoxOpenOnlyWhereTheKeyReachesTheScreen) {
  StartGame();
  TMainMenu* menu = LiveOf<TMainMenu>().front();
  Harness.Key(VK_F1);
  EXPECT_TRUE(LiveOf<TWinBox>().empty()) << "F1 stops at the main menu";

  ClickButton(menu, L"О программе");
  auto boxes = LiveOf<TWinBox>();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes.front()->Title, L"О программе");
  EXPECT_EQ(boxes.front()->Text, L"Крамбол!");
  EXPECT_EQ(Place(boxes.front()), (TWindowPlace{270, 200, 260, 200}));
  EXPECT_EQ(InputRoot, boxes.front());
  Harness.Key(VK_F1);
  EXPECT_EQ(LiveOf<TWinBox>().size(), 1u) << "F1 stops at the box";

  ClickButton(boxes.front(), L"Ok");
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
  EXPECT_TRUE(IsLive(menu));
  EXPECT_EQ(InputRoot, RootWindow);

  Harness.Key(VK_F1);
  boxes = LiveOf<TWinBox>();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes.front()->Title, L"F1");
  EXPECT_EQ(boxes.front()->Text, L"Крамбол");
  EXPECT_EQ(Place(boxes.front()), (TWindowPlace{300, 200, 200, 200}));
  EXPECT_EQ(InputRoot, boxes.front());
  Harness.Key(VK_F1);
  EXPECT_EQ(LiveOf<TWinBox>().size(), 1u) << "further F1 presses stop at the open box";
  Harness.Key(VK_ESCAPE);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TWinBox>().empty());
}

TEST_F(MenuScreenTest, OptionsShowTheClampedIntervalAndOnlyApplyOnApply) {
  WriteFile("option.ini", "1000\r\n0\r\n");
  StartGame();
  ClickButton(LiveOf<TMainMenu>().front(), L"Настроки");
  auto options = LiveOf<TOptionMenu>();
  ASSERT_EQ(options.size(), 1u);
  TOptionMenu* menu = options.front();
  EXPECT_EQ(InputRoot, menu);
  EXPECT_EQ(menu->Title, L"Настроки");
  EXPECT_EQ(Place(menu), (TWindowPlace{250, 185, 300, 230}));
  EXPECT_EQ(menu->Scroll->Value, 500);
  EXPECT_EQ(menu->Scroll->Minimum, 1);
  EXPECT_EQ(menu->Scroll->Maximum, 500);
  EXPECT_EQ(menu->EditedInterval, 500);
  EXPECT_FALSE(menu->Check->Ticked);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TMainMenu>().empty()) << "the options replace the main menu";

  // Tick full screen, reset: 66 and unticked, nothing applied.
  Click(menu->Check);
  EXPECT_TRUE(menu->EditedFullScreen);
  ClickButton(menu, L"Сбросить");
  EXPECT_EQ(menu->Scroll->Value, 66);
  EXPECT_EQ(menu->EditedInterval, 66);
  EXPECT_FALSE(menu->Check->Ticked);
  EXPECT_FALSE(menu->EditedFullScreen);
  EXPECT_FALSE(Harness.Game().SettingsChanged);
  EXPECT_EQ(Harness.Game().RequestedSettings.FrameInterval, 1000);

  // Cancel throws the edits away and brings the main menu back.
  Click(menu->Check);
  ClickButton(menu, L"Отмена");
  EXPECT_FALSE(Harness.Game().SettingsChanged);
  EXPECT_EQ(Harness.Game().RequestedSettings.FrameInterval, 1000);
  EXPECT_FALSE(Harness.Game().RequestedSettings.FullScreen);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TOptionMenu>().empty());
  ASSERT_EQ(LiveOf<TMainMenu>().size(), 1u);
  EXPECT_EQ(InputRoot, LiveOf<TMainMenu>().front());

  // Apply stores the clamped interval as the request.
  ClickButton(LiveOf<TMainMenu>().front(), L"Настроки");
  menu = LiveOf<TOptionMenu>().front();
  ClickButton(menu, L"Применить");
  EXPECT_TRUE(Harness.Game().SettingsChanged);
  EXPECT_EQ(Harness.Game().RequestedSettings.FrameInterval, 500);
  EXPECT_FALSE(Harness.Game().RequestedSettings.FullScreen);
  Harness.Tick();
  EXPECT_TRUE(LiveOf<TOptionMenu>().empty());
  EXPECT_EQ(LiveOf<TMainMenu>().size(), 1u);
  EXPECT_EQ(Harness.Game().AppliedSettings.FrameInterval, 500);

  ClickButton(LiveOf<TMainMenu>().front(), L"Настроки");
  menu = LiveOf<TOptionMenu>().front();
  EXPECT_EQ(menu->Scroll->Value, 500);
  ClickButton(menu, L"Сбросить");
  ClickButton(menu, L"Применить");
  EXPECT_EQ(Harness.Game().RequestedSettings.FrameInterval, 66);
}

}  // namespace
