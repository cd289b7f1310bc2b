#include <algorithm>

#include "GdipTestSupport.h"
#include "support/KnownWineDifference.h"

namespace {

const ARGB kWhite = 0xFFFFFFFF;
const ARGB kBlack = 0xFF000000;

}  // namespace

// Text drawn black on white with Times New Roman at the size the game uses most.
class GdipString : public GdipTest {
 protected:
  void SetUp() override {
    GdipTest::SetUp();
    GpFontFamily* family = nullptr;
    ASSERT_EQ(Ok, GdipCreateFontFamilyFromName(L"Times New Roman", nullptr, &family));
    ASSERT_EQ(Ok, GdipCreateFont(family, 10.0f, FontStyleRegular, UnitPoint, &font_));
    GdipDeleteFontFamily(family);
    ASSERT_EQ(Ok, GdipCreateStringFormat(0, 0, &format_));
  }
  void TearDown() override {
    GdipDeleteStringFormat(format_);
    GdipDeleteFont(font_);
    GdipTest::TearDown();
  }

  // Draws the text on a fresh white canvas and returns where the ink went.
  InkBox Draw(TestBitmap& canvas, const WCHAR* text, RectF layout, ARGB color = kBlack) {
    TestBrush brush(color);
    EXPECT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
    EXPECT_EQ(Ok, GdipDrawString(canvas.Graphics(), text, -1, font_, &layout, format_, brush.Get()));
    return canvas.Ink(kWhite);
  }

  GpFont* font_ = nullptr;
  GpStringFormat* format_ = nullptr;
};

TEST_F(GdipString, RejectsBadArguments) {
  TestBitmap canvas(20, 20);
  TestBrush brush(kBlack);
  RectF layout(0.0f, 0.0f, 20.0f, 20.0f);
  RectF box;
  EXPECT_EQ(InvalidParameter, GdipCreateStringFormat(0, 0, nullptr));
  EXPECT_EQ(InvalidParameter, GdipDeleteStringFormat(nullptr));
  EXPECT_EQ(InvalidParameter, GdipSetStringFormatAlign(nullptr, StringAlignmentCenter));
  EXPECT_EQ(InvalidParameter, GdipSetStringFormatLineAlign(nullptr, StringAlignmentCenter));
  EXPECT_EQ(InvalidParameter, GdipSetStringFormatFlags(nullptr, 0));
  // Windows refuses an alignment beyond StringAlignmentFar (libgdiplus's
  // tests, which also run against Windows, check it); Wine takes it.
  TODO_WINE("Wine's GDI+ takes an alignment beyond StringAlignmentFar") {
    EXPECT_EQ(InvalidParameter, GdipSetStringFormatAlign(format_, static_cast<StringAlignment>(7)));
  }

  EXPECT_EQ(InvalidParameter, GdipDrawString(nullptr, L"a", -1, font_, &layout, nullptr, brush.Get()));
  EXPECT_EQ(InvalidParameter,
            GdipDrawString(canvas.Graphics(), nullptr, -1, font_, &layout, nullptr, brush.Get()));
  EXPECT_EQ(InvalidParameter,
            GdipDrawString(canvas.Graphics(), L"a", -1, nullptr, &layout, nullptr, brush.Get()));
  EXPECT_EQ(InvalidParameter,
            GdipDrawString(canvas.Graphics(), L"a", -1, font_, nullptr, nullptr, brush.Get()));
  EXPECT_EQ(InvalidParameter, GdipDrawString(canvas.Graphics(), L"a", -1, font_, &layout, nullptr, nullptr));
  EXPECT_EQ(InvalidParameter, GdipMeasureString(canvas.Graphics(), L"a", -1, font_, &layout, nullptr, nullptr,
                                                nullptr, nullptr));
  EXPECT_EQ(InvalidParameter, GdipMeasureString(canvas.Graphics(), L"a", -1, nullptr, &layout, nullptr, &box,
                                                nullptr, nullptr));
  // Nothing to draw is not an error.
  EXPECT_EQ(Ok, GdipDrawString(canvas.Graphics(), L"", -1, font_, &layout, nullptr, brush.Get()));
  EXPECT_EQ(Ok, GdipDrawString(canvas.Graphics(), L"abc", 0, font_, &layout, nullptr, brush.Get()));
  EXPECT_EQ(0u, canvas.At(10, 10));
}

