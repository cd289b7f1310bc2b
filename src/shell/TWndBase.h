#pragma once
// Root of the application object's class chain: the rectangles of the native
// window and the message being handled. Virtual slots 0 to 4.

#include <cstdint>

#include "platform/Win32.h"

class TWndBase {
 public:
  TWndBase() = default;
  TWndBase(const TWndBase&) = delete;
  TWndBase& operator=(const TWndBase&) = delete;

  virtual ~TWndBase() = default;
  // Creates the native window; the base has none to create.
  virtual HWND Create() { return nullptr; }
  virtual LRESULT OnCreate() { return 0; }
  virtual LRESULT OnDestroy() { return 0; }
  // Reads the client and window rectangles back from the native window.
  virtual void UpdateRects();

  int32_t ClientX = 0;
  int32_t ClientY = 0;
  int32_t ClientWidth = 0;
  int32_t ClientHeight = 0;
  int32_t WindowX = 0;
  int32_t WindowY = 0;
  int32_t WindowWidth = 0;
  int32_t WindowHeight = 0;
  HWND Parent = nullptr;
  HWND Handle = nullptr;
  // The message being handled, stored by the window procedure before dispatch.
  UINT Message = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
};
