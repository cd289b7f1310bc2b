#include "GdipTestSupport.h"
#include "support/KnownWineDifference.h"

using GdipShapes = GdipTest;

namespace {
const ARGB kWhite = 0xFFFFFFFF;
const ARGB kBlack = 0xFF000000;
}  // namespace

TEST_F(GdipShapes, BrushesAndPensRejectBadArgumentsAndKeepTheirWidth) {
  EXPECT_EQ(InvalidParameter, GdipCreateSolidFill(kBlack, nullptr));
  EXPECT_EQ(InvalidParameter, GdipDeleteBrush(nullptr));
  EXPECT_EQ(InvalidParameter, GdipCreatePen1(kBlack, 1.0f, UnitWorld, nullptr));
  EXPECT_EQ(InvalidParameter, GdipDeletePen(nullptr));
  REAL width = 0.0f;
  EXPECT_EQ(InvalidParameter, GdipGetPenWidth(nullptr, &width));
  EXPECT_EQ(InvalidParameter, GdipSetPenWidth(nullptr, 2.0f));

  TestPen pen(kBlack, 1.0f);
  EXPECT_EQ(InvalidParameter, GdipGetPenWidth(pen.Get(), nullptr));
  EXPECT_EQ(Ok, GdipGetPenWidth(pen.Get(), &width));
  EXPECT_EQ(1.0f, width);
  EXPECT_EQ(Ok, GdipSetPenWidth(pen.Get(), 3.0f));
  EXPECT_EQ(Ok, GdipGetPenWidth(pen.Get(), &width));
  EXPECT_EQ(3.0f, width);
}

TEST_F(GdipShapes, DrawingRejectsMissingObjects) {
  TestBitmap canvas(8, 8);
  TestBrush brush(kBlack);
  TestPen pen(kBlack, 1.0f);
  EXPECT_EQ(InvalidParameter, GdipFillRectangleI(nullptr, brush.Get(), 0, 0, 2, 2));
  EXPECT_EQ(InvalidParameter, GdipFillRectangleI(canvas.Graphics(), nullptr, 0, 0, 2, 2));
  EXPECT_EQ(InvalidParameter, GdipFillRectangle(canvas.Graphics(), nullptr, 0.0f, 0.0f, 2.0f, 2.0f));
  EXPECT_EQ(InvalidParameter, GdipDrawRectangleI(canvas.Graphics(), nullptr, 0, 0, 2, 2));
  EXPECT_EQ(InvalidParameter, GdipFillEllipseI(nullptr, brush.Get(), 0, 0, 2, 2));
  EXPECT_EQ(InvalidParameter, GdipDrawEllipseI(canvas.Graphics(), nullptr, 0, 0, 2, 2));
  EXPECT_EQ(InvalidParameter, GdipDrawLineI(nullptr, pen.Get(), 0, 0, 2, 2));
  // Empty and absurd shapes draw nothing and never fail badly.
  EXPECT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), brush.Get(), 2, 2, -5, 3));
  EXPECT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), brush.Get(), -2000000000, -2000000000, 10, 10));
  SKIP_ON_WINE("Wine's GDI+ brings the process down outlining shapes two billion pixels long") {
    GdipDrawEllipseI(canvas.Graphics(), pen.Get(), 0, 0, 2000000000, 2000000000);
    GdipDrawLineI(canvas.Graphics(), pen.Get(), -2000000000, 0, 2000000000, 7);
  }
  EXPECT_EQ(0u, canvas.At(2, 2));
}

