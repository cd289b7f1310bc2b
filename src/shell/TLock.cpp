#include "shell/TLock.h"

TLockCode::TLockCode() : Event(CreateEventA(nullptr, FALSE, TRUE, nullptr)) {}

TLockCode::~TLockCode() {
  SetEvent(Event);
  CloseHandle(Event);
}

void TLockCode::Lock() { WaitForSingleObject(Event, INFINITE); }

bool TLockCode::TryLock() { return WaitForSingleObject(Event, 0) == WAIT_OBJECT_0; }

void TLockCode::Unlock() { SetEvent(Event); }
