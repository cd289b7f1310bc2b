// SetTimer bookkeeping. A timer fires by being due: however late it is read,
// it yields one WM_TIMER and is then due one interval after that moment.
#include "platform/user32/TimerTable.h"

#include <algorithm>

bool TimerTable::Set(HWND hwnd, UINT_PTR id, UINT interval, TIMERPROC proc, uint64_t now) {
  for (TimerEntry& timer : timers_) {
    if (timer.hwnd == hwnd && timer.id == id) {
      timer = TimerEntry{hwnd, id, interval, now + interval, proc};
      return true;
    }
  }
  if (timers_.size() >= kLimit) return false;
  timers_.push_back(TimerEntry{hwnd, id, interval, now + interval, proc});
  return true;
}

UINT_PTR TimerTable::FreeThreadTimerId() const {
  for (UINT_PTR id = 1;; ++id) {
    if (!Find(nullptr, id)) return id;
  }
}

bool TimerTable::Kill(HWND hwnd, UINT_PTR id) {
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->hwnd == hwnd && it->id == id) {
      timers_.erase(it);
      return true;
    }
  }
  return false;
}

void TimerTable::KillWindow(HWND hwnd) {
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [hwnd](const TimerEntry& t) { return t.hwnd == hwnd; }),
                timers_.end());
}

const TimerEntry* TimerTable::Find(HWND hwnd, UINT_PTR id) const {
  for (const TimerEntry& timer : timers_) {
    if (timer.hwnd == hwnd && timer.id == id) return &timer;
  }
  return nullptr;
}

TimerEntry* TimerTable::FirstDue(uint64_t now, const MessageFilter& filter) {
  TimerEntry* first = nullptr;
  for (TimerEntry& timer : timers_) {
    if (timer.due > now || !filter.AcceptsWindow(timer.hwnd) || !filter.AcceptsMessage(WM_TIMER)) continue;
    if (!first || timer.due < first->due) first = &timer;
  }
  return first;
}

bool TimerTable::NextDue(const MessageFilter& filter, uint64_t* due) const {
  bool found = false;
  for (const TimerEntry& timer : timers_) {
    if (!filter.AcceptsWindow(timer.hwnd) || !filter.AcceptsMessage(WM_TIMER)) continue;
    if (!found || timer.due < *due) *due = timer.due;
    found = true;
  }
  return found;
}

void TimerTable::Rebase(uint64_t from, uint64_t to) {
  for (TimerEntry& timer : timers_) timer.due = to + (timer.due > from ? timer.due - from : 0);
}

void TimerTable::Clear() {
  timers_.clear();
}
