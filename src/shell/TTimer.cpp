#include "shell/TTimer.h"

#include "graphics/TextureRegistry.h"
#include "shell/ErrorLog.h"

TTimer* Application = nullptr;
int32_t RequestedScreen = 0;
bool ScreenRequestPending = true;

void RequestScreen(int32_t screen) {
  RequestedScreen = screen;
  ScreenRequestPending = true;
}

namespace {
constexpr DWORD kPopupStyle = WS_POPUP | WS_VISIBLE;
constexpr int kWindowedWidth = 640;
constexpr int kWindowedHeight = 480;
}  // namespace

TTimer::TTimer() : TTimer("Крамбол.", kWindowClassName) {}

TTimer::TTimer(const char* in_title, const char* in_className) : TDirect(in_title, in_className) {
  Application = this;
}

TTimer::~TTimer() {
  if (Application == this) Application = nullptr;
}

void TTimer::StartTimer() {
  if (SetTimer(Handle, TimerId, static_cast<UINT>(AppliedSettings.FrameInterval), nullptr) == 0) {
    LogError("SetTimer() - FAILED");
    throw 0;
  }
  LastTickTime = timeGetTime();
  TimerRunning = true;
}

LRESULT TTimer::OnCreate() {
  TimerRunning = false;
  CurrentTime = 0;
  Elapsed = 0;
  TimerId = 0;
  RegisterTextures();
  CloseRequested = false;
  LoadSettings();
  StartTimer();
  return 0;
}

void TTimer::LoadSettings() {
  SettingsChanged = true;
  RequestedSettings.Load();
}

LRESULT TTimer::OnDestroy() {
  KillTimer(Handle, TimerId);
  TimerRunning = false;
  FreeTextures();
  return 0;
}

LRESULT TTimer::OnTimer() {
  Lock.Lock();
  CurrentTime = timeGetTime();
  Elapsed = static_cast<int32_t>(CurrentTime - LastTickTime);
  if (Elapsed > 0) {
    LastTickTime = CurrentTime;
    OnFrame();
  }
  Lock.Unlock();
  ApplyPendingRequests();
  return 0;
}

void TTimer::ApplyPendingRequests() {
  if (SettingsChanged) {
    if (RequestedSettings.FullScreen != AppliedSettings.FullScreen) {
      if (RequestedSettings.FullScreen) {
        SetWindowLongA(Handle, GWL_STYLE, static_cast<LONG>(kPopupStyle));
        MoveWindow(Handle, 0, 0, ClientWidth, ClientHeight, TRUE);
        ShowWindow(Handle, SW_SHOWMAXIMIZED);
      } else {
        SetWindowLongA(Handle, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
        ShowWindow(Handle, SW_RESTORE);
        MoveWindow(Handle, 0, 0, kWindowedWidth, kWindowedHeight, TRUE);
      }
    }
    if (RequestedSettings.FrameInterval != AppliedSettings.FrameInterval) {
      AppliedSettings.FrameInterval = RequestedSettings.FrameInterval;
      if (TimerRunning) {
        KillTimer(Handle, TimerId);
        TimerRunning = false;
        StartTimer();
      }
    }
    AppliedSettings = RequestedSettings;
    SettingsChanged = false;
    AppliedSettings.Save();
  }
  if (CloseRequested) {
    SendMessageA(Handle, WM_CLOSE, 0, 0);
    CloseRequested = false;
    RethrowWindowException();
  }
}
