// KERNEL: module handle, last error, events, file search, Sleep and ExitProcess.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "platform/kernel32/KernelObjects.h"
#include "platform/kernel32/PlatformClock.h"
#include "platform/WinApi.h"

namespace {

// The executable's module handle: the image base Windows gives a 32-bit program.
HMODULE const kModule = reinterpret_cast<HMODULE>(uintptr_t{0x00400000});

// Each thread has its own, as on Windows: a name lookup on a helper thread
// leaves the GUI thread's alone.
DWORD& LastError() {
  static thread_local DWORD error = ERROR_SUCCESS;
  return error;
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR name) {
  if (name) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return kModule;
}

DWORD GetLastError() {
  return LastError();
}

void SetLastError(DWORD error) {
  LastError() = error;
}

HANDLE CreateEventA(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR name) {
  return KernelObjects::Get().CreateEvent(manualReset != FALSE, initialState != FALSE, name);
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return KernelObjects::Get().Wait(handle, milliseconds);
}

BOOL SetEvent(HANDLE event) {
  return KernelObjects::Get().SetEventState(event, true);
}

BOOL ResetEvent(HANDLE event) {
  return KernelObjects::Get().SetEventState(event, false);
}

BOOL CloseHandle(HANDLE handle) {
  return KernelObjects::Get().Close(handle);
}

HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  return KernelObjects::Get().FindFirst(pattern, data);
}

BOOL FindNextFileW(HANDLE find, WIN32_FIND_DATAW* data) {
  return KernelObjects::Get().FindNext(find, data);
}

BOOL FindClose(HANDLE find) {
  return KernelObjects::Get().FindClose(find);
}

void ExitProcess(UINT exitCode) {
  std::cout.flush();
  std::cerr.flush();
  std::clog.flush();
  std::fflush(nullptr);
  _exit(static_cast<int>(exitCode));
}

void Sleep(DWORD milliseconds) {
  if (milliseconds == INFINITE) {
    // Nothing else runs in this process to end such a sleep.
    std::fprintf(stderr, "Sleep: sleeping for ever in a one-thread program; aborting\n");
    std::fflush(stderr);
    std::abort();
  }
  PlatformClock::WaitUntil(PlatformClock::Now() + milliseconds);
}
