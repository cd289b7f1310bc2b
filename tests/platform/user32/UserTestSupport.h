#pragma once
// Shared by the window-system tests: a fixture with one window class whose
// procedure records every message it gets and lets the test answer any of them.
// Elsewhere than on Windows the fixture runs headless on the test clock from a
// fresh platform state; on Windows it uses the real system and cleans up after itself.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "platform/Win32.h"
#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

struct RecordedMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class UserTest : public ::testing::Test {
 protected:
  static constexpr const char* kClassName = "PlatformUserTestClass";

  void SetUp() override {
#ifndef _WIN32
    PlatformTest::Reset();
    PlatformTest::SetHeadless(true);
    PlatformTest::UseTestClock(1000);
#endif
    current_ = this;
    WNDCLASSA wc{};
    wc.lpfnWndProc = &UserTest::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ASSERT_NE(RegisterClassA(&wc), 0);
  }

  void TearDown() override {
    handler_ = nullptr;
    for (HWND hwnd : created_) {
      if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    current_ = nullptr;
#ifndef _WIN32
    PlatformTest::Reset();
#endif
  }

  HWND Create(DWORD style = WS_OVERLAPPEDWINDOW, int x = 10, int y = 20, int width = 800, int height = 600,
              LPVOID param = nullptr) {
    HWND hwnd = CreateWindowExA(0, kClassName, "Test", style, x, y, width, height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), param);
    if (hwnd) created_.push_back(hwnd);
    return hwnd;
  }

  // The ids of the recorded messages that are among those named, in order.
  std::vector<UINT> Recorded(std::initializer_list<UINT> wanted) const {
    std::vector<UINT> ids;
    for (const RecordedMessage& m : log_) {
      for (UINT w : wanted) {
        if (m.message == w) ids.push_back(m.message);
      }
    }
    return ids;
  }

  // The last recorded message with this id; fails the test if there is none.
  RecordedMessage Last(UINT message) const {
    for (auto it = log_.rbegin(); it != log_.rend(); ++it) {
      if (it->message == message) return *it;
    }
    ADD_FAILURE() << "no message " << message << " was recorded";
    return RecordedMessage{nullptr, 0, 0, 0};
  }

  // Takes every message that is ready, dispatching each; returns their ids.
  std::vector<UINT> Drain(HWND hwnd = nullptr) {
    std::vector<UINT> ids;
    MSG msg;
    while (ids.size() < 1000 && PeekMessageA(&msg, hwnd, 0, 0, PM_REMOVE)) {
      ids.push_back(msg.message);
      DispatchMessageA(&msg);
    }
    return ids;
  }

  static RECT WindowRectOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
  }

  static RECT ClientRectOf(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
  }

  // Answers a message instead of DefWindowProcA when it returns a value.
  std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)> handler_;
  std::vector<RecordedMessage> log_;
  std::vector<HWND> created_;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    UserTest* test = current_;
    if (!test) return DefWindowProcA(hwnd, message, wParam, lParam);
    test->log_.push_back(RecordedMessage{hwnd, message, wParam, lParam});
    if (test->handler_) {
      if (std::optional<LRESULT> result = test->handler_(hwnd, message, wParam, lParam)) return *result;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  static inline UserTest* current_ = nullptr;
};

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
  return out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}
