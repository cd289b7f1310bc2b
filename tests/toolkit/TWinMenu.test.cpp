#include "toolkit/TWinMenu.h"

#include "toolkit/TWinButton.h"
#include "toolkit/WidgetFixture.h"

namespace {

using TWinMenuTest = WidgetTest;

TEST_F(TWinMenuTest, MenuStaysCentredWhenTheWindowIsResized) {
  auto* menu = OpenMenu(300, 230);
  EXPECT_EQ(InputRoot, menu);
  EXPECT_EQ(menu->X, 250);
  EXPECT_EQ(menu->Y, 185);
  auto* button = new TWinButton(menu, menu, TRect{20, 40, 100, 30}, L"Назад", 0);
  Harness.Tick();

  SetClientSize(1024, 768);
  EXPECT_EQ(Desktop->Width, 1024);
  EXPECT_EQ(menu->X, 362);
  EXPECT_EQ(menu->Y, 269);
  EXPECT_EQ(menu->Width, 300);
  EXPECT_EQ(button->X, 20);
  Harness.Tick();
  Harness.LeftClick(362 + 30, 269 + 50);
  ASSERT_EQ(menu->Notes.size(), 1u) << "the button answers at its new place";
}

TEST_F(TWinMenuTest, TabCyclesTheWidgetsAndTheFrameFollowsTheFocus) {
  auto* menu = OpenMenu(300, 230);
  auto* first = new TWinButton(menu, menu, TRect{20, 40, 100, 30}, L"Первая", 1);
  auto* second = new TWinButton(menu, menu, TRect{20, 80, 100, 30}, L"Вторая", 2);
  Harness.Key(VK_TAB);
  EXPECT_EQ(FocusPath.back(), first) << "from the last child to the first";
  Harness.Key(VK_TAB);
  EXPECT_EQ(FocusPath.back(), second);

  auto topEdge = [&] {
    Harness.Tick();
    std::vector<uint32_t> row;
    for (int x = 0; x < 300; x += 7) row.push_back(Harness.ScreenPixel(250 + x, 185 + 2));
    return row;
  };
  const std::vector<uint32_t> active = topEdge();
  Desktop->TakeFocus();
  EXPECT_NE(topEdge(), active);
  first->TakeFocus();
  EXPECT_EQ(topEdge(), active);
}

}  // namespace
