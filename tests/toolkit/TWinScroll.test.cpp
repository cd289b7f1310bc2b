#include "toolkit/TWinScroll.h"

#include "toolkit/TWinScrollVert.h"
#include "toolkit/WidgetFixture.h"

namespace {

class TWinScrollTest : public WidgetTest {
 protected:
  void SetUp() override {
    WidgetTest::SetUp();
    Menu = OpenMenu();
    Bar = new TWinScroll(Menu, Menu, TRect{30, 50, 220, 80});
    Harness.Tick();
  }
  // The values the menu heard, in order.
  std::vector<intptr_t> Heard() const {
    std::vector<intptr_t> values;
    for (const TNote& note : Menu->Notes) values.push_back(note.Code == kNotifyScrollValue ? note.P1 : -999);
    return values;
  }
  void Set(TWinScroll* bar, int32_t code, intptr_t p1, intptr_t p2 = 0) { bar->OnNotify(Menu, bar, code, p1, p2); }
  TPoint Screen(const TRect& part, int dx, int dy) { return OnScreen(Bar, part.x + dx, part.y + dy); }

  TRecordingMenu* Menu = nullptr;
  TWinScroll* Bar = nullptr;
};

TEST_F(TWinScrollTest, FreshBarsHaveFixedCrossSizeAndTrack) {
  EXPECT_EQ(Bar->Value, 0);
  EXPECT_EQ(Bar->Minimum, 0);
  EXPECT_EQ(Bar->Maximum, 100);
  EXPECT_EQ(Bar->Height, 35);
  EXPECT_EQ(Bar->Track, 148);
  EXPECT_EQ(Bar->IncreaseRect.x, 30 + 220 - 19);
  EXPECT_EQ(Bar->ThumbRect.y, 55);
  auto* upright = new TWinScrollVert(Menu, Menu, TRect{300, 20, 90, 200});
  EXPECT_EQ(upright->Value, 0);
  EXPECT_EQ(upright->Maximum, 100);
  EXPECT_EQ(upright->Width, 35);
  EXPECT_EQ(upright->Height, 200);
  EXPECT_EQ(upright->Track, 130);
  EXPECT_EQ(upright->ThumbRect.x, 305);
  EXPECT_EQ(upright->ThumbRect.y, 20 + 5 + 13);
  // Moving lays the bar out again, back at the minimum.
  Set(Bar, kNotifySetValue, 40);
  Bar->MoveTo(10, 100);
  EXPECT_EQ(Bar->Value, 0);
  EXPECT_EQ(Bar->ThumbRect.x, 10 + 19);
  EXPECT_EQ(Bar->ThumbRect.y, 105);
}

TEST_F(TWinScrollTest, ValuesAreClampedIntoTheRangeAndReported) {
  Set(Bar, kNotifyReport, 1, 500);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19);
  Set(Bar, kNotifySetValue, 500);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 148);
  Set(Bar, kNotifySetValue, 250);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 249 * 148 / 499);
  Set(Bar, kNotifySetValue, 1000);
  Set(Bar, kNotifySetValue, -3);
  Set(Bar, kNotifyScrollValue, 3);  // not a request: ignored
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{1, 500, 250, 500, 1}));

  Menu->Notes.clear();
  Set(Bar, kNotifyReport, 5, 5);
  Set(Bar, kNotifySetValue, 0);
  Set(Bar, kNotifySetValue, 9);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{5, 5, 5}));
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19);

  // Extreme and reversed ranges never break the bar: no value overflows, and
  // the thumb stays on its track.
  Menu->Notes.clear();
  Set(Bar, kNotifyReport, INT32_MIN, INT32_MAX);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 74) << "5 is the middle of the whole range";
  Set(Bar, kNotifySetValue, INT32_MAX);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 148);
  Harness.Key(VK_RIGHT);
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 148);
  Set(Bar, kNotifyReport, 10, -10);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{5, INT32_MAX, INT32_MAX, -10}));
  EXPECT_EQ(Bar->ThumbRect.x, 30 + 19 + 148) << "past the maximum of a reversed range: at its end";
  Harness.Tick();
}

