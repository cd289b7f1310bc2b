#pragma once
// Shared ground for the widget tests: a started headless game whose client area
// is 800 x 600, and a desktop and a menu that record what reaches them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Win32.h"
#include "shell/TTimer.h"
#include "headless/GameHarness.h"
#include "toolkit/Notify.h"
#include "toolkit/TDesktop.h"
#include "toolkit/TWinMenu.h"
#include "toolkit/TWindowBuffer.h"
#include "toolkit/WindowTree.h"

// One notification as its receiver saw it; for code 3, the text p1 pointed to.
struct TNote {
  TWindow* Sender;
  int32_t Code;
  intptr_t P1;
  intptr_t P2;
  std::wstring Text;
};

inline TNote MakeNote(TWindow* sender, int32_t code, intptr_t p1, intptr_t p2) {
  TNote note{sender, code, p1, p2, {}};
  if (code == kNotifyEditText && p1) note.Text = *reinterpret_cast<const std::wstring*>(p1);
  return note;
}

class TRecordingDesktop : public TDesktop {
 public:
  void OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) override {
    Notes.push_back(MakeNote(sender, code, p1, p2));
  }
  std::vector<TNote> Notes;
};

// Also records the keys and characters its widgets left unhandled.
class TRecordingMenu : public TWinMenu {
 public:
  TRecordingMenu(int32_t width, int32_t height) : TWinMenu(L"Проба", width, height) {}
  void OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) override {
    Notes.push_back(MakeNote(sender, code, p1, p2));
  }
  bool OnKeyDown() override {
    KeysReached.push_back(static_cast<int>(Application->WParam));
    return TWinMenu::OnKeyDown();
  }
  bool OnChar() override {
    CharsReached.push_back(static_cast<wchar_t>(Application->WParam));
    return TWinMenu::OnChar();
  }
  std::vector<TNote> Notes;
  std::vector<int> KeysReached;
  std::vector<wchar_t> CharsReached;
};

class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Harness.Start();
    Harness.Tick();
    SetClientSize(800, 600);
    Desktop = new TRecordingDesktop();
    Harness.Tick();
  }

  void SetClientSize(int width, int height) { Harness.SetClientSize(width, height); }

  // A menu centred on the desktop: at (200, 150) for the default size.
  TRecordingMenu* OpenMenu(int32_t width = 400, int32_t height = 300) { return new TRecordingMenu(width, height); }

  // The screen point of a point in a window's drawing coordinates: only
  // buffers start a coordinate space of their own.
  static TPoint OnScreen(const TWindow* window, int32_t x, int32_t y) { return ScreenPointOf(window, x, y); }
  void ClickAt(const TWindow* window, int32_t x, int32_t y) {
    const TPoint p = OnScreen(window, x, y);
    Harness.LeftClick(p.x, p.y);
  }
  uint32_t PixelAt(const TWindow* window, int32_t x, int32_t y) {
    const TPoint p = OnScreen(window, x, y);
    return Harness.ScreenPixel(p.x, p.y);
  }
  static bool IsLive(const TWindow* window) {
    return std::find(LiveWindows.begin(), LiveWindows.end(), window) != LiveWindows.end();
  }

  TGameHarness Harness;
  TRecordingDesktop* Desktop = nullptr;
};

constexpr uint32_t kBlackPixel = 0xFF000000;
constexpr uint32_t kRedPixel = 0xFFFF0000;
constexpr uint32_t kBluePixel = 0xFF0000FF;
constexpr uint32_t kVeryLightRedPixel = 0xFFFFE6E6;
constexpr uint32_t kLightRedPixel = 0xFFFFC8C8;
constexpr uint32_t kVeryLightBluePixel = 0xFFE6E6FF;
constexpr uint32_t kWhitePixel = 0xFFFFFFFF;
