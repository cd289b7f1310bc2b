#pragma once
// Internal to the platform layer: how its GDI+ side reaches the pixels behind a
// window's device context. No display library type appears here.

#ifndef _WIN32

#include <cstdint>

#include "platform/WinApi.h"

// Premultiplied ARGB, 32 bits per pixel in native byte order (Cairo's ARGB32 layout).
struct PlatformPixelBuffer {
  uint32_t* data;
  int width;
  int height;
  int stridePixels;
  // Changes whenever the window system makes or fills the pixels itself, so
  // that a drawing layer knows it no longer shows what was drawn on it.
  uint64_t epoch = 0;
};

// The current client-area pixels of the window behind hdc. The buffer moves when
// the window is resized, so callers look it up again for every drawing call.
bool PlatformDcPixels(HDC hdc, PlatformPixelBuffer* out);

// Tells the window behind hdc that its pixels changed and must be shown again:
// all of them, or those of rows [top, bottom).
void PlatformDcChanged(HDC hdc);
void PlatformDcChanged(HDC hdc, int top, int bottom);

#endif
