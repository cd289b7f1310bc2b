// The comparison behind the scripted Wine session: it must let text drawn a
// pixel apart by two rasterisers pass and still count what really differs.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "Picture.h"
#include "PictureDiff.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// A white picture with a black "stroke": a 2 x 6 bar at (x, y).
Picture WithBar(int x, int y) {
  Picture p(40, 30, kWhite);
  for (int dy = 0; dy < 6; ++dy)
    for (int dx = 0; dx < 2; ++dx) p.Set(x + dx, y + dy, kBlack);
  return p;
}

}  // namespace

TEST(ScreenCheck, ALinesWorthOfShiftPassesWhileMissingInkCounts) {
  DiffOptions options;
  EXPECT_EQ(ComparePictures(WithBar(10, 10), WithBar(10, 10), options).differing, 0);
  // One pixel to the right: every pixel still finds its colour next door.
  EXPECT_EQ(ComparePictures(WithBar(10, 10), WithBar(11, 10), options).differing, 0);
  options.shift = 0;
  EXPECT_EQ(ComparePictures(WithBar(10, 10), WithBar(11, 10), options).differing, 12);

  // Four pixels away is a different picture: both bars count, and the bounds hold both.
  options.shift = 1;
  const DiffResult moved = ComparePictures(WithBar(10, 10), WithBar(14, 10), options);
  EXPECT_EQ(moved.differing, 24);
  EXPECT_EQ(moved.bounds.x, 10);
  EXPECT_EQ(moved.bounds.width, 6);
  EXPECT_EQ(moved.bounds.height, 6);

  // A bar that one picture lacks counts whole, in either order.
  const Picture blank(40, 30, kWhite);
  EXPECT_EQ(ComparePictures(blank, WithBar(10, 10), options).differing, 12);
  EXPECT_EQ(ComparePictures(WithBar(10, 10), blank, options).differing, 12);

  // Colours within the tolerance are the same colour; beyond it they are not.
  Picture grey(40, 30, 0xD8D8D8);
  EXPECT_EQ(ComparePictures(blank, grey, options).differing, 0);
  options.tolerance = 32;
  EXPECT_EQ(ComparePictures(blank, grey, options).differing, 40 * 30);
}

TEST(ScreenCheck, MasksAndTheLimitLeaveRegionsOut) {
  DiffOptions options;
  const Picture blank(40, 30, kWhite);
  options.masks.push_back(Region{9, 9, 4, 8});
  DiffResult r = ComparePictures(blank, WithBar(10, 10), options);
  EXPECT_EQ(r.differing, 0);
  EXPECT_EQ(r.compared, 40 * 30 - 4 * 8);

  options.masks.clear();
  options.limited = true;
  options.limit = Region{0, 0, 11, 30};
  r = ComparePictures(blank, WithBar(10, 10), options);
  EXPECT_EQ(r.differing, 6);
  EXPECT_EQ(r.compared, 11 * 30);

  // Pictures of different sizes differ everywhere.
  r = ComparePictures(blank, Picture(40, 31, kWhite), DiffOptions{});
  EXPECT_EQ(r.differing, r.compared);
  EXPECT_DOUBLE_EQ(r.Percent(), 100.0);

  Region parsed;
  EXPECT_TRUE(ParseRegion("642,182,20,292", parsed));
  EXPECT_EQ(parsed.x + parsed.y + parsed.width + parsed.height, 642 + 182 + 20 + 292);
  EXPECT_FALSE(ParseRegion("642,182,20", parsed));
  EXPECT_FALSE(ParseRegion("1,2,3,-4", parsed));
  EXPECT_FALSE(ParseRegion("1,2,3,4x", parsed));
}

TEST(ScreenCheck, PicturesSurviveAPngRoundTripAndTheMarkedDifference) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("screencheck-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + ".png");
  Picture p = WithBar(3, 4);
  p.Set(39, 29, 0x123456);
  ASSERT_TRUE(p.SavePng(file.string()));
  EXPECT_TRUE(Picture::LoadPng(file.string()) == p);
  std::filesystem::remove(file);
  EXPECT_TRUE(Picture::LoadPng(file.string()).Empty());

  Picture marked;
  ComparePictures(Picture(40, 30, kWhite), WithBar(3, 4), DiffOptions{}, &marked);
  EXPECT_EQ(marked.At(3, 4), 0xFF0000u);
  EXPECT_EQ(marked.At(20, 20), 0x3F3F3Fu);  // unchanged pixels are shown darkened
}
