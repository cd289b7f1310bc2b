// The test hooks of PlatformTest.h but the drawing library's (gdiplus/GdipTestHooks.cpp).
#include "platform/PlatformTest.h"

#include <vector>

#include "platform/display/DisplayBackend.h"
#include "platform/kernel32/KernelObjects.h"
#include "platform/kernel32/PlatformClock.h"
#include "platform/user32/TestResets.h"
#include "platform/user32/WindowSystem.h"

namespace {

std::vector<void (*)()>& AddedResets() {
  static std::vector<void (*)()> resets;
  return resets;
}

}  // namespace

namespace TestResets {

void Add(void (*reset)()) {
  std::vector<void (*)()>& resets = AddedResets();
  for (void (*added)() : resets) {
    if (added == reset) return;
  }
  resets.push_back(reset);
}

}  // namespace TestResets

namespace PlatformTest {

void SetHeadless(bool headless) {
  WindowSystem::Get().SetHeadless(headless);
}

bool IsHeadless() {
  return WindowSystem::Get().IsHeadless();
}

void UseTestClock(DWORD startMilliseconds) {
  const uint64_t before = PlatformClock::Now();
  PlatformClock::UseTest(startMilliseconds);
  WindowSystem::Get().RebaseTimers(before, PlatformClock::Now());
}

void AdvanceClock(DWORD milliseconds) {
  PlatformClock::Advance(milliseconds);
}

void UseSystemClock() {
  const uint64_t before = PlatformClock::Now();
  PlatformClock::UseSystem();
  WindowSystem::Get().RebaseTimers(before, PlatformClock::Now());
}

void SetIdleHook(IdleHook hook, void* context) {
  WindowSystem::Get().SetIdleHook(hook, context);
}

const std::vector<MessageBoxRecord>& MessageBoxes() {
  return WindowSystem::Get().MessageBoxes();
}

void ClearMessageBoxes() {
  WindowSystem::Get().ClearMessageBoxes();
}

bool ReadWindowPixels(HWND hwnd, std::vector<uint32_t>& argb, int& width, int& height) {
  return WindowSystem::Get().ReadPixels(hwnd, argb, width, height);
}

void InjectMouseMove(HWND hwnd, int x, int y) {
  WindowSystem::Get().MouseMoved(hwnd, x, y);
}

void InjectMouseButton(HWND hwnd, int button, bool down, int x, int y) {
  WindowSystem::Get().MouseButton(hwnd, button, down, x, y);
}

void InjectWheel(HWND hwnd, int steps) {
  WindowSystem::Get().WheelTurned(hwnd, steps);
}

void InjectKey(HWND hwnd, const char* keyName, bool down) {
  WindowSystem::Get().Key(hwnd, VirtualKeyFromKeyName(keyName), down);
}

void InjectText(HWND hwnd, const char* utf8) {
  WindowSystem::Get().Text(hwnd, utf8);
}

void UserResize(HWND hwnd, int outerWidth, int outerHeight) {
  WindowSystem::Get().UserResize(hwnd, outerWidth, outerHeight);
}

void UserClose(HWND hwnd) {
  WindowSystem::Get().CloseRequested(hwnd);
}

void FailNextSetTimer(int count) {
  WindowSystem::Get().FailNextSetTimer(count);
}

void Reset() {
  WindowSystem::Get().Reset();
  KernelObjects::Get().Reset();
  UseSystemClock();
  for (void (*reset)() : AddedResets()) reset();
  SetLastError(ERROR_SUCCESS);
}

}  // namespace PlatformTest
