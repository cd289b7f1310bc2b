// Our own layer's skipping of repeated frames (PlatformTest::SkipRepeatedDrawing):
// what a program reads back is the same with it and without it. Sequences of
// frames, each a little different from the one before, are drawn twice, once
// with the skipping and once without, and every pixel of every frame is
// compared: on a bitmap redrawn every frame, and on a second one that draws the
// first, so that a change has to reach through a source.
#ifndef _WIN32

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "GdipTestSupport.h"
#include "platform/PlatformTest.h"

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

enum class OpKind { Clear, Fill, FillF, Rectangle, Ellipse, Ring, Line, Image, Text };

// One drawing call, described by values.
struct Op {
  OpKind kind = OpKind::Fill;
  int x = 0, y = 0, w = 0, h = 0;
  int sx = 0, sy = 0, sw = 0, sh = 0;
  ARGB color = 0;
  REAL penWidth = 1.0f;
  int image = 0;  // 0: the opaque picture, 1: the half-transparent one
  std::wstring text;
};

using Frame = std::vector<Op>;

ARGB RandomColor(std::mt19937& random) {
  static const ARGB kColors[] = {0xFF102030, 0xFFE0C080, 0x80FF0000, 0x4000FF00, 0xFFFFFFFF, 0x00000000,
                                 0xC00000FF, 0xFF808080};
  return kColors[random() % (sizeof(kColors) / sizeof(kColors[0]))];
}

Op RandomOp(std::mt19937& random) {
  Op op;
  op.kind = static_cast<OpKind>(1 + random() % 8);
  op.x = int(random() % (kWidth + 16)) - 8;
  op.y = int(random() % (kHeight + 16)) - 8;
  op.w = int(random() % 40) + 1;
  op.h = int(random() % 30) + 1;
  op.color = RandomColor(random);
  op.penWidth = float(1 + random() % 3);
  op.image = int(random() % 2);
  op.sx = int(random() % 12) - 2;
  op.sy = int(random() % 12) - 2;
  op.sw = int(random() % 16) + 1;
  op.sh = int(random() % 12) + 1;
  // Now and then unscaled, mirrored or wider than the picture.
  if (random() % 3 == 0) {
    op.w = op.sw;
    op.h = op.sh;
  } else if (random() % 4 == 0) {
    op.w = -op.w;
  }
  op.text = random() % 2 ? L"Ход" : L"Ww 12";
  return op;
}

// A first frame: most of the time it starts with a clear or an opaque fill of
// everything, as a program's redrawn buffer does; now and then it does not.
Frame FirstFrame(std::mt19937& random) {
  Frame frame;
  const int start = int(random() % 4);
  if (start == 0) {
    Op clear;
    clear.kind = OpKind::Clear;
    clear.color = RandomColor(random);
    frame.push_back(clear);
  } else if (start == 1) {
    Op fill;
    fill.kind = OpKind::Fill;
    fill.w = kWidth;
    fill.h = kHeight;
    fill.color = 0xFF204060;
    frame.push_back(fill);
  } else if (start == 2) {
    // Two opaque fills that cover everything between them.
    Op left;
    left.kind = OpKind::Fill;
    left.w = kWidth / 2;
    left.h = kHeight;
    left.color = 0xFFFFFFFF;
    Op right = left;
    right.x = kWidth / 2;
    right.color = 0xFF000000;
    frame.push_back(left);
    frame.push_back(right);
  }
  const int count = 3 + int(random() % 12);
  for (int i = 0; i < count; ++i) frame.push_back(RandomOp(random));
  return frame;
}

// The next frame: the same but for a few changes, or none at all.
Frame NextFrame(const Frame& in_frame, std::mt19937& random) {
  Frame frame = in_frame;
  const int changes = int(random() % 4);
  for (int i = 0; i < changes; ++i) {
    const size_t at = 1 + random() % std::max<size_t>(1, frame.size());
    switch (random() % 4) {
      case 0:
        frame.insert(frame.begin() + std::min(at, frame.size()), RandomOp(random));
        break;
      case 1:
        if (frame.size() > 2) frame.erase(frame.begin() + std::min(at, frame.size() - 1));
        break;
      case 2:
        if (frame.size() > 1) frame[std::min(at, frame.size() - 1)].x += int(random() % 5) - 2;
        break;
      default:
        if (frame.size() > 1) frame[std::min(at, frame.size() - 1)].color = RandomColor(random);
        break;
    }
  }
  return frame;
}

