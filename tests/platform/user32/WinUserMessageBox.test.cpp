// MessageBoxA: CP1251 texts, recorded as given and shown in UTF-8.
#include "UserTestSupport.h"

#ifndef _WIN32

using WinUserMessageBox = UserTest;

TEST_F(WinUserMessageBox, BoxesAreRecordedAsGivenAndPrintedInUtf8WithoutADisplay) {
  // This file's narrow literals are CP1251, as the game's are.
  const char* text = "Ошибка: нет текстуры";
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(nullptr, text, "Fatal Error", MB_OK), IDOK);
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_EQ(printed, std::string("Fatal Error: ") + reinterpret_cast<const char*>(u8"Ошибка: нет текстуры") + "\n");

  ASSERT_EQ(PlatformTest::MessageBoxes().size(), 1u);
  const PlatformTest::MessageBoxRecord& record = PlatformTest::MessageBoxes()[0];
  EXPECT_EQ(record.owner, nullptr);
  EXPECT_EQ(record.text, text);
  EXPECT_EQ(record.text.size(), 20u);
  EXPECT_EQ(record.caption, "Fatal Error");
  EXPECT_EQ(record.type, static_cast<UINT>(MB_OK));

  // After the owner is gone, and with missing texts, a box still comes.
  HWND hwnd = Create();
  DestroyWindow(hwnd);
  testing::internal::CaptureStderr();
  EXPECT_EQ(MessageBoxA(hwnd, nullptr, nullptr, MB_ICONERROR), IDOK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: \n");
  ASSERT_EQ(PlatformTest::MessageBoxes().size(), 2u);
  EXPECT_EQ(PlatformTest::MessageBoxes()[1].owner, hwnd);
  EXPECT_EQ(PlatformTest::MessageBoxes()[1].type, static_cast<UINT>(MB_ICONERROR));

  PlatformTest::ClearMessageBoxes();
  EXPECT_TRUE(PlatformTest::MessageBoxes().empty());
}

// The error report separates its lines with LF CR; a box breaks lines at CR LF,
// LF CR, CR and LF alike, one break per pair, and shows no stray characters.
TEST_F(WinUserMessageBox, EveryKindOfLineBreakShowsAsOne) {
  testing::internal::CaptureStderr();
  MessageBoxA(nullptr, "second\n\rfirst\n\r", "Fatal Error", MB_OK);
  MessageBoxA(nullptr, "a\r\nb\rc\nd\n\n\re\r\r", "t", MB_OK);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: second\nfirst\n\nt: a\nb\nc\nd\n\ne\n\n\n");
  // What the program passed is kept as it was.
  ASSERT_EQ(PlatformTest::MessageBoxes().size(), 2u);
  EXPECT_EQ(PlatformTest::MessageBoxes()[0].text, "second\n\rfirst\n\r");
}

#endif
