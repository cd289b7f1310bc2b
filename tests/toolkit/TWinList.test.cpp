#include "toolkit/TWinList.h"

#include "toolkit/WidgetFixture.h"

namespace {

class TWinListTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    Menu = OpenMenu();
  }
  TWinList* ListOf(int32_t rows, int items) {
    auto* list = new TWinList(TRect{20, 30, 250, rows * 18 + 4}, Menu, Menu);
    for (int i = 0; i < items; ++i) list->AddItem(L"Карта " + std::to_wstring(i + 1));
    return list;
  }
  static TWinTextList* Row(TWinList* list, int index) {
    return static_cast<TWinTextList*>(list->Children.at(index + 1));
  }
  // Clicks the middle of the row's left part.
  void ClickRow(TWinList* list, int index) { ClickAt(list, 60, Row(list, index)->Y + 9); }
  TRecordingMenu* Menu = nullptr;
};

TEST_F(TWinListTest, ListIsTrimmedToWholeRowsWithItsBarInside) {
  auto* list = new TWinList(TRect{20, 30, 250, 100}, Menu, Menu);
  EXPECT_EQ(list->Rows, 5);
  EXPECT_EQ(list->Height, 94);
  ASSERT_EQ(list->Children, std::vector<TWindow*>{list->ScrollBar});
  const TRect bar = list->ScrollBar->Bounds();
  EXPECT_EQ(bar.x, 20 + 250 - 37);
  EXPECT_EQ(bar.y, 32);
  EXPECT_EQ(bar.width, 35);
  EXPECT_EQ(bar.height, 90);
  list->AddItem(L"Первая");
  list->AddItem(L"Вторая");
  const TRect second = Row(list, 1)->Bounds();
  EXPECT_EQ(second.x, 22);
  EXPECT_EQ(second.y, 30 + 2 + 18);
  EXPECT_EQ(second.width, 250 - 39);
  EXPECT_EQ(second.height, 18);

  auto* tiny = new TWinList(TRect{20, 200, 100, -50}, Menu, Menu);
  tiny->AddItem(L"x");
  EXPECT_EQ(tiny->Rows, 0);
  Harness.Tick();
}

TEST_F(TWinListTest, ScrollRangeCoversTheRowsOutOfView) {
  auto* shortList = ListOf(8, 3);
  EXPECT_EQ(shortList->ScrollBar->Maximum, 0);
  Menu->DeleteChild(shortList);
  auto* list = ListOf(8, 10);
  EXPECT_EQ(list->ScrollBar->Minimum, 0);
  EXPECT_EQ(list->ScrollBar->Maximum, 2);

  // The rows move when the bar reports its value, on release.
  TWinScrollVert* bar = list->ScrollBar;
  const TPoint down = OnScreen(bar, bar->IncreaseRect.x + 3, bar->IncreaseRect.y + 3);
  Harness.LeftDown(down.x, down.y);
  EXPECT_EQ(list->First, 0);
  Harness.LeftUp(down.x, down.y);
  EXPECT_EQ(list->First, 1);
  EXPECT_EQ(Row(list, 0)->Y, 30 + 2 - 18);
  EXPECT_EQ(Row(list, 1)->Y, 30 + 2);
  Harness.Wheel(-120);
  Harness.Wheel(-120);
  EXPECT_EQ(list->First, 2);
  EXPECT_EQ(Row(list, 9)->Y, 30 + 2 + 7 * 18);
  EXPECT_TRUE(Menu->Notes.empty());
}

TEST_F(TWinListTest, ClicksSelectAndDeselectOneRow) {
  auto* list = ListOf(5, 3);
  Harness.Tick();
  ClickRow(list, 0);
  EXPECT_EQ(list->Selected, Row(list, 0));
  ClickRow(list, 1);
  EXPECT_EQ(list->Selected, Row(list, 1));
  EXPECT_FALSE(Row(list, 0)->Selected);
  Harness.Tick();
  EXPECT_EQ(PixelAt(list, 26, Row(list, 1)->Y + 5), kLightRedPixel);
  EXPECT_EQ(PixelAt(list, 26, Row(list, 0)->Y + 5), kVeryLightRedPixel);
  EXPECT_EQ(PixelAt(list, 60, Row(list, 1)->Y + 2), kBluePixel) << "focus outline";
  EXPECT_EQ(PixelAt(list, 20, 60), kBlackPixel) << "list outline";

  ClickRow(list, 1);
  EXPECT_EQ(list->Selected, nullptr);
  EXPECT_FALSE(Row(list, 1)->Selected);
  EXPECT_TRUE(Menu->Notes.empty()) << "rows report to the list";

  const TPoint on = OnScreen(list, 60, Row(list, 0)->Y + 9);
  Harness.LeftDown(on.x, on.y);
  Harness.MouseMove(on.x, on.y + 200);
  Harness.LeftUp(on.x, on.y + 200);
  EXPECT_EQ(list->Selected, nullptr) << "released off the row";
}

TEST_F(TWinListTest, RowsOutOfViewTakeNoClicksAndTabScrollsThemIntoView) {
  auto* list = ListOf(4, 8);
  Harness.Tick();
  // The row below the view lies over the list's bottom margin; the row above
  // it, once scrolled, over the top margin. Neither can be clicked there.
  ClickAt(list, 60, list->Y + list->Height - 2);
  EXPECT_EQ(list->Selected, nullptr) << "the hidden fifth row";
  list->ScrollBar->OnNotify(Menu, list->ScrollBar, kNotifySetValue, 1, 0);
  ASSERT_EQ(list->First, 1);
  ClickAt(list, 60, list->Y + 1);
  EXPECT_EQ(list->Selected, nullptr) << "the hidden first row";
  ClickRow(list, 1);
  EXPECT_EQ(list->Selected, Row(list, 1)) << "rows in view still take clicks";
  ClickRow(list, 1);

  // Tab through the rows: each hidden row scrolls into view as it takes the
  // focus, and nothing is painted outside the list.
  Harness.Tick();
  const int32_t below = list->Y + list->Height + 9;
  const uint32_t under = PixelAt(list, 60, below);
  const uint32_t above = PixelAt(list, 60, list->Y - 9);
  list->ScrollBar->TakeFocus();  // the next Tab goes to row 0, above the view
  for (int row = 0; row < 8; ++row) {
    Harness.Key(VK_TAB);
    ASSERT_EQ(FocusPath.back(), Row(list, row));
    EXPECT_LE(list->First, row);
    EXPECT_GT(list->First + list->Rows, row) << "row " << row << " is in view";
    EXPECT_EQ(list->ScrollBar->Value, list->First) << "the bar shows the position";
    Harness.Tick();
    EXPECT_EQ(PixelAt(list, 60, below), under) << "row " << row;
    EXPECT_EQ(PixelAt(list, 60, list->Y - 9), above) << "row " << row;
    EXPECT_EQ(PixelAt(list, 60, Row(list, row)->Y + 2), kBluePixel) << "the focused row shows, row " << row;
  }
  EXPECT_EQ(list->First, 4);
  Harness.Key(VK_TAB);  // back onto the bar
  Harness.Key(VK_TAB);
  EXPECT_EQ(FocusPath.back(), Row(list, 0));
  EXPECT_EQ(list->First, 0) << "up again to the first row";
}

}  // namespace
