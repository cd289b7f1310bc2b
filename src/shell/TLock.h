#pragma once
// The event lock that brackets every frame, routed input event and resize.
// TLock is the do-nothing base; TLockCode holds an auto-reset Win32 event that
// starts signalled, so a wait takes the lock and SetEvent gives it back.
// Taking it twice on the one thread waits for ever: nothing done under the lock
// may send a message to the application window.

#include "platform/Win32.h"

class TLock {
 public:
  TLock() = default;
  TLock(const TLock&) = delete;
  TLock& operator=(const TLock&) = delete;
  virtual ~TLock() = default;
  virtual void Lock() {}
  virtual bool TryLock() { return false; }
  virtual void Unlock() {}
};

class TLockCode : public TLock {
 public:
  TLockCode();
  ~TLockCode() override;
  void Lock() override;
  // Takes the lock only if it is free at once.
  bool TryLock() override;
  void Unlock() override;

 private:
  HANDLE Event;
};

// Holds a lock for a scope and gives it back on the way out, exception or not.
class TLockGuard {
 public:
  explicit TLockGuard(TLock& lock) : Lock_(lock) { Lock_.Lock(); }
  ~TLockGuard() { Lock_.Unlock(); }
  TLockGuard(const TLockGuard&) = delete;
  TLockGuard& operator=(const TLockGuard&) = delete;

 private:
  TLock& Lock_;
};