TEST_F(GdipString, InkStaysInsideTheLayoutRectangle) {
  TestBitmap canvas(200, 60);
  // Near alignment starts just right of the rectangle's left edge.
  InkBox word = Draw(canvas, L"Hello", RectF(20.0f, 10.0f, 120.0f, 30.0f));
  ASSERT_FALSE(word.Empty());
  EXPECT_GE(word.left, 20);
  EXPECT_LT(word.left, 26);
  EXPECT_GE(word.top, 10);
  EXPECT_LE(word.bottom, 26);

  // Long text wraps within the width and is cut off at the bottom.
  InkBox wrapped = Draw(canvas, L"one two three four five six seven eight nine ten eleven twelve",
                        RectF(30.0f, 5.0f, 80.0f, 25.0f));
  ASSERT_FALSE(wrapped.Empty());
  EXPECT_GE(wrapped.left, 30);
  EXPECT_LE(wrapped.right, 110);
  EXPECT_GE(wrapped.top, 5);
  TODO_WINE("Wine's GDI+ lets a cut-off line's ink out below the layout rectangle, which GDI+ clips by default") {
    EXPECT_LE(wrapped.bottom, 30);
  }
  EXPECT_GT(wrapped.Height(), 16);  // more than one line shows

  // A new line character starts a new line.
  InkBox one = Draw(canvas, L"AB", RectF(0.0f, 0.0f, 200.0f, 60.0f));
  InkBox two = Draw(canvas, L"A\nB", RectF(0.0f, 0.0f, 200.0f, 60.0f));
  EXPECT_GT(two.Height(), one.Height() + 8);
  EXPECT_LT(two.Width(), one.Width());
}

TEST_F(GdipString, AlignmentPlacesTextInTheRectangle) {
  TestBitmap canvas(200, 60);
  RectF layout(10.0f, 5.0f, 180.0f, 50.0f);
  ASSERT_EQ(Ok, GdipSetStringFormatAlign(format_, StringAlignmentCenter));
  ASSERT_EQ(Ok, GdipSetStringFormatLineAlign(format_, StringAlignmentCenter));
  InkBox centred = Draw(canvas, L"Krambol", layout);
  ASSERT_FALSE(centred.Empty());
  EXPECT_NEAR(100.0, centred.CentreX(), 2.0);
  EXPECT_NEAR(30.0, centred.CentreY(), 3.0);

  ASSERT_EQ(Ok, GdipSetStringFormatAlign(format_, StringAlignmentFar));
  ASSERT_EQ(Ok, GdipSetStringFormatLineAlign(format_, StringAlignmentFar));
  InkBox farText = Draw(canvas, L"Krambol", layout);
  ASSERT_FALSE(farText.Empty());
  EXPECT_LE(farText.right, 190);
  EXPECT_GT(farText.right, 182);
  EXPECT_LE(farText.bottom, 55);
  EXPECT_GT(farText.bottom, 45);
  EXPECT_EQ(centred.Width(), farText.Width());
}

TEST_F(GdipString, VerticalTextRunsDownward) {
  TestBitmap canvas(60, 160);
  InkBox across = Draw(canvas, L"12345678", RectF(0.0f, 0.0f, 0.0f, 0.0f));
  ASSERT_EQ(Ok, GdipSetStringFormatFlags(format_, StringFormatFlagsDirectionVertical));
  InkBox down = Draw(canvas, L"12345678", RectF(5.0f, 5.0f, 50.0f, 150.0f));
  ASSERT_FALSE(down.Empty());
  TODO_WINE("Wine's GDI+ draws StringFormatFlagsDirectionVertical text across, not down") {
    EXPECT_GT(down.Height(), down.Width() * 2);
    EXPECT_NEAR(across.Width(), down.Height(), 2);
  }
  EXPECT_GE(down.left, 5);
  EXPECT_LE(down.right, 55);

  // Alignment now works along the vertical axis.
  ASSERT_EQ(Ok, GdipSetStringFormatAlign(format_, StringAlignmentFar));
  InkBox bottom = Draw(canvas, L"12", RectF(5.0f, 5.0f, 50.0f, 150.0f));
  TODO_WINE("Wine's GDI+ aligns vertical text along the horizontal axis") { EXPECT_GT(bottom.top, 100); }
  EXPECT_LE(bottom.bottom, 155);
}

