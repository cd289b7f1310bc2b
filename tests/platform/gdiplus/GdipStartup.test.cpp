#include "GdipTestSupport.h"

TEST(GdipStartup, RejectsBadArgumentsAndHandsOutTokens) {
  GdiplusStartupInput input;
  ULONG_PTR token = 0;
  EXPECT_EQ(InvalidParameter, GdiplusStartup(nullptr, &input, nullptr));
  EXPECT_EQ(InvalidParameter, GdiplusStartup(&token, nullptr, nullptr));

  GdiplusStartupInput future;
  future.GdiplusVersion = 99;
  EXPECT_EQ(UnsupportedGdiplusVersion, GdiplusStartup(&token, &future, nullptr));

  // Suppressing the background thread needs somewhere to return its hooks.
  GdiplusStartupInput suppressed(nullptr, TRUE, FALSE);
  EXPECT_EQ(InvalidParameter, GdiplusStartup(&token, &suppressed, nullptr));

  ULONG_PTR first = 0;
  ULONG_PTR second = 0;
  ASSERT_EQ(Ok, GdiplusStartup(&first, &input, nullptr));
  ASSERT_EQ(Ok, GdiplusStartup(&second, &input, nullptr));
  EXPECT_NE(0u, first);
  EXPECT_NE(0u, second);

  GpSolidFill* brush = nullptr;
  EXPECT_EQ(Ok, GdipCreateSolidFill(0xFF000000, &brush));
  EXPECT_EQ(Ok, GdipDeleteBrush(brush));
  GdiplusShutdown(second);
  GdiplusShutdown(first);
}
