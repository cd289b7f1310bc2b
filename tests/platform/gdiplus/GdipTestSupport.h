#pragma once
// Shared by the drawing-library tests: a fixture that starts and stops the
// library, a bitmap with a Graphics on it, and pixel helpers. Uses only the
// flat API, so the tests also build against the system library on Windows.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "platform/Win32.h"

class GdipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GdiplusStartupInput input;
    ASSERT_EQ(Ok, GdiplusStartup(&token_, &input, nullptr));
  }
  void TearDown() override { GdiplusShutdown(token_); }

 private:
  ULONG_PTR token_ = 0;
};

inline int Alpha(ARGB c) { return int(c >> 24); }
inline int Red(ARGB c) { return int((c >> 16) & 0xFF); }
inline int Green(ARGB c) { return int((c >> 8) & 0xFF); }
inline int Blue(ARGB c) { return int(c & 0xFF); }

// True when every channel differs by at most tolerance.
inline bool CloseTo(ARGB a, ARGB b, int tolerance) {
  return std::abs(Alpha(a) - Alpha(b)) <= tolerance && std::abs(Red(a) - Red(b)) <= tolerance &&
         std::abs(Green(a) - Green(b)) <= tolerance && std::abs(Blue(a) - Blue(b)) <= tolerance;
}

// The bounding box of the pixels that differ from a background colour;
// right and bottom are exclusive. Empty when nothing differs.
struct InkBox {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  double CentreX() const { return (left + right) / 2.0; }
  double CentreY() const { return (top + bottom) / 2.0; }
};

// A 32bppARGB bitmap with a Graphics drawing into it; both deleted with it.
class TestBitmap {
 public:
  TestBitmap(int width, int height) : width_(width), height_(height) {
    EXPECT_EQ(Ok, GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap_));
    if (bitmap_ != nullptr) {
      EXPECT_EQ(Ok, GdipGetImageGraphicsContext(bitmap_, &graphics_));
    }
  }
  ~TestBitmap() {
    if (graphics_ != nullptr) GdipDeleteGraphics(graphics_);
    if (bitmap_ != nullptr) GdipDisposeImage(bitmap_);
  }
  TestBitmap(const TestBitmap&) = delete;
  TestBitmap& operator=(const TestBitmap&) = delete;

  GpBitmap* Bitmap() const { return bitmap_; }
  GpGraphics* Graphics() const { return graphics_; }

  ARGB At(int x, int y) const {
    ARGB color = 0xDEADBEEF;
    EXPECT_EQ(Ok, GdipBitmapGetPixel(bitmap_, x, y, &color)) << x << "," << y;
    return color;
  }

  // Pixels whose colour differs from background by more than tolerance in any channel.
  InkBox Ink(ARGB background, int tolerance = 40) const {
    InkBox box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (CloseTo(At(x, y), background, tolerance)) continue;
        if (x < box.left) box.left = x;
        if (y < box.top) box.top = y;
        if (x + 1 > box.right) box.right = x + 1;
        if (y + 1 > box.bottom) box.bottom = y + 1;
      }
    }
    return box;
  }

 private:
  int width_;
  int height_;
  GpBitmap* bitmap_ = nullptr;
  GpGraphics* graphics_ = nullptr;
};

// A solid brush or a pen, deleted with the holder.
class TestBrush {
 public:
  explicit TestBrush(ARGB color) { EXPECT_EQ(Ok, GdipCreateSolidFill(color, &brush_)); }
  ~TestBrush() {
    if (brush_ != nullptr) GdipDeleteBrush(brush_);
  }
  TestBrush(const TestBrush&) = delete;
  TestBrush& operator=(const TestBrush&) = delete;
  GpSolidFill* Get() const { return brush_; }

 private:
  GpSolidFill* brush_ = nullptr;
};

class TestPen {
 public:
  TestPen(ARGB color, REAL width) { EXPECT_EQ(Ok, GdipCreatePen1(color, width, UnitWorld, &pen_)); }
  ~TestPen() {
    if (pen_ != nullptr) GdipDeletePen(pen_);
  }
  TestPen(const TestPen&) = delete;
  TestPen& operator=(const TestPen&) = delete;
  GpPen* Get() const { return pen_; }

 private:
  GpPen* pen_ = nullptr;
};
