// The pixels behind a window's device context.
#include "UserTestSupport.h"

#ifndef _WIN32
#include "platform/user32/WindowPixels.h"

using WinUserPixels = UserTest;

TEST_F(WinUserPixels, BadDeviceContextsHaveNoPixels) {
  PlatformPixelBuffer buffer{};
  EXPECT_FALSE(PlatformDcPixels(nullptr, &buffer));
  EXPECT_FALSE(PlatformDcPixels(reinterpret_cast<HDC>(uintptr_t{0x1234}), &buffer));
  PlatformDcChanged(nullptr);
  EXPECT_EQ(GetDC(nullptr), nullptr);
  std::vector<uint32_t> argb;
  int width = 0;
  int height = 0;
  EXPECT_FALSE(PlatformTest::ReadWindowPixels(nullptr, argb, width, height));

  HWND hwnd = Create();
  HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, dc), 0);
  DestroyWindow(hwnd);
  EXPECT_FALSE(PlatformDcPixels(dc, &buffer));
}

TEST_F(WinUserPixels, TheClientPixelsFollowTheClientAreaAndKeepWhatWasDrawn) {
  HWND hwnd = Create(WS_POPUP, 0, 0, 40, 30);
  HDC dc = GetDC(hwnd);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDC(hwnd), dc);
  PlatformPixelBuffer buffer{};
  ASSERT_TRUE(PlatformDcPixels(dc, &buffer));
  EXPECT_EQ(buffer.width, 40);
  EXPECT_EQ(buffer.height, 30);
  ASSERT_GE(buffer.stridePixels, 40);
  // Premultiplied half-transparent red, and opaque green.
  buffer.data[2 * buffer.stridePixels + 3] = 0x80800000u;
  buffer.data[29 * buffer.stridePixels + 39] = 0xFF00FF00u;
  PlatformDcChanged(dc);

  ASSERT_TRUE(MoveWindow(hwnd, 0, 0, 60, 20, FALSE));
  ASSERT_TRUE(PlatformDcPixels(dc, &buffer));
  EXPECT_EQ(buffer.width, 60);
  EXPECT_EQ(buffer.height, 20);
  std::vector<uint32_t> argb;
  int width = 0;
  int height = 0;
  ASSERT_TRUE(PlatformTest::ReadWindowPixels(hwnd, argb, width, height));
  ASSERT_EQ(width, 60);
  ASSERT_EQ(height, 20);
  // Read back without premultiplication; the part cut off is gone, new parts are opaque black.
  EXPECT_EQ(argb[2 * 60 + 3], 0x80FF0000u);
  EXPECT_EQ(argb[19 * 60 + 59], 0xFF000000u);
  EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
}
#endif
