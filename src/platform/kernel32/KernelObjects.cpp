// Events and file searches behind KERNEL handles.
#include "platform/kernel32/KernelObjects.h"

#include <cstdio>
#include <cstdlib>

#include "platform/kernel32/PlatformClock.h"
#include "platform/kernel32/UnicodeText.h"

KernelObjects& KernelObjects::Get() {
  // Never destroyed, so handles stay usable from exit handlers.
  static KernelObjects* objects = new KernelObjects;
  return *objects;
}

HANDLE KernelObjects::Add(Object object) {
  if (objects_.size() >= kMaxHandles) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  const uintptr_t handle = nextHandle_;
  nextHandle_ += 4;
  objects_.emplace(handle, std::move(object));
  return reinterpret_cast<HANDLE>(handle);
}

KernelObjects::Event* KernelObjects::FindEvent(HANDLE handle) {
  auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
  return it == objects_.end() ? nullptr : it->second.event.get();
}

HANDLE KernelObjects::CreateEvent(bool manualReset, bool initialState, const char* name) {
  if (name && *name) {
    // A second creation under a name opens the existing event, as on Windows.
    for (auto& [handle, object] : objects_) {
      if (object.event && object.event->name == name) {
        HANDLE opened = Add(Object{object.event, nullptr});
        if (opened) SetLastError(ERROR_ALREADY_EXISTS);
        return opened;
      }
    }
  }
  auto event = std::make_shared<Event>(Event{manualReset, initialState, name ? name : ""});
  HANDLE handle = Add(Object{std::move(event), nullptr});
  if (handle) SetLastError(ERROR_SUCCESS);
  return handle;
}

DWORD KernelObjects::Wait(HANDLE handle, DWORD milliseconds) {
  Event* event = FindEvent(handle);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
  }
  if (event->signalled) {
    if (!event->manualReset) event->signalled = false;
    return WAIT_OBJECT_0;
  }
  if (milliseconds == INFINITE) {
    // One thread owns every event, so nothing could ever signal this one: the
    // wait would never end. That is a deadlock in the program, not a state to wait out.
    std::fprintf(stderr, "WaitForSingleObject: waiting for ever on an event that no other thread can set; aborting\n");
    std::fflush(stderr);
    std::abort();
  }
  PlatformClock::WaitUntil(PlatformClock::Now() + milliseconds);
  return WAIT_TIMEOUT;
}

BOOL KernelObjects::SetEventState(HANDLE handle, bool signalled) {
  Event* event = FindEvent(handle);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  event->signalled = signalled;
  return TRUE;
}

BOOL KernelObjects::Close(HANDLE handle) {
  auto it = objects_.find(reinterpret_cast<uintptr_t>(handle));
  if (it == objects_.end() || !it->second.event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  objects_.erase(it);
  return TRUE;
}

HANDLE KernelObjects::FindFirst(LPCWSTR pattern, WIN32_FIND_DATAW* data) {
  if (!pattern || !data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  DWORD error = ERROR_SUCCESS;
  std::unique_ptr<FileSearch> search = FileSearch::Open(Utf8FromWide(pattern), &error);
  if (!search) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
  }
  if (!search->Next(data, &error)) {
    SetLastError(error == ERROR_NO_MORE_FILES ? ERROR_FILE_NOT_FOUND : error);
    return INVALID_HANDLE_VALUE;
  }
  HANDLE handle = Add(Object{nullptr, std::move(search)});
  if (!handle) return INVALID_HANDLE_VALUE;
  SetLastError(ERROR_SUCCESS);
  return handle;
}

BOOL KernelObjects::FindNext(HANDLE find, WIN32_FIND_DATAW* data) {
  auto it = objects_.find(reinterpret_cast<uintptr_t>(find));
  if (it == objects_.end() || !it->second.search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!data) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD error = ERROR_SUCCESS;
  if (!it->second.search->Next(data, &error)) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL KernelObjects::FindClose(HANDLE find) {
  auto it = objects_.find(reinterpret_cast<uintptr_t>(find));
  if (it == objects_.end() || !it->second.search) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  objects_.erase(it);
  return TRUE;
}

void KernelObjects::Reset() {
  objects_.clear();
}