class RepeatedFrames : public GdipTest {
 protected:
  void SetUp() override {
    GdipTest::SetUp();
    ASSERT_EQ(Ok, GdipCreateFontFamilyFromName(L"Courier New", nullptr, &family_));
    ASSERT_EQ(Ok, GdipCreateFont(family_, 8.0f, FontStyleRegular, UnitPoint, &font_));
  }
  void TearDown() override {
    PlatformTest::SkipRepeatedDrawing(true);
    GdipDeleteFont(font_);
    GdipDeleteFontFamily(family_);
    GdipTest::TearDown();
  }

  void Draw(GpGraphics* graphics, const Op& op, GpBitmap* const pictures[2]) {
    TestBrush brush(op.color);
    TestPen pen(op.color, op.penWidth);
    switch (op.kind) {
      case OpKind::Clear:
        GdipGraphicsClear(graphics, op.color);
        break;
      case OpKind::Fill:
        GdipFillRectangleI(graphics, brush.Get(), op.x, op.y, op.w, op.h);
        break;
      case OpKind::FillF:
        GdipFillRectangle(graphics, brush.Get(), op.x + 0.3f, op.y - 0.6f, float(op.w) + 0.5f, float(op.h));
        break;
      case OpKind::Rectangle:
        GdipDrawRectangleI(graphics, pen.Get(), op.x, op.y, op.w, op.h);
        break;
      case OpKind::Ellipse:
        GdipFillEllipseI(graphics, brush.Get(), op.x, op.y, op.w, op.h);
        break;
      case OpKind::Ring:
        GdipDrawEllipseI(graphics, pen.Get(), op.x, op.y, op.w, op.h);
        break;
      case OpKind::Line:
        GdipDrawLineI(graphics, pen.Get(), op.x, op.y, op.x + op.w, op.y + op.h - 15);
        break;
      case OpKind::Image:
        GdipDrawImageRectRectI(graphics, pictures[op.image], op.x, op.y, op.w, op.h, op.sx, op.sy, op.sw, op.sh,
                               UnitPixel, nullptr, nullptr, nullptr);
        break;
      case OpKind::Text: {
        const RectF layout(float(op.x), float(op.y), float(op.w), op.image ? float(op.h) : 0.0f);
        GdipDrawString(graphics, op.text.c_str(), -1, font_, &layout, nullptr, brush.Get());
        break;
      }
    }
  }

  // Every pixel of the bitmap, row by row.
  static std::vector<ARGB> Pixels(const TestBitmap& bitmap) {
    std::vector<ARGB> pixels;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) pixels.push_back(bitmap.At(x, y));
    return pixels;
  }

  // Draws the sequence and gives both bitmaps' pixels after every frame. The
  // pictures drawn change between some frames: drawn into, or a pixel set.
  std::vector<std::vector<ARGB>> Play(const std::vector<Frame>& in_frames, const std::vector<int>& in_pictureChanges) {
    TestBitmap opaque(12, 10), clear(12, 10), buffer(kWidth, kHeight), screen(kWidth, kHeight);
    TestBrush blue(0xFF2040C0), glass(0x8020C040);
    GdipGraphicsClear(opaque.Graphics(), 0xFFC08040);
    GdipFillRectangleI(opaque.Graphics(), blue.Get(), 2, 2, 5, 5);
    GdipFillEllipseI(clear.Graphics(), glass.Get(), 0, 0, 12, 10);
    GpBitmap* const pictures[2] = {opaque.Bitmap(), clear.Bitmap()};
    TestBrush white(0xFFFFFFFF);
    std::vector<std::vector<ARGB>> seen;
    for (size_t f = 0; f < in_frames.size(); ++f) {
      if (in_pictureChanges[f] == 1) {
        TestBrush red(0xFFFF0000 | (f * 40 & 0xFF));
        GdipFillRectangleI(opaque.Graphics(), red.Get(), int(f % 8), 3, 3, 4);
      } else if (in_pictureChanges[f] == 2) {
        GdipBitmapSetPixel(clear.Bitmap(), int(f % 12), 4, 0xFF00FF00);
      }
      for (const Op& op : in_frames[f]) Draw(buffer.Graphics(), op, pictures);
      // The screen: white, the buffer over most of it, a mark that moves.
      GdipFillRectangleI(screen.Graphics(), white.Get(), 0, 0, kWidth, kHeight);
      GdipDrawImageRectRectI(screen.Graphics(), buffer.Bitmap(), 4, 2, kWidth - 8, kHeight - 4, 0, 0,
                             kWidth - 8, kHeight - 4, UnitPixel, nullptr, nullptr, nullptr);
      GdipFillRectangleI(screen.Graphics(), blue.Get(), int(f % 3), 40, 6, 6);
      seen.push_back(Pixels(screen));
      seen.push_back(Pixels(buffer));
    }
    return seen;
  }

  GpFontFamily* family_ = nullptr;
  GpFont* font_ = nullptr;
};

