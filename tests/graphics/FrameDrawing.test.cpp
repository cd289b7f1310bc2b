#include "graphics/FrameDrawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/DrawingObjects.h"

namespace {

std::vector<int32_t> Positions(const std::vector<TPiecePlacement>& layout, TFramePiece piece, bool alongX) {
  std::vector<int32_t> out;
  for (const auto& p : layout)
    if (p.Piece == piece) out.push_back(alongX ? p.Destination.x : p.Destination.y);
  return out;
}

TRect Only(const std::vector<TPiecePlacement>& layout, TFramePiece piece) {
  for (const auto& p : layout)
    if (p.Piece == piece) return p.Destination;
  return {};
}

bool Same(const TRect& a, const TRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

TEST(FrameDrawingTest, CaptionFrameTilesEdgesAtTheirOwnSizeThenCorners) {
  const auto layout = CaptionFrameLayout(100, 60, 0);
  EXPECT_EQ(Positions(layout, TFramePiece::WideLeft, false), (std::vector<int32_t>{0, 28}));
  EXPECT_EQ(Positions(layout, TFramePiece::WideRight, false), (std::vector<int32_t>{0, 28}));
  EXPECT_EQ(Only(layout, TFramePiece::WideRight).x, 88);
  EXPECT_EQ(Positions(layout, TFramePiece::WideTop, true), (std::vector<int32_t>{0, 29, 58}));
  EXPECT_EQ(Positions(layout, TFramePiece::WideBottom, true), (std::vector<int32_t>{0, 29, 58}));
  EXPECT_EQ(Only(layout, TFramePiece::WideBottom).y, 48);
  EXPECT_TRUE(Same(Only(layout, TFramePiece::WideTopRight), TRect{60, 0, 40, 40}));
  EXPECT_TRUE(Same(Only(layout, TFramePiece::WideBottomLeft), TRect{0, 20, 40, 40}));
  EXPECT_TRUE(Same(Only(layout, TFramePiece::WideBottomRight), TRect{60, 20, 40, 40}));
  // Corners come after every edge tile, so they cover the joins.
  size_t lastEdge = 0, firstCorner = layout.size();
  for (size_t i = 0; i < layout.size(); ++i) {
    if (layout[i].Piece <= TFramePiece::WideRight && layout[i].Piece != TFramePiece::Title) lastEdge = i;
    if (layout[i].Piece >= TFramePiece::WideTopLeft && layout[i].Piece <= TFramePiece::WideBottomRight &&
        firstCorner == layout.size())
      firstCorner = i;
  }
  EXPECT_LT(lastEdge, firstCorner);
}

TEST(FrameDrawingTest, TitleStripIsTenPixelsPerCharacterAndCentred) {
  EXPECT_TRUE(Same(Only(CaptionFrameLayout(300, 200, 12), TFramePiece::Title), TRect{90, 0, 120, 19}));
  EXPECT_EQ(CaptionFrameLayout(300, 200, 12).back().Piece, TFramePiece::Title) << "drawn over the frame";
}

TEST(FrameDrawingTest, NarrowOrLowWindowsGetOnlyTheirCorners) {
  const auto narrow = CaptionFrameLayout(28, 100, 0);
  EXPECT_TRUE(Positions(narrow, TFramePiece::WideTop, true).empty());
  EXPECT_TRUE(Positions(narrow, TFramePiece::WideBottom, true).empty());
  EXPECT_EQ(Positions(narrow, TFramePiece::WideLeft, false).size(), 3u);
  const auto thinLow = ThinFrameLayout(100, 15);
  EXPECT_TRUE(Positions(thinLow, TFramePiece::ThinLeft, false).empty());
  EXPECT_EQ(Positions(thinLow, TFramePiece::ThinTop, true), (std::vector<int32_t>{0, 15, 30, 45, 60, 75}));
  EXPECT_EQ(Only(thinLow, TFramePiece::ThinBottom).y, 9);
  EXPECT_TRUE(Same(Only(thinLow, TFramePiece::ThinBottomRight), TRect{49, -36, 51, 51}));
}

TEST(DrawingObjectsTest, BuffersKeepTheirBitmapAtTheSameSizeAndReplaceItOtherwise) {
  ULONG_PTR token = 0;
  GdiplusStartupInput input;
  ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
  {
    std::unique_ptr<TBitmap> bitmap;
    TGraphics* cell = nullptr;
    ResizeBuffer(bitmap, cell, 30, 20);
    ASSERT_TRUE(bitmap);
    ASSERT_NE(cell, nullptr);
    cell->Clear(0xFF112233);
    TBitmap* before = bitmap.get();
    TGraphics* surface = cell;
    ResizeBuffer(bitmap, cell, 30, 20);
    EXPECT_EQ(bitmap.get(), before);
    EXPECT_EQ(cell, surface);
    EXPECT_EQ(bitmap->Pixel(5, 5), 0xFF112233u) << "the picture stays";
    ResizeBuffer(bitmap, cell, 31, 20);
    EXPECT_EQ(bitmap->Width(), 31);
    EXPECT_EQ(bitmap->Pixel(5, 5), 0u) << "a new bitmap starts transparent";
    delete cell;
  }
  CreateDrawingObjects();
  for (TFont* font : {FontCourier10, FontTimes8, FontTimes10, FontTimes12, FontTimes14, FontTimes16}) {
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font->Handle(), nullptr);
  }
  for (int i = 0; i < kPaletteSize; ++i) {
    EXPECT_NE(BrushHandle(PaletteBrushes[i]), nullptr);
    EXPECT_NE(PenHandle(PalettePens[i]), nullptr);
  }
  {
    TFont fallback(L"No Such Font Family", 10.0f);
    EXPECT_NE(fallback.Handle(), nullptr) << "an unknown family falls back to sans-serif";
  }
  FreeDrawingObjects();
  EXPECT_EQ(FontCourier10, nullptr);
  EXPECT_EQ(PaletteBrushes[0], nullptr);
  GdiplusShutdown(token);
}
