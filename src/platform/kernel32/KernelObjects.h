#pragma once
// Internal to the platform layer: the handle table of KERNEL objects (events and
// file searches). One thread uses it; nothing here blocks for another thread.

#include <map>
#include <memory>
#include <string>

#include "platform/kernel32/FileSearch.h"
#include "platform/WinApi.h"

class KernelObjects {
 public:
  // The process-wide table; safe to use during static initialisation.
  static KernelObjects& Get();

  KernelObjects() = default;
  KernelObjects(const KernelObjects&) = delete;
  KernelObjects& operator=(const KernelObjects&) = delete;

  // The Win32 calls of the same names; errors go to SetLastError.
  HANDLE CreateEvent(bool manualReset, bool initialState, const char* name);
  DWORD Wait(HANDLE handle, DWORD milliseconds);
  BOOL SetEventState(HANDLE handle, bool signalled);
  BOOL Close(HANDLE handle);
  HANDLE FindFirst(LPCWSTR pattern, WIN32_FIND_DATAW* data);
  BOOL FindNext(HANDLE find, WIN32_FIND_DATAW* data);
  BOOL FindClose(HANDLE find);

  // Closes every handle: a fresh process for tests.
  void Reset();

 private:
  struct Event {
    bool manualReset;
    bool signalled;
    std::string name;
  };
  struct Object {
    std::shared_ptr<Event> event;
    std::unique_ptr<FileSearch> search;
  };

  HANDLE Add(Object object);
  Event* FindEvent(HANDLE handle);

  // More open handles than this is a leak; creation then fails instead of growing.
  static constexpr size_t kMaxHandles = 65536;

  std::map<uintptr_t, Object> objects_;
  uintptr_t nextHandle_ = 0x1000;
};
