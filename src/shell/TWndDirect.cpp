#include "shell/TWndDirect.h"

#include <cstdlib>
#include <exception>
#include <utility>

#include "shell/CodePage.h"
#include "shell/ErrorLog.h"

HMODULE ModuleHandle = GetModuleHandleA(nullptr);
const char kWindowClassName[] = "VelkarWinClass";

namespace {

// The class that TWindowClassRegistration registered, unregistered at exit.
const char* RegisteredClassName = nullptr;

void UnregisterWindowClass() {
  if (RegisteredClassName) UnregisterClassA(RegisteredClassName, GetModuleHandleA(nullptr));
}

}  // namespace

TWindowClassRegistration::TWindowClassRegistration(const char* in_name) {
  if (!RegisterWindowClass(in_name)) {
    MessageBoxA(nullptr, "CreateWindow() - FAILED", "Error", MB_OK);
    ExitProcess(1);
  }
  RegisteredClassName = in_name;
  std::atexit(UnregisterWindowClass);
}

bool RegisterWindowClass(const char* in_name) {
  WNDCLASSA wc = {};
  wc.style = 0;
  wc.lpfnWndProc = KrambolWindowProc;
  // Asked here rather than read from ModuleHandle: registration runs during
  // static initialisation, possibly before ModuleHandle is set.
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = in_name;
  return RegisterClassA(&wc) != 0;
}

namespace {
// An exception thrown by a handler, waiting to leave the system's call chain.
std::exception_ptr PendingException;
}  // namespace

void RethrowWindowException() {
  if (PendingException) std::rethrow_exception(std::exchange(PendingException, nullptr));
}

LRESULT CALLBACK KrambolWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* window = reinterpret_cast<TWndDirect*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  window->Handle = hwnd;
  window->Message = message;
  window->WParam = wParam;
  window->LParam = lParam;
  // C++ exceptions cannot unwind through the system's own frames on every
  // Windows build, so a handler's exception is kept here and rethrown by
  // whoever called into the system (the message loop, Create, SendMessageA).
  try {
    return window->WindowProc();
  } catch (...) {
    if (!PendingException) PendingException = std::current_exception();
    return 0;
  }
}

TWndDirect::TWndDirect(const char* title, const char* in_className)
    : Title(title ? title : ""), Style(WS_OVERLAPPEDWINDOW), ClassName(in_className ? in_className : kWindowClassName) {}

TWndDirect::~TWndDirect() {
  // An object that dies before its window (a failed start-up) must not receive
  // that window's later messages: they go to the default processing instead.
  if (Handle && IsWindow(Handle)) {
    SetWindowLongPtrA(Handle, GWLP_USERDATA, 0);
    DestroyWindow(Handle);
  }
}

HWND TWndDirect::Create() {
  HWND hwnd = CreateWindowExA(0, ClassName.c_str(), Title.c_str(), Style, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                              Parent, nullptr, ModuleHandle, this);
  RethrowWindowException();
  if (!hwnd) {
    LogError("CreateWindow [%s] - FAILED", Title.c_str());
    return nullptr;
  }
#ifdef _WIN32
  // The title is CP1251, which CreateWindowExA read in the system's ANSI code
  // page. The window is an ANSI window (its procedure came from RegisterClassA),
  // so SetWindowTextW would hand the procedure the title converted back to that
  // code page, and DefWindowProcA would store "???????." wherever it is not
  // 1251. DefWindowProcW stores wide text as it is: called directly, it sets
  // the title right under any code page and leaves the window ANSI.
  DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Cp1251ToWide(Title).c_str()));
#endif
  ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

LRESULT TWndDirect::DefaultProcessing() { return DefWindowProcA(Handle, Message, WParam, LParam); }

LRESULT TWndDirect::WindowProc() {
  switch (Message) {
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      UpdateRects();
      OnSize();
      return 0;
    case WM_CLOSE:
      if (CanClose()) DestroyWindow(Handle);
      return 0;
    default:
      return DefaultProcessing();
  }
}
