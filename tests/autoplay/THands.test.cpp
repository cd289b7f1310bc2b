#include "autoplay/THands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "autoplay/AutoplayFailure.h"
#include "headless/GameHarness.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"
#include "world/MapFile.h"
#include "world/TWinCell.h"

namespace {

// The game screen of the large sample map at the default window size.
class THandsTest : public ::testing::Test {
 protected:
  THandsTest() : Hands(Harness, 1, 0, 100) {
    std::filesystem::copy_file(std::filesystem::path(KRAMBOL_MAPS_DIR) / "battle.map", Harness.WorkDir() / "battle.map");
    Harness.Start();
    Hands.Tick();
    ReadMapFile(L"battle.map");
    RequestScreen(1);
    Hands.Tick();
  }

  TGameHarness Harness;
  THands Hands;
};

}  // namespace

TEST_F(THandsTest, ShowsAnyTwoCellsTheMapWindowCanHoldAndPointsAtThem) {
  ASSERT_NE(Hands.Map(), nullptr);
  // 584 x 561 pixels of map: ten columns and thirteen rows, a sliver of the ends included.
  const TViewSpan span = Hands.Span();
  EXPECT_EQ(span.Columns, 9);
  EXPECT_EQ(span.Rows, 12);
  const std::pair<TCellPos, TCellPos> pairs[] = {
      {{0, 0}, {9, 12}}, {{47, 31}, {38, 19}}, {{20, 5}, {20, 5}}, {{3, 30}, {12, 18}}, {{47, 0}, {0, 0}}};
  for (const auto& [a, b] : pairs) {
    if (!span.Fits(a, b)) continue;
    Hands.Show(a, b);
    for (const TCellPos cell : {a, b}) {
      const TPoint point = Hands.PointOn(cell);
      EXPECT_EQ(InputRoot->HitTest(point), Hands.CellWindow(cell)) << CellText(cell);
    }
  }
  // Cells too far apart for one view: the second is out of sight after showing the first.
  Hands.Show({47, 0}, {47, 0});
  EXPECT_THROW(Hands.PointOn({0, 0}), TAutoplayFailure);
}

TEST_F(THandsTest, AChangeThatDoesNotComeWithinTheFrameBoundIsASoftLock) {
  int frames = 0;
  Hands.TickUntil([&] { return ++frames > 50; }, "fifty frames");
  try {
    Hands.TickUntil([] { return false; }, "nothing");
    FAIL() << "no soft-lock reported";
  } catch (const TAutoplayFailure& failure) {
    EXPECT_STREQ(failure.what(), "soft-lock: nothing did not happen within 100 frames");
  }
}
