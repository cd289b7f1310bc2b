#include "toolkit/TWinButton.h"

#include "toolkit/TWinCheckButton.h"
#include "toolkit/WidgetFixture.h"

namespace {

class TWinButtonTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    Menu = OpenMenu();
    Button = new TWinButton(Menu, Menu, TRect{40, 60, 120, 30}, L"Начать", 7);
    Harness.Tick();
  }
  TRecordingMenu* Menu = nullptr;
  TWinButton* Button = nullptr;
};

TEST_F(TWinButtonTest, ClicksOnlyWhenReleasedOverTheButtonOrOnEntersKeyUp) {
  const TPoint in = OnScreen(Button, 50, 70);
  const TPoint out = OnScreen(Button, 300, 200);
  Harness.LeftDown(in.x, in.y);
  Harness.MouseMove(out.x, out.y);
  Harness.LeftUp(out.x, out.y);
  EXPECT_TRUE(Menu->Notes.empty()) << "released outside";

  Harness.LeftDown(in.x, in.y);
  Harness.MouseMove(out.x, out.y);
  Harness.MouseMove(in.x + 5, in.y + 5);
  Harness.LeftUp(in.x + 5, in.y + 5);
  ASSERT_EQ(Menu->Notes.size(), 1u) << "moved out and back in";
  EXPECT_EQ(Menu->Notes[0].Sender, Button);
  EXPECT_EQ(Menu->Notes[0].Code, kNotifyClick);
  EXPECT_EQ(Menu->Notes[0].P1, 7);

  Harness.KeyDown(VK_RETURN);
  EXPECT_TRUE(Button->Pressed);
  EXPECT_EQ(Menu->Notes.size(), 1u) << "nothing on key-down";
  Harness.KeyUp(VK_RETURN);
  EXPECT_EQ(Menu->Notes.size(), 2u);
  Harness.KeyUp(VK_RETURN);
  EXPECT_EQ(Menu->Notes.size(), 2u) << "an Enter that went down elsewhere clicks nothing";
  EXPECT_TRUE(Menu->KeysReached.empty());
  Harness.Key(VK_TAB);
  EXPECT_EQ(Menu->KeysReached, std::vector<int>{VK_TAB}) << "Tab is not the button's";
}

TEST_F(TWinButtonTest, PressedFrameAndFocusOutlineShow) {
  auto* other = new TWinButton(Menu, Menu, TRect{200, 60, 120, 30}, L"Другая", 8);
  Menu->Dirty = true;  // a widget added late shows at the menu's next repaint
  Harness.Tick();
  EXPECT_EQ(PixelAt(other, 260, 62), kBlackPixel) << "focused";
  EXPECT_NE(PixelAt(Button, 100, 62), kBlackPixel) << "unfocused";
  const uint32_t normal = PixelAt(Button, 42, 75);

  const TPoint in = OnScreen(Button, 100, 75);
  Harness.MouseMove(in.x, in.y);
  Harness.MouseMove(in.x + 1, in.y);  // the picture follows one move later
  Harness.Tick();
  const uint32_t hover = PixelAt(Button, 42, 75);
  Harness.LeftDown(in.x, in.y);
  Harness.Tick();
  EXPECT_NE(PixelAt(Button, 42, 75), normal);
  EXPECT_NE(PixelAt(Button, 42, 75), hover);
  EXPECT_NE(PixelAt(Button, 100, 62), kBlackPixel) << "no outline while pressed";
  Harness.LeftUp(in.x, in.y);
}

TEST_F(TWinButtonTest, CheckButtonReportsItsNewState) {
  auto* check = new TWinCheckButton(Menu, Menu, TRect{40, 120, 200, 30}, L"Полный экран", false);
  ClickAt(check, 50, 130);
  ASSERT_EQ(Menu->Notes.size(), 1u);
  EXPECT_EQ(Menu->Notes[0].P1, 2);
  EXPECT_EQ(Menu->Notes[0].P2, 1);
  Harness.KeyDown(VK_RETURN);
  Harness.KeyUp(VK_RETURN);
  ASSERT_EQ(Menu->Notes.size(), 2u);
  EXPECT_EQ(Menu->Notes[1].P2, 0);

  // Set by the owner: ticked exactly for p1 == 1, whatever the code.
  check->OnNotify(Menu, check, kNotifyReport, 1, 0);
  EXPECT_TRUE(check->Ticked);
  check->OnNotify(Menu, check, kNotifySetValue, 5, 0);
  EXPECT_FALSE(check->Ticked);
  EXPECT_EQ(Menu->Notes.size(), 2u);
  Harness.Tick();
  EXPECT_EQ(PixelAt(check, 140, 122), kRedPixel) << "focus outline";
}

}  // namespace
