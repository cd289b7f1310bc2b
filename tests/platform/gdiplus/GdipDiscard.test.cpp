// Our own hook for runs that never look at the screen: while drawing is
// discarded, every drawing call answers as usual but no pixel changes.
#ifndef _WIN32

#include "GdipTestSupport.h"
#include "platform/PlatformTest.h"

namespace {

const ARGB kWhite = 0xFFFFFFFF;
const ARGB kRed = 0xFFFF0000;

class GdipDiscard : public GdipTest {
 protected:
  void TearDown() override {
    PlatformTest::DiscardDrawing(false);
    GdipTest::TearDown();
  }
};

// Clears, fills, draws an image and writes a word over the whole canvas.
void DrawEverything(TestBitmap& canvas, GpBitmap* image, GpFont* font, GpStatus expected) {
  TestBrush red(kRed);
  const RectF layout(0.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(expected, GdipGraphicsClear(canvas.Graphics(), kRed));
  EXPECT_EQ(expected, GdipFillRectangleI(canvas.Graphics(), red.Get(), 0, 0, 8, 8));
  EXPECT_EQ(expected, GdipDrawImageRectRectI(canvas.Graphics(), image, 0, 0, 8, 8, 0, 0, 2, 2, UnitPixel, nullptr, nullptr, nullptr));
  EXPECT_EQ(expected, GdipDrawString(canvas.Graphics(), L"Ww", -1, font, &layout, nullptr, red.Get()));
}

}  // namespace

TEST_F(GdipDiscard, DrawingAnswersAsUsualButChangesNoPixelUntilItIsBack) {
  GpFontFamily* family = nullptr;
  ASSERT_EQ(Ok, GdipCreateFontFamilyFromName(L"Times New Roman", nullptr, &family));
  GpFont* font = nullptr;
  ASSERT_EQ(Ok, GdipCreateFont(family, 10.0f, FontStyleRegular, UnitPoint, &font));
  TestBitmap image(2, 2);
  ASSERT_EQ(Ok, GdipGraphicsClear(image.Graphics(), kRed));
  TestBitmap canvas(8, 8);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));

  PlatformTest::DiscardDrawing(true);
  DrawEverything(canvas, image.Bitmap(), font, Ok);
  EXPECT_TRUE(canvas.Ink(kWhite, 0).Empty());
  // Bad arguments are still refused.
  TestBrush red(kRed);
  EXPECT_EQ(InvalidParameter, GdipFillRectangleI(nullptr, red.Get(), 0, 0, 2, 2));
  const RectF layout(0.0f, 0.0f, 0.0f, 0.0f);
  EXPECT_EQ(InvalidParameter, GdipDrawString(canvas.Graphics(), L"W", -1, nullptr, &layout, nullptr, red.Get()));

  PlatformTest::DiscardDrawing(false);
  EXPECT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  TestBrush black(0xFF000000);
  EXPECT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), black.Get(), 2, 2, 2, 2));
  EXPECT_EQ(0xFF000000u, canvas.At(3, 3));
  EXPECT_EQ(Ok, GdipDeleteFont(font));
  EXPECT_EQ(Ok, GdipDeleteFontFamily(family));
}

// A fresh platform draws, whatever the run before it left set: the drawing
// library takes part in the window system's reset.
TEST_F(GdipDiscard, ResetBringsDrawingBack) {
  TestBitmap canvas(4, 4);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  PlatformTest::DiscardDrawing(true);
  PlatformTest::Reset();
  TestBrush red(kRed);
  EXPECT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), red.Get(), 0, 0, 2, 2));
  EXPECT_EQ(kRed, canvas.At(1, 1));
  EXPECT_EQ(kWhite, canvas.At(3, 3));
}

#endif