TEST_F(GdipString, EmptyLayoutSizeNeitherWrapsNorClips) {
  TestBitmap canvas(300, 60);
  InkBox line = Draw(canvas, L"a long line of text that is never wrapped", RectF(40.0f, 20.0f, 0.0f, 0.0f));
  ASSERT_FALSE(line.Empty());
  EXPECT_GE(line.left, 40);
  EXPECT_LT(line.left, 46);
  EXPECT_GE(line.top, 20);
  EXPECT_GT(line.Width(), 150);
  EXPECT_LT(line.Height(), 20);

  RectF layout(40.0f, 20.0f, 0.0f, 0.0f);
  RectF box;
  INT fitted = 0, lines = 0;
  ASSERT_EQ(
      Ok, GdipMeasureString(canvas.Graphics(), L"A\nB", -1, font_, &layout, nullptr, &box, &fitted, &lines));
  EXPECT_EQ(3, fitted);
  EXPECT_EQ(2, lines);
  EXPECT_FLOAT_EQ(40.0f, box.X);
  EXPECT_FLOAT_EQ(20.0f, box.Y);
  EXPECT_GT(box.Height, 20.0f);
}

TEST_F(GdipString, CyrillicAndTranslucentColoursDraw) {
  TestBitmap canvas(200, 40);
  InkBox russian = Draw(canvas, L"Привет, мир", RectF(0.0f, 0.0f, 0.0f, 0.0f));
  ASSERT_FALSE(russian.Empty());
  EXPECT_GT(russian.Width(), 40);

  // Half-transparent black never gets darker than half grey.
  Draw(canvas, L"Translucent", RectF(0.0f, 0.0f, 0.0f, 0.0f), 0x80000000);
  int darkest = 255;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 200; ++x) darkest = std::min(darkest, Red(canvas.At(x, y)));
  }
  EXPECT_LT(darkest, 200);
  EXPECT_GT(darkest, 110);
}

TEST_F(GdipString, TextDrawnAgainFollowsEveryChangeOfTextFontFormatAndRectangle) {
  TestBitmap canvas(200, 120);
  const RectF wide(5.0f, 5.0f, 190.0f, 0.0f);
  const RectF narrow(5.0f, 5.0f, 60.0f, 0.0f);
  const WCHAR* text = L"Words that wrap in a narrow box";
  const InkBox oneLine = Draw(canvas, text, wide);
  const InkBox wrapped = Draw(canvas, text, narrow);
  EXPECT_GT(wrapped.Height(), oneLine.Height() + 10) << "the narrow box wraps";
  // Drawn again, each is the same as the first time.
  for (int round = 0; round < 2; ++round) {
    const InkBox again = Draw(canvas, text, wide);
    EXPECT_EQ(again.Width(), oneLine.Width());
    EXPECT_EQ(again.Height(), oneLine.Height());
    EXPECT_EQ(Draw(canvas, text, narrow).Height(), wrapped.Height());
  }
  // Another text, a centred format and a larger font each change the picture.
  EXPECT_LT(Draw(canvas, L"Words", wide).Width(), oneLine.Width());
  ASSERT_EQ(Ok, GdipSetStringFormatAlign(format_, StringAlignmentCenter));
  EXPECT_GT(Draw(canvas, L"Words", wide).left, oneLine.left + 40);
  ASSERT_EQ(Ok, GdipSetStringFormatAlign(format_, StringAlignmentNear));
  EXPECT_EQ(Draw(canvas, L"Words", wide).left, oneLine.left);
  GpFontFamily* family = nullptr;
  ASSERT_EQ(Ok, GdipCreateFontFamilyFromName(L"Times New Roman", nullptr, &family));
  GpFont* large = nullptr;
  ASSERT_EQ(Ok, GdipCreateFont(family, 20.0f, FontStyleRegular, UnitPoint, &large));
  GdipDeleteFontFamily(family);
  std::swap(font_, large);
  EXPECT_GT(Draw(canvas, L"Words", wide).Height(), oneLine.Height() + 5);
  std::swap(font_, large);
  GdipDeleteFont(large);
  EXPECT_EQ(Draw(canvas, text, wide).Height(), oneLine.Height());
}