TEST_F(GdipShapes, RectanglesFillHalfOpenAndOutlineInclusive) {
  TestBitmap canvas(20, 20);
  TestBrush black(kBlack);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), black.Get(), 2, 3, 5, 4));
  InkBox filled = canvas.Ink(kWhite);
  EXPECT_EQ(2, filled.left);
  EXPECT_EQ(3, filled.top);
  EXPECT_EQ(7, filled.right);
  EXPECT_EQ(7, filled.bottom);
  EXPECT_EQ(kBlack, canvas.At(6, 6));

  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipFillRectangle(canvas.Graphics(), black.Get(), 4.0f, 1.0f, 3.0f, 2.0f));
  InkBox filledReal = canvas.Ink(kWhite);
  EXPECT_EQ(4, filledReal.left);
  EXPECT_EQ(1, filledReal.top);
  EXPECT_EQ(3, filledReal.Width());
  EXPECT_EQ(2, filledReal.Height());

  // A 10 x 10 outline covers 11 x 11 pixels and leaves the inside alone.
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  TestPen pen(kBlack, 1.0f);
  ASSERT_EQ(Ok, GdipDrawRectangleI(canvas.Graphics(), pen.Get(), 3, 4, 10, 10));
  InkBox outline = canvas.Ink(kWhite);
  EXPECT_EQ(3, outline.left);
  EXPECT_EQ(4, outline.top);
  EXPECT_EQ(11, outline.Width());
  EXPECT_EQ(11, outline.Height());
  EXPECT_EQ(kBlack, canvas.At(13, 14));
  EXPECT_EQ(kBlack, canvas.At(3, 9));
  EXPECT_EQ(kWhite, canvas.At(4, 5));
  EXPECT_EQ(kWhite, canvas.At(8, 9));
}

TEST_F(GdipShapes, EllipsesAndLines) {
  TestBitmap canvas(40, 40);
  TestBrush black(kBlack);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipFillEllipseI(canvas.Graphics(), black.Get(), 5, 5, 20, 20));
  EXPECT_EQ(kBlack, canvas.At(15, 15));
  EXPECT_EQ(kBlack, canvas.At(6, 15));
  EXPECT_EQ(kWhite, canvas.At(5, 5));
  EXPECT_EQ(kWhite, canvas.At(24, 24));
  InkBox filled = canvas.Ink(kWhite);
  EXPECT_GE(filled.left, 5);
  EXPECT_LE(filled.right, 26);

  // A pen three wide straddles the ellipse's edge; a thin one does not reach as far out.
  TestPen pen(kBlack, 1.0f);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipDrawEllipseI(canvas.Graphics(), pen.Get(), 5, 5, 30, 30));
  EXPECT_EQ(kBlack, canvas.At(20, 5));
  EXPECT_EQ(kWhite, canvas.At(20, 4));
  EXPECT_EQ(kWhite, canvas.At(20, 6));
  EXPECT_EQ(kWhite, canvas.At(20, 20));
  ASSERT_EQ(Ok, GdipSetPenWidth(pen.Get(), 3.0f));
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipDrawEllipseI(canvas.Graphics(), pen.Get(), 5, 5, 30, 30));
  EXPECT_EQ(kBlack, canvas.At(20, 4));
  EXPECT_EQ(kBlack, canvas.At(20, 5));
  EXPECT_EQ(kBlack, canvas.At(20, 6));
  EXPECT_EQ(kWhite, canvas.At(20, 8));
  EXPECT_EQ(kWhite, canvas.At(20, 20));
  EXPECT_EQ(kWhite, canvas.At(5, 5));

  ASSERT_EQ(Ok, GdipSetPenWidth(pen.Get(), 1.0f));
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipDrawLineI(canvas.Graphics(), pen.Get(), 2, 10, 30, 10));
  InkBox line = canvas.Ink(kWhite);
  EXPECT_EQ(10, line.top);
  EXPECT_EQ(1, line.Height());
  EXPECT_EQ(2, line.left);
  EXPECT_GE(line.right, 30);
}

TEST_F(GdipShapes, TranslucentColoursBlend) {
  TestBitmap canvas(10, 10);
  TestBrush halfRed(0x7FFF0000);
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), kWhite));
  ASSERT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), halfRed.Get(), 0, 0, 5, 10));
  EXPECT_TRUE(CloseTo(0xFFFF8080, canvas.At(2, 2), 2)) << std::hex << canvas.At(2, 2);
  EXPECT_EQ(kWhite, canvas.At(7, 2));

  // Over transparent pixels the colour lands as it is.
  ASSERT_EQ(Ok, GdipGraphicsClear(canvas.Graphics(), 0));
  ASSERT_EQ(Ok, GdipFillRectangleI(canvas.Graphics(), halfRed.Get(), 0, 0, 5, 10));
  EXPECT_TRUE(CloseTo(0x7FFF0000, canvas.At(2, 2), 2)) << std::hex << canvas.At(2, 2);
}
