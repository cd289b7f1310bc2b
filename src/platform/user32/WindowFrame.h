#pragma once
// Internal to the platform layer: the non-client frame a window style gives,
// as Windows 10 draws it at 96 dpi.

#include "platform/WinApi.h"

struct WindowFrame {
  int left;
  int top;
  int right;
  int bottom;
  bool operator==(const WindowFrame&) const = default;
};

// A sizing border is 8 px, a dialog frame 3 px, a thin border 1 px; a caption
// (WS_BORDER and WS_DLGFRAME together) adds 23 px on top.
inline WindowFrame FrameOf(DWORD style) {
  const int border = (style & WS_THICKFRAME) ? 8 : (style & WS_DLGFRAME) ? 3 : (style & WS_BORDER) ? 1 : 0;
  const int caption = (style & WS_CAPTION) == WS_CAPTION ? 23 : 0;
  return WindowFrame{border, border + caption, border, border};
}

// The client area inside an outer rectangle; never of negative size.
inline RECT ClientInside(const RECT& outer, DWORD style) {
  const WindowFrame frame = FrameOf(style);
  RECT client{outer.left + frame.left, outer.top + frame.top, outer.right - frame.right, outer.bottom - frame.bottom};
  if (client.right < client.left) client.right = client.left;
  if (client.bottom < client.top) client.bottom = client.top;
  return client;
}

// Whether the system holds the window to the tracking sizes of WM_GETMINMAXINFO
// when it is created, moved or sized: it has a sizing border or is not a pop-up.
inline bool SizeIsTracked(DWORD style) {
  return (style & WS_THICKFRAME) || !(style & WS_POPUP);
}