TEST_F(TWinScrollTest, PressesMoveAtOnceButTheOwnerHearsOnMovesAndRelease) {
  const TPoint increase = Screen(Bar->IncreaseRect, 3, 3);
  Harness.LeftDown(increase.x, increase.y);
  EXPECT_EQ(Bar->Value, 1);
  Harness.MouseMove(increase.x + 1, increase.y);
  EXPECT_TRUE(Menu->Notes.empty());
  Harness.LeftUp(increase.x + 1, increase.y);
  const TPoint decrease = Screen(Bar->DecreaseRect, 3, 3);
  Harness.LeftDown(decrease.x, decrease.y);
  EXPECT_EQ(Bar->Value, 0);
  Harness.LeftUp(decrease.x, decrease.y);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{1, 0}));

  // 74 pixels into the track, past the thumb: value 74 and a drag begins.
  Menu->Notes.clear();
  const TPoint track = Screen(Bar->DecreaseRect, 14 + 74, 6);
  Harness.LeftDown(track.x, track.y);
  EXPECT_EQ(Bar->Value, 74);
  Harness.MouseMove(track.x + 10, track.y + 30);
  Harness.MouseMove(track.x - 5, track.y);
  Harness.LeftUp(track.x - 5, track.y);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{84, 69, 69}));

  // The upright bar follows the vertical movement.
  auto* upright = new TWinScrollVert(Menu, Menu, TRect{300, 20, 35, 200});
  Menu->Notes.clear();
  const TPoint thumb = OnScreen(upright, upright->ThumbRect.x + 3, upright->ThumbRect.y + 3);
  Harness.LeftDown(thumb.x, thumb.y);
  Harness.MouseMove(thumb.x + 50, thumb.y + 12);
  Harness.LeftUp(thumb.x + 50, thumb.y + 12);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{12, 12}));
  const TPoint low = OnScreen(upright, 307, 25 + 13 + 60);
  Harness.LeftDown(low.x, low.y);
  EXPECT_EQ(upright->Value, 60);
  Harness.LeftUp(low.x, low.y);
}

TEST_F(TWinScrollTest, WheelUpAndLeftDecreaseWheelDownAndRightIncrease) {
  Set(Bar, kNotifySetValue, 50);
  Menu->Notes.clear();
  Harness.Wheel(120);
  Harness.Wheel(-120);
  Harness.Wheel(-120);
  Harness.Key(VK_LEFT);
  Harness.Key(VK_LEFT);
  Harness.Key(VK_RIGHT);
  EXPECT_EQ(Heard(), (std::vector<intptr_t>{49, 50, 51, 50, 49, 50}));
  EXPECT_TRUE(Menu->KeysReached.empty());
  Harness.Key(VK_TAB);
  EXPECT_EQ(Menu->KeysReached, std::vector<int>{VK_TAB});
}

TEST_F(TWinScrollTest, FocusOutlineStripAndArrowsAreDrawn) {
  auto* other = new TWinScroll(Menu, Menu, TRect{30, 150, 220, 35});
  Harness.Tick();
  EXPECT_EQ(PixelAt(other, 31, 150 + 25), kRedPixel);
  EXPECT_EQ(PixelAt(Bar, 31, 50 + 25), kVeryLightRedPixel);
  EXPECT_EQ(PixelAt(Bar, 120, 50 + 18), kVeryLightBluePixel);
  const uint32_t arrow = PixelAt(Bar, Bar->DecreaseRect.x + 7, Bar->DecreaseRect.y + 6);
  EXPECT_NE(arrow, kVeryLightBluePixel);
  EXPECT_NE(arrow, kVeryLightRedPixel);
}

}  // namespace
