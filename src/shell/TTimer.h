#pragma once
// The frame timer, the event lock and the requests other parts post to the
// application object: close the window, apply new settings. A system timer
// posts WM_TIMER at the applied interval; each WM_TIMER is one tick.

#include "shell/TDirect.h"
#include "shell/TLock.h"
#include "shell/TSettings.h"

class TTimer : public TDirect {
 public:
  // Titles the window "Крамбол." (or in_title, of the class in_className), sets
  // both settings records to 66 ms windowed, creates the lock and publishes
  // the object as the application object.
  TTimer();
  TTimer(const char* in_title, const char* in_className);
  ~TTimer() override;

  // Clears the tick bookkeeping, registers every texture, loads the requested
  // settings (LoadSettings) and starts the timer at the applied interval.
  // Throws 0 after logging "SetTimer() - FAILED" when the timer cannot be started.
  LRESULT OnCreate() override;
  // Stops the timer and frees every texture.
  LRESULT OnDestroy() override;
  // One tick: under the lock, a frame if time has passed since the last one;
  // then, outside the lock, the pending requests.
  LRESULT OnTimer() override;
  // One frame's work; here nothing. Runs under the lock.
  virtual void OnFrame() {}

  // Requests, carried out at the end of the next tick.
  bool CloseRequested = false;
  bool SettingsChanged = false;
  TSettings RequestedSettings;

  TLockCode Lock;
  bool TimerRunning = false;
  UINT_PTR TimerId = 0;
  DWORD LastTickTime = 0;
  DWORD CurrentTime = 0;
  int32_t Elapsed = 0;
  TSettings AppliedSettings;

 protected:
  // Reads the requested settings from "option.ini" and marks them changed, so
  // that the first tick applies them and writes the file back.
  virtual void LoadSettings();
  // Applies changed settings (display mode, timer interval, saving the file)
  // and a close request. Never runs under the lock: both send messages to the window.
  void ApplyPendingRequests();

 private:
  void StartTimer();
};

// The one application object, published by its constructor.
extern TTimer* Application;

// The screen to build at the start of the next frame: 0 menu, 1 game, 2 finish.
extern int32_t RequestedScreen;
extern bool ScreenRequestPending;

// Asks for a screen: sets the kind, then marks the request pending.
void RequestScreen(int32_t screen);
