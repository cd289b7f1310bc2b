// Device input (from the display or from tests), user sizing and the test hooks.
#include <algorithm>

#include "platform/kernel32/UnicodeText.h"
#include "platform/user32/WindowFrame.h"
#include "platform/user32/WindowSystem.h"

namespace {

int Width(const RECT& r) {
  return r.right - r.left;
}

int Height(const RECT& r) {
  return r.bottom - r.top;
}

// Wheel steps that still fit the signed 16-bit delta of WM_MOUSEWHEEL.
constexpr int kMaxWheelSteps = 32767 / WHEEL_DELTA;

}  // namespace

WPARAM WindowSystem::MouseKeyFlags() const {
  WPARAM flags = 0;
  if (buttons_[1]) flags |= MK_LBUTTON;
  if (buttons_[3]) flags |= MK_RBUTTON;
  if (keys_[VK_SHIFT]) flags |= MK_SHIFT;
  if (keys_[VK_CONTROL]) flags |= MK_CONTROL;
  return flags;
}

SHORT WindowSystem::GetKeyState(int virtualKey) const {
  if (virtualKey <= 0 || virtualKey > 255) return 0;
  return keys_[virtualKey] ? static_cast<SHORT>(0x8000) : 0;
}

void WindowSystem::MouseMoved(HWND hwnd, int x, int y) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const RECT client = ClientOnScreen(*w);
  cursor_ = POINT{client.left + x, client.top + y};
  // The target window and client coordinates are settled when the message is read.
  QueueInput(hwnd, WM_MOUSEMOVE, MouseKeyFlags(), 0);
}

void WindowSystem::MouseButton(HWND hwnd, int button, bool down, int x, int y) {
  if (button != 1 && button != 3) return;
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const RECT client = ClientOnScreen(*w);
  cursor_ = POINT{client.left + x, client.top + y};
  buttons_[button] = down;
  const UINT msg = button == 1 ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP) : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
  QueueInput(hwnd, msg, MouseKeyFlags(), 0);
}

void WindowSystem::WheelTurned(HWND hwnd, int steps) {
  if (steps == 0 || !Find(hwnd)) return;
  steps = std::clamp(steps, -kMaxWheelSteps, kMaxWheelSteps);
  QueueInput(hwnd, WM_MOUSEWHEEL, MAKEWPARAM(MouseKeyFlags(), steps * WHEEL_DELTA), MAKELPARAM(cursor_.x, cursor_.y));
}

void WindowSystem::Key(HWND hwnd, int virtualKey, bool down) {
  if (virtualKey <= 0 || virtualKey > 255 || !Find(hwnd)) return;
  const bool wasDown = keys_[virtualKey];
  keys_[virtualKey] = down;
  // Repeat count 1; bit 30 the previous state; bit 31 set on release.
  const LPARAM lParam = static_cast<LPARAM>(1u | (wasDown ? 1u << 30 : 0u) | (down ? 0u : 1u << 31));
  QueueInput(hwnd, down ? WM_KEYDOWN : WM_KEYUP, static_cast<WPARAM>(virtualKey), lParam);
  // The keys that type a control character bring it, as TranslateMessage does on Windows.
  if (down && (virtualKey == VK_BACK || virtualKey == VK_TAB || virtualKey == VK_RETURN || virtualKey == VK_ESCAPE)) {
    QueueInput(hwnd, WM_CHAR, static_cast<WPARAM>(virtualKey), lParam);
  }
}

void WindowSystem::Text(HWND hwnd, const char* utf8) {
  if (!utf8 || !Find(hwnd)) return;
  for (char16_t unit : Utf16FromUtf8(utf8)) QueueInput(hwnd, WM_CHAR, unit, 1);
}

void WindowSystem::ApplyUserSize(HWND hwnd, RECT outer) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  if (!w->maximized) {
    POINT minTrack{0, 0};
    POINT maxTrack{0, 0};
    if (TrackingLimits(hwnd, &minTrack, &maxTrack)) {
      outer.right = outer.left + std::max(std::min(Width(outer), static_cast<int>(maxTrack.x)),
                                          static_cast<int>(minTrack.x));
      outer.bottom = outer.top + std::max(std::min(Height(outer), static_cast<int>(maxTrack.y)),
                                          static_cast<int>(minTrack.y));
    }
    if (!(w = Find(hwnd))) return;
  }
  SetOuterRect(hwnd, outer, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
}

void WindowSystem::Resized(HWND hwnd, int clientWidth, int clientHeight) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const WindowFrame frame = FrameOf(w->style);
  const RECT client = ClientOnScreen(*w);
  const int width = std::clamp(clientWidth, 0, 32767);
  const int height = std::clamp(clientHeight, 0, 32767);
  ApplyUserSize(hwnd, RECT{client.left - frame.left, client.top - frame.top, client.left + width + frame.right,
                           client.top + height + frame.bottom});
}

void WindowSystem::UserResize(HWND hwnd, int outerWidth, int outerHeight) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const int width = std::clamp(outerWidth, 0, 32767);
  const int height = std::clamp(outerHeight, 0, 32767);
  ApplyUserSize(hwnd, RECT{w->outer.left, w->outer.top, w->outer.left + width, w->outer.top + height});
}

void WindowSystem::Moved(HWND hwnd, int clientX, int clientY) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const RECT client = ClientOnScreen(*w);
  const int dx = std::clamp(clientX, -32768, 32767) - client.left;
  const int dy = std::clamp(clientY, -32768, 32767) - client.top;
  if (dx == 0 && dy == 0) return;
  const RECT outer{w->outer.left + dx, w->outer.top + dy, w->outer.right + dx, w->outer.bottom + dy};
  SetOuterRect(hwnd, outer, w->lastSizeType);
}

void WindowSystem::MaximizeChanged(HWND hwnd, bool maximized) {
  WindowEntry* w = Find(hwnd);
  if (!w || w->maximized == maximized) return;
  if (maximized) {
    w->normal = w->outer;
    w->style |= WS_MAXIMIZE;
  } else {
    w->style &= ~WS_MAXIMIZE;
  }
  w->maximized = maximized;
  SetOuterRect(hwnd, w->outer, maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
}

void WindowSystem::CloseRequested(HWND hwnd) {
  if (Find(hwnd)) QueueInput(hwnd, WM_CLOSE, 0, 0);
}

void WindowSystem::Exposed(HWND hwnd) {
  if (WindowEntry* w = Find(hwnd)) w->presentWanted = true;
}

void WindowSystem::SetIdleHook(PlatformTest::IdleHook hook, void* context) {
  idleHook_ = hook;
  idleContext_ = hook ? context : nullptr;
}

void WindowSystem::Reset() {
  std::vector<HWND> all;
  for (const auto& [hwnd, w] : windows_) all.push_back(hwnd);
  for (HWND hwnd : all) Remove(hwnd);
  classes_.clear();
  dcs_.clear();
  queue_.Clear();
  timers_.Clear();
  failingTimers_ = 0;
  if (capture_ && display_) display_->SetMouseCapture(false);
  capture_ = nullptr;
  std::fill(std::begin(buttons_), std::end(buttons_), false);
  std::fill(std::begin(keys_), std::end(keys_), false);
  cursor_ = POINT{0, 0};
  idleHook_ = nullptr;
  idleContext_ = nullptr;
  messageBoxes_.clear();
}
