#include <vector>

#include "GdipTestSupport.h"
#include "support/KnownWineDifference.h"
#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

namespace {

LRESULT CALLBACK PlainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

#ifndef _WIN32
ARGB WindowPixel(HWND hwnd, int x, int y) {
  std::vector<uint32_t> argb;
  int width = 0, height = 0;
  EXPECT_TRUE(PlatformTest::ReadWindowPixels(hwnd, argb, width, height));
  if (x >= width || y >= height) return 0xDEADBEEF;
  return argb[size_t(y) * size_t(width) + size_t(x)];
}
#endif

}  // namespace

using GdipHdc = GdipTest;

TEST_F(GdipHdc, DrawsIntoTheWindowThroughResizes) {
  GpGraphics* graphics = nullptr;
  // Windows answers InvalidParameter when both are missing (libgdiplus's
  // tests, which also run against Windows, check it); Wine answers OutOfMemory.
  TODO_WINE("Wine's GDI+ checks the device context before the result pointer") {
    EXPECT_EQ(InvalidParameter, GdipCreateFromHDC(nullptr, nullptr));
  }
  EXPECT_EQ(OutOfMemory, GdipCreateFromHDC(nullptr, &graphics));

#ifndef _WIN32
  PlatformTest::SetHeadless(true);
#endif
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PlainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "GdipHdcTest";
  ASSERT_NE(0, RegisterClassA(&windowClass));
  HWND hwnd = CreateWindowExA(0, "GdipHdcTest", "", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
  ASSERT_NE(nullptr, hwnd);
  HDC hdc = GetDC(hwnd);
  ASSERT_EQ(Ok, GdipCreateFromHDC(hdc, &graphics));
  TestBrush green(0xFF00FF00);
  TestBrush blue(0xFF0000FF);
  EXPECT_EQ(Ok, GdipGraphicsClear(graphics, 0xFFFF0000));
  EXPECT_EQ(Ok, GdipFillRectangleI(graphics, green.Get(), 5, 5, 10, 10));
#ifndef _WIN32
  EXPECT_EQ(0xFFFF0000u, WindowPixel(hwnd, 0, 0));
  EXPECT_EQ(0xFF00FF00u, WindowPixel(hwnd, 14, 14));
  EXPECT_EQ(0xFFFF0000u, WindowPixel(hwnd, 15, 15));
#endif

  // The window's pixels move when it grows; drawing follows them.
  ASSERT_TRUE(MoveWindow(hwnd, 0, 0, 80, 60, FALSE));
  EXPECT_EQ(Ok, GdipFillRectangleI(graphics, blue.Get(), 70, 50, 5, 5));
#ifndef _WIN32
  EXPECT_EQ(0xFF0000FFu, WindowPixel(hwnd, 72, 52));
  EXPECT_EQ(0xFF00FF00u, WindowPixel(hwnd, 6, 6));
#endif

  ReleaseDC(hwnd, hdc);
  DestroyWindow(hwnd);
#ifndef _WIN32
  // With the window gone, drawing reports the failure instead of touching freed pixels.
  EXPECT_EQ(Win32Error, GdipGraphicsClear(graphics, 0));
#endif
  EXPECT_EQ(Ok, GdipDeleteGraphics(graphics));
  UnregisterClassA("GdipHdcTest", windowClass.hInstance);
#ifndef _WIN32
  PlatformTest::Reset();
#endif
}
