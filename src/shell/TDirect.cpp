#include "shell/TDirect.h"

#ifdef _WIN32
namespace {

// A character of the system's ANSI code page as UTF-16, which is what the
// toolkit reads (the other build delivers UTF-16 already). A byte that makes
// no character on its own (the first of two in a double-byte code page) is
// passed on as it came.
WPARAM Utf16OfAnsiCharacter(WPARAM in_character) {
  const char byte = static_cast<char>(in_character & 0xFF);
  wchar_t wide = 0;
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1) return in_character;
  return static_cast<WPARAM>(wide);
}

}  // namespace
#endif

TDirect::~TDirect() { ReleaseSurface(); }

void TDirect::ReleaseSurface() {
  delete Graphics;
  Graphics = nullptr;
  if (Dc) ReleaseDC(Handle, Dc);
  Dc = nullptr;
}

void TDirect::RenewSurface() {
  ReleaseSurface();
  Dc = GetDC(Handle);
  Graphics = TGraphics::FromHdc(Dc).release();
}

LRESULT TDirect::WindowProc() {
  switch (Message) {
    case WM_CREATE:
      Dc = GetDC(Handle);
      Graphics = TGraphics::FromHdc(Dc).release();
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      ReleaseSurface();
      PostQuitMessage(0);
      return 0;
    case WM_MOVE:
      RenewSurface();
      return OnMove();
    case WM_SIZE:
      UpdateRects();
      RenewSurface();
      OnSize();
      return 0;
    case WM_ACTIVATE:
      return OnActivate();
    case WM_PAINT:
      BeginPaint(Handle, &Paint);
      OnPaint();
      EndPaint(Handle, &Paint);
      return 0;
    case WM_CLOSE:
      if (CanClose()) DestroyWindow(Handle);
      return 0;
    case WM_ERASEBKGND:
      return 0;
    case WM_GETMINMAXINFO:
      return OnGetMinMaxInfo();
    case WM_KEYDOWN:
      return OnKeyDown();
    case WM_KEYUP:
      return OnKeyUp();
    case WM_CHAR:
#ifdef _WIN32
      // The window is an ANSI window: typed characters come in the ANSI code
      // page ("я" as byte 0xFF under CP1251), and would otherwise read as
      // Latin-1 letters.
      if (!IsWindowUnicode(Handle)) WParam = Utf16OfAnsiCharacter(WParam);
#endif
      return OnChar();
    case WM_COMMAND:
      return OnCommand();
    case WM_TIMER:
      return OnTimer();
    case WM_MOUSEMOVE: {
      // Signed 16-bit halves: while the mouse is captured it may lie left of or
      // above the client area.
      const int32_t x = static_cast<int16_t>(LOWORD(LParam));
      const int32_t y = static_cast<int16_t>(HIWORD(LParam));
      MouseDX = x - MouseX;
      MouseDY = y - MouseY;
      MouseX = x;
      MouseY = y;
      OnMouseMove();
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetCapture(Handle);
      LButtonDown = true;
      OnLButtonDown();
      return 0;
    case WM_LBUTTONUP:
      LButtonDown = false;
      ReleaseCapture();
      OnLButtonUp();
      return 0;
    case WM_LBUTTONDBLCLK:
      OnLButtonDblClk();
      return 0;
    case WM_RBUTTONDOWN:
      RButtonDown = true;
      SetCapture(Handle);
      OnRButtonDown();
      return 0;
    case WM_RBUTTONUP:
      RButtonDown = false;
      ReleaseCapture();
      OnRButtonUp();
      return 0;
    case WM_RBUTTONDBLCLK:
      OnRButtonDblClk();
      return 0;
    case WM_MOUSEWHEEL:
      OnMouseWheel();
      return 0;
    default:
      if (Message >= WM_USER) return OnUserMessage();
      return DefaultProcessing();
  }
}
