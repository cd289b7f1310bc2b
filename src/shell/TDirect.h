#pragma once
// The application window with the full message switch: keeps the mouse state
// and a GDI+ drawing surface on the window's device context, which the toolkit
// reads through the application object.

#include <memory>

#include "graphics/TGraphics.h"
#include "shell/TWndDirect.h"

class TDirect : public TWndDirect {
 public:
  explicit TDirect(const char* title, const char* in_className = kWindowClassName)
      : TWndDirect(title, in_className) {}
  ~TDirect() override;

  LRESULT WindowProc() override;

  bool LButtonDown = false;
  bool RButtonDown = false;
  // Client coordinates of the last mouse move, and the change from the one before.
  int32_t MouseX = 0;
  int32_t MouseY = 0;
  int32_t MouseDX = 0;
  int32_t MouseDY = 0;
  // The surface on the window. Windows without a parent draw through a pointer
  // to this field, so they follow when it is renewed after a move or resize.
  TGraphics* Graphics = nullptr;
  HDC Dc = nullptr;
  PAINTSTRUCT Paint = {};

 private:
  // Deletes the surface, releases the device context, gets it again and makes a
  // new surface on it (left empty when its memory cannot be had).
  void RenewSurface();
  void ReleaseSurface();
};
