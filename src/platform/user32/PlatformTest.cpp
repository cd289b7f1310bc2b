// The test hooks of PlatformTest.h.
#include "platform/PlatformTest.h"

#include "platform/DisplayBackend.h"
#include "platform/GdipCanvas.h"
#include "platform/GdipObjects.h"
#include "platform/KernelObjects.h"
#include "platform/PlatformClock.h"
#include "platform/WindowSystem.h"

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

void DiscardDrawing(bool discard) {
  Gdiplus::GdipCanvas::Discard(discard);
}

void KeepDecodedImages(bool keep) {
  Gdiplus::GdipKeepDecodedImages(keep);
}

void FailNextSetTimer(int count) {
  WindowSystem::Get().FailNextSetTimer(count);
}

void Reset() {
  WindowSystem::Get().Reset();
  KernelObjects::Get().Reset();
  UseSystemClock();
  DiscardDrawing(false);
  SetLastError(ERROR_SUCCESS);
}

}  // namespace PlatformTest
