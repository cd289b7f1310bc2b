// The application window on Windows is an ANSI window, so the system types
// characters into it in its ANSI code page; the toolkit reads them as UTF-16,
// as the other build delivers them.
#include <gtest/gtest.h>

#include <string>

// Windows Sockets before the rest of Windows, as the system's headers ask.
#include "platform/Win32.h"
#include "shell/TDirect.h"

namespace {

const char kClassName[] = "KrambolCharacterTestClass";

// Keeps the character each WM_CHAR hands on.
class TCharacterReader : public TDirect {
 public:
  TCharacterReader() : TDirect("Character test", kClassName) {}
  LRESULT OnChar() override {
    Read.push_back(static_cast<wchar_t>(WParam & 0xFFFF));
    return 0;
  }
  std::wstring Read;
};

}  // namespace

TEST(TDirectOnWindows, TypedCharactersReachTheToolkitAsUtf16WhateverTheAnsiCodePage) {
  ASSERT_TRUE(RegisterWindowClass(kClassName));
  {
    TCharacterReader reader;
    const HWND window = reader.Create();
    ASSERT_NE(window, nullptr);
    ASSERT_FALSE(IsWindowUnicode(window));
    // Each character the code page holds, sent as its byte there, as
    // TranslateMessage does for an ANSI window; the Euro sign and the digit
    // are in CP1251 and CP1252 alike.
    std::wstring sent;
    for (const wchar_t character : std::wstring(L"\u044F\u20AC\u00E97")) {
      char byte = 0;
      BOOL lost = FALSE;
      if (WideCharToMultiByte(CP_ACP, 0, &character, 1, &byte, 1, nullptr, &lost) != 1 || lost) continue;
      SendMessageA(window, WM_CHAR, static_cast<unsigned char>(byte), 1);
      sent.push_back(character);
    }
    EXPECT_GE(sent.size(), 2u);
    EXPECT_EQ(reader.Read, sent);
  }
  UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
}