TEST_F(RepeatedFrames, EveryPixelOfEveryFrameIsTheSameAsWithoutSkipping) {
  for (uint32_t seed = 1; seed <= 24; ++seed) {
    std::mt19937 random(seed);
    std::vector<Frame> frames{FirstFrame(random)};
    std::vector<int> changes{0};
    for (int f = 1; f < 24; ++f) {
      // Now and then a new start, and now and then the very same frame again.
      frames.push_back(random() % 10 == 0 ? FirstFrame(random) : random() % 3 == 0 ? frames.back()
                                                                                   : NextFrame(frames.back(), random));
      changes.push_back(random() % 6 == 0 ? int(1 + random() % 2) : 0);
    }
    PlatformTest::SkipRepeatedDrawing(true);
    const auto skipped = Play(frames, changes);
    PlatformTest::SkipRepeatedDrawing(false);
    const auto drawn = Play(frames, changes);
    ASSERT_EQ(skipped.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i) {
      const auto differs = std::mismatch(skipped[i].begin(), skipped[i].end(), drawn[i].begin());
      ASSERT_TRUE(differs.first == skipped[i].end())
          << "seed " << seed << ", frame " << i / 2 << ", " << (i % 2 ? "buffer" : "screen") << ": pixel "
          << (differs.first - skipped[i].begin()) << " is " << std::hex << *differs.first << " instead of "
          << *differs.second;
    }
  }
}

// A source that changes is drawn as it is now, whatever way it changed: drawn
// into, a pixel set, or let go and made anew (a texture loaded again).
TEST_F(RepeatedFrames, AChangedSourceIsAlwaysDrawn) {
  TestBitmap target(8, 8);
  const auto frame = [&](GpBitmap* source) {
    GdipGraphicsClear(target.Graphics(), 0xFF000000);
    GdipDrawImageRectRectI(target.Graphics(), source, 0, 0, 8, 8, 0, 0, 8, 8, UnitPixel, nullptr, nullptr, nullptr);
    return target.At(3, 3);
  };
  auto* source = new TestBitmap(8, 8);
  GdipGraphicsClear(source->Graphics(), 0xFFFF0000);
  EXPECT_EQ(0xFFFF0000u, frame(source->Bitmap()));
  EXPECT_EQ(0xFFFF0000u, frame(source->Bitmap()));
  TestBrush green(0xFF00FF00);
  GdipFillRectangleI(source->Graphics(), green.Get(), 0, 0, 8, 8);
  EXPECT_EQ(0xFF00FF00u, frame(source->Bitmap()));
  GdipBitmapSetPixel(source->Bitmap(), 3, 3, 0xFF0000FF);
  EXPECT_EQ(0xFF0000FFu, frame(source->Bitmap()));
  // A source cleared and read again after the target drew it, before the
  // target is read: the target shows the source as it was when drawn.
  GdipGraphicsClear(target.Graphics(), 0xFF000000);
  GdipDrawImageRectRectI(target.Graphics(), source->Bitmap(), 1, 1, 7, 7, 0, 0, 7, 7, UnitPixel, nullptr, nullptr,
                         nullptr);
  GdipGraphicsClear(source->Graphics(), 0xFFFFFFFF);
  EXPECT_EQ(0xFFFFFFFFu, source->At(3, 3));
  EXPECT_EQ(0xFF0000FFu, target.At(4, 4));
  // Let go and made anew, maybe at the same address: the new picture shows.
  for (ARGB color : {0xFF123456u, 0xFF654321u}) {
    delete source;
    source = new TestBitmap(8, 8);
    GdipGraphicsClear(source->Graphics(), color);
    EXPECT_EQ(color, frame(source->Bitmap()));
  }
  delete source;
}

}  // namespace

#endif
