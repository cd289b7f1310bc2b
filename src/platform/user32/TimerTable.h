#pragma once
// Internal to the platform layer: the SetTimer timers of the one GUI thread.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/user32/MessageQueue.h"
#include "platform/WinApi.h"

struct TimerEntry {
  HWND hwnd;
  UINT_PTR id;
  UINT interval;
  uint64_t due;  // on PlatformClock
  TIMERPROC proc;
};

class TimerTable {
 public:
  // More timers than this fail to start, as Windows runs out of them.
  static constexpr size_t kLimit = 10000;

  // Starts a timer, or restarts the one with the same window and id (new
  // interval, due one interval from now). False when the table is full.
  bool Set(HWND hwnd, UINT_PTR id, UINT interval, TIMERPROC proc, uint64_t now);
  // An id no timer without a window uses yet.
  UINT_PTR FreeThreadTimerId() const;
  bool Kill(HWND hwnd, UINT_PTR id);
  void KillWindow(HWND hwnd);
  const TimerEntry* Find(HWND hwnd, UINT_PTR id) const;

  // The timer that fires now among those passing the filter: the one due
  // longest, ties in order of creation; null when none is due.
  TimerEntry* FirstDue(uint64_t now, const MessageFilter& filter);
  // The earliest due time among timers passing the filter; false without timers.
  bool NextDue(const MessageFilter& filter, uint64_t* due) const;

  // Keeps every timer's remaining time when the clock jumps from one reading to another.
  void Rebase(uint64_t from, uint64_t to);
  void Clear();

 private:
  std::vector<TimerEntry> timers_;  // in order of creation
};
