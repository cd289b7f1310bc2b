// USER: the window-system calls of WinApi.h, over WindowSystem.
#include <cstdint>
#include "platform/user32/ResourceTable.h"
#include "platform/WinApi.h"
#include "platform/user32/WindowPixels.h"
#include "platform/user32/WindowSystem.h"

namespace {

// The default application icon and arrow for a null instance; the executable's
// registered images for its own module handle.
void* LoadResourceImage(bool cursor, HINSTANCE instance, LPCSTR name) {
  ResourceTable& resources = ResourceTable::Get();
  const int kSystemDefault = 32512;  // IDI_APPLICATION, IDC_ARROW
  if (name && IS_INTRESOURCE(name)) {
    const int id = LOWORD(name);
    if (!instance && id == kSystemDefault) return cursor ? resources.SystemArrow() : resources.SystemIcon();
    if (instance == GetModuleHandleA(nullptr)) {
      if (IconImage* image = resources.Load(cursor, id)) return image;
    }
  }
  // Named resources do not exist here.
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

}  // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
  return WindowSystem::Get().RegisterClass(wc);
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  return WindowSystem::Get().UnregisterClass(className, instance);
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  return WindowSystem::Get().CreateWindow(exStyle, className, windowName, style, x, y, width, height, parent, menu,
                                          instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  return WindowSystem::Get().DestroyWindow(hwnd);
}

BOOL IsWindow(HWND hwnd) {
  return WindowSystem::Get().IsWindow(hwnd);
}

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  return WindowSystem::Get().ShowWindow(hwnd, cmdShow);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return WindowSystem::Get().MoveWindow(hwnd, x, y, width, height, repaint);
}

LONG SetWindowLongA(HWND hwnd, int index, LONG value) {
  return static_cast<LONG>(WindowSystem::Get().SetWindowLong(hwnd, index, value));
}

LONG GetWindowLongA(HWND hwnd, int index) {
  return static_cast<LONG>(WindowSystem::Get().GetWindowLong(hwnd, index));
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return WindowSystem::Get().SetWindowLong(hwnd, index, value);
}

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  return WindowSystem::Get().GetWindowLong(hwnd, index);
}

ULONG_PTR SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return WindowSystem::Get().SetClassLong(hwnd, index, value);
}

DWORD SetClassLongA(HWND hwnd, int index, LONG_PTR value) {
  return static_cast<DWORD>(WindowSystem::Get().SetClassLong(hwnd, index, value));
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HICON>(LoadResourceImage(false, instance, name));
}

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  return static_cast<HCURSOR>(LoadResourceImage(true, instance, name));
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  return WindowSystem::Get().GetClientRect(hwnd, rect);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  return WindowSystem::Get().GetWindowRect(hwnd, rect);
}

HDC GetDC(HWND hwnd) {
  return WindowSystem::Get().GetDC(hwnd);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  return WindowSystem::Get().ReleaseDC(hwnd, hdc);
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  return WindowSystem::Get().BeginPaint(hwnd, paint);
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  return WindowSystem::Get().EndPaint(hwnd, paint);
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return WindowSystem::Get().InvalidateRect(hwnd, rect, erase);
}

HWND SetCapture(HWND hwnd) {
  return WindowSystem::Get().SetCapture(hwnd);
}

BOOL ReleaseCapture() {
  return WindowSystem::Get().ReleaseCapture();
}

SHORT GetKeyState(int virtualKey) {
  return WindowSystem::Get().GetKeyState(virtualKey);
}

HWND GetCapture() {
  return WindowSystem::Get().GetCapture();
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  return WindowSystem::Get().SetTimer(hwnd, id, elapse, proc);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  return WindowSystem::Get().KillTimer(hwnd, id);
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  return WindowSystem::Get().GetMessage(msg, hwnd, filterMin, filterMax);
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  return WindowSystem::Get().PeekMessage(msg, hwnd, filterMin, filterMax, removeMsg);
}

BOOL TranslateMessage(const MSG* msg) {
  // Characters come from the display's text input (or with the control keys)
  // as WM_CHAR already; this only reports whether msg was a key message.
  return msg && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) ? TRUE : FALSE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  return WindowSystem::Get().DispatchMessage(msg);
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowSystem::Get().DefWindowProc(hwnd, msg, wParam, lParam);
}

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowSystem::Get().PostMessage(hwnd, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  WindowSystem::Get().PostQuitMessage(exitCode);
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return WindowSystem::Get().SendMessage(hwnd, msg, wParam, lParam);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return WindowSystem::Get().MessageBox(owner, text, caption, type);
}

bool PlatformDcPixels(HDC hdc, PlatformPixelBuffer* out) {
  return WindowSystem::Get().DcPixels(hdc, out);
}

void PlatformDcChanged(HDC hdc) {
  WindowSystem::Get().DcChanged(hdc, 0, INT32_MAX);
}

void PlatformDcChanged(HDC hdc, int top, int bottom) {
  WindowSystem::Get().DcChanged(hdc, top, bottom);
}
