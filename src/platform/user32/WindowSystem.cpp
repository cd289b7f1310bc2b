// Window classes, creation and destruction, window data, placement and the display.
#include "platform/user32/WindowSystem.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>

#include "platform/kernel32/CodePage1251.h"
#include "platform/user32/ResourceTable.h"
#include "platform/user32/WindowFrame.h"

namespace {

// Outer size of a window created with CW_USEDEFAULT: its client area is 784 x 561.
// Windows sizes such a window from the screen (about three quarters of it) and
// cascades it from the top left. This layer keeps one fixed size, centred: what
// the headless tests see is what a player sees on any screen, desktops on these
// hosts place new windows themselves, and the window can be resized, maximised
// or switched to full screen at once.
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;
// The screen when there is no display.
constexpr RECT kHeadlessScreen{0, 0, 1920, 1080};
// Coordinates and sizes are held to what Windows' 16-bit message packing can carry.
constexpr int kMaxCoordinate = 32767;
constexpr int kMinCoordinate = -32768;
// More windows than this is a leak; creation then fails.
constexpr size_t kMaxWindows = 10000;

int Clamp(int value, int low, int high) {
  return value < low ? low : (value > high ? high : value);
}

int Width(const RECT& r) {
  return r.right - r.left;
}

int Height(const RECT& r) {
  return r.bottom - r.top;
}

// Removes a window on scope exit unless told it was completed; keeps the
// tables consistent when a window procedure throws in the middle of creation.
class RemoveUnlessCompleted {
 public:
  RemoveUnlessCompleted(WindowSystem& system, HWND hwnd, void (WindowSystem::*remove)(HWND))
      : system_(system), hwnd_(hwnd), remove_(remove) {}
  ~RemoveUnlessCompleted() {
    if (!completed_) (system_.*remove_)(hwnd_);
  }
  RemoveUnlessCompleted(const RemoveUnlessCompleted&) = delete;
  RemoveUnlessCompleted& operator=(const RemoveUnlessCompleted&) = delete;
  void Complete() { completed_ = true; }

 private:
  WindowSystem& system_;
  HWND hwnd_;
  void (WindowSystem::*remove_)(HWND);
  bool completed_ = false;
};

}  // namespace

WindowSystem& WindowSystem::Get() {
  // Never destroyed: exit handlers of the program may still unregister classes.
  static WindowSystem* system = new WindowSystem;
  return *system;
}

// ---------------------------------------------------------------------------
// Lookup

WindowEntry* WindowSystem::Find(HWND hwnd) {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

WindowEntry* WindowSystem::FindOrFail(HWND hwnd) {
  WindowEntry* w = Find(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

WindowEntry* WindowSystem::FindByDc(HDC hdc) {
  auto it = dcs_.find(hdc);
  return it == dcs_.end() ? nullptr : Find(it->second);
}

WindowClassEntry* WindowSystem::FindClass(LPCSTR name) {
  for (auto& c : classes_) {
    if (IS_INTRESOURCE(name) ? c->atom == LOWORD(name) : strcasecmp(c->name.c_str(), name) == 0) return c.get();
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Display

bool WindowSystem::IsHeadless() {
  if (displayTried_ && !display_) return true;
  if (headless_ >= 0) return headless_ == 1;
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return !(x11 && *x11) && !(wayland && *wayland);
}

void WindowSystem::SetHeadless(bool headless) {
  headless_ = headless ? 1 : 0;
}

DisplayBackend* WindowSystem::Display() {
  if (IsHeadless()) return nullptr;
  if (!display_ && !displayTried_) {
    displayTried_ = true;
    display_ = CreateSdlDisplay(*this);
  }
  return display_.get();
}

RECT WindowSystem::ScreenRect() {
  DisplayBackend* display = Display();
  return display ? display->ScreenRect() : kHeadlessScreen;
}

RECT WindowSystem::WorkArea() {
  DisplayBackend* display = Display();
  return display ? display->WorkArea() : kHeadlessScreen;
}

bool WindowSystem::HasDisplayWindows() const {
  if (!display_) return false;
  for (const auto& [hwnd, w] : windows_) {
    if (w->onDisplay) return true;
  }
  return false;
}

DisplayWindowShape WindowSystem::ShapeOf(const WindowEntry& w) const {
  const RECT client = ClientOnScreen(w);
  const WindowFrame frame = FrameOf(w.style);
  DisplayWindowShape shape;
  shape.clientX = client.left;
  shape.clientY = client.top;
  shape.clientWidth = Width(client);
  shape.clientHeight = Height(client);
  if (SizeIsTracked(w.style)) {
    shape.minClientWidth = std::max(0, static_cast<int>(w.minTrack.x) - frame.left - frame.right);
    shape.minClientHeight = std::max(0, static_cast<int>(w.minTrack.y) - frame.top - frame.bottom);
  }
  shape.visible = w.visible;
  shape.maximized = w.maximized;
  shape.decorated = !(frame == WindowFrame{0, 0, 0, 0});
  shape.resizable = (w.style & WS_THICKFRAME) != 0;
  return shape;
}

void WindowSystem::ShowDisplayShape(WindowEntry& w) {
  if (w.onDisplay && display_) display_->ShapeWindow(w.handle, ShapeOf(w));
}

// ---------------------------------------------------------------------------
// Classes

ATOM WindowSystem::RegisterClass(const WNDCLASSA* wc) {
  if (!wc || !wc->lpszClassName || IS_INTRESOURCE(wc->lpszClassName) || !wc->lpfnWndProc ||
      std::char_traits<char>::length(wc->lpszClassName) > 255) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (FindClass(wc->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  if (nextAtom_ == 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  auto entry = std::make_unique<WindowClassEntry>();
  entry->name = wc->lpszClassName;
  entry->atom = nextAtom_++;
  entry->style = wc->style;
  entry->proc = wc->lpfnWndProc;
  entry->instance = wc->hInstance ? wc->hInstance : GetModuleHandleA(nullptr);
  entry->icon = wc->hIcon;
  entry->smallIcon = nullptr;
  entry->cursor = wc->hCursor;
  classes_.push_back(std::move(entry));
  return classes_.back()->atom;
}

BOOL WindowSystem::UnregisterClass(LPCSTR className, HINSTANCE instance) {
  WindowClassEntry* c = className ? FindClass(className) : nullptr;
  if (!c || c->instance != (instance ? instance : GetModuleHandleA(nullptr))) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  for (const auto& [hwnd, w] : windows_) {
    if (w->windowClass == c) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
  }
  classes_.erase(std::find_if(classes_.begin(), classes_.end(), [c](const auto& entry) { return entry.get() == c; }));
  return TRUE;
}

// ---------------------------------------------------------------------------
// Creation and destruction

HWND WindowSystem::CreateWindow(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                                int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  WindowClassEntry* windowClass = className ? FindClass(className) : nullptr;
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (style & WS_CHILD) {
    // Only top-level windows exist here.
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (parent && !Find(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (windows_.size() >= kMaxWindows) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }

  // Overlapped windows always have a caption, as on Windows.
  if (!(style & WS_POPUP)) style |= WS_CAPTION;
  const DWORD requestedStyle = style;
  style &= ~(WS_VISIBLE | WS_MAXIMIZE);

  if (style & WS_POPUP) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
  } else {
    const RECT work = WorkArea();
    if (width == CW_USEDEFAULT) {
      width = kDefaultWidth;
      height = kDefaultHeight;
    }
    if (x == CW_USEDEFAULT) {
      x = work.left + std::max(0, (Width(work) - width) / 2);
      y = work.top + std::max(0, (Height(work) - height) / 2);
    }
  }
  if (y == CW_USEDEFAULT) y = 0;
  if (height == CW_USEDEFAULT) height = 0;
  x = Clamp(x, kMinCoordinate, kMaxCoordinate);
  y = Clamp(y, kMinCoordinate, kMaxCoordinate);
  width = Clamp(width, 0, kMaxCoordinate);
  height = Clamp(height, 0, kMaxCoordinate);

  const HWND hwnd = reinterpret_cast<HWND>(nextWindow_);
  nextWindow_ += 4;
  const HDC dc = reinterpret_cast<HDC>(nextDc_);
  nextDc_ += 4;
  auto entry = std::make_unique<WindowEntry>();
  entry->handle = hwnd;
  entry->dc = dc;
  entry->windowClass = windowClass;
  entry->style = style;
  entry->exStyle = exStyle;
  entry->owner = parent;
  entry->instance = instance;
  entry->title = windowName ? windowName : "";
  entry->outer = RECT{x, y, x + width, y + height};
  windows_[hwnd] = std::move(entry);
  dcs_[dc] = hwnd;
  RemoveUnlessCompleted guard(*this, hwnd, &WindowSystem::Remove);

  POINT minTrack{0, 0};
  POINT maxTrack{0, 0};
  if (TrackingLimits(hwnd, &minTrack, &maxTrack)) {
    width = std::max(std::min(width, static_cast<int>(maxTrack.x)), static_cast<int>(minTrack.x));
    height = std::max(std::min(height, static_cast<int>(maxTrack.y)), static_cast<int>(minTrack.y));
  }
  WindowEntry* w = Find(hwnd);
  if (!w) return nullptr;
  w->outer = RECT{x, y, x + width, y + height};
  w->normal = w->outer;

  CREATESTRUCTA create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(requestedStyle),
                       windowName, className, exStyle};
  if (!Call(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    if (Find(hwnd)) Call(hwnd, WM_NCDESTROY, 0, 0);
    return nullptr;  // the guard forgets the window
  }
  if (!Find(hwnd)) return nullptr;
  if (Call(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    if (Find(hwnd)) DestroyWindow(hwnd);
    return nullptr;
  }
  w = Find(hwnd);
  if (!w) return nullptr;

  if (DisplayBackend* display = Display()) {
    w->onDisplay = display->OpenWindow(hwnd, ShapeOf(*w), Utf8FromCp1251(w->title));
    if (w->onDisplay) {
      const ResourceTable& resources = ResourceTable::Get();
      const IconImage* icon = resources.Find(windowClass->icon);
      display->SetIcon(hwnd, icon ? icon : resources.Find(windowClass->smallIcon));
      display->SetCursor(resources.Find(windowClass->cursor));
    }
  }

  if (style & WS_POPUP) {
    if (!SendInitialSize(hwnd)) return nullptr;
  } else {
    w->sizePending = true;
  }
  guard.Complete();
  if (requestedStyle & WS_VISIBLE) ShowWindow(hwnd, (requestedStyle & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
  return Find(hwnd) ? hwnd : nullptr;
}

BOOL WindowSystem::DestroyWindow(HWND hwnd) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (w->destroying) return TRUE;
  w->destroying = true;
  RemoveUnlessCompleted guard(*this, hwnd, &WindowSystem::Remove);

  if (w->visible) {
    w->visible = false;
    w->style &= ~WS_VISIBLE;
    ShowDisplayShape(*w);
  }
  // Owned windows go first, as on Windows.
  std::vector<HWND> owned;
  for (const auto& [handle, entry] : windows_) {
    if (entry->owner == hwnd) owned.push_back(handle);
  }
  for (HWND handle : owned) DestroyWindow(handle);

  timers_.KillWindow(hwnd);
  queue_.RemoveWindow(hwnd);
  if (capture_ == hwnd) {
    capture_ = nullptr;
    if (display_) display_->SetMouseCapture(false);
    Call(hwnd, WM_CAPTURECHANGED, 0, 0);
  }
  if (Find(hwnd)) Call(hwnd, WM_DESTROY, 0, 0);
  if (Find(hwnd)) Call(hwnd, WM_NCDESTROY, 0, 0);
  return TRUE;  // the guard forgets the window
}

void WindowSystem::Remove(HWND hwnd) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return;
  if (it->second->onDisplay && display_) display_->CloseWindow(hwnd);
  dcs_.erase(it->second->dc);
  timers_.KillWindow(hwnd);
  queue_.RemoveWindow(hwnd);
  if (capture_ == hwnd) {
    capture_ = nullptr;
    if (display_) display_->SetMouseCapture(false);
  }
  for (auto& [handle, entry] : windows_) {
    if (entry->owner == hwnd) entry->owner = nullptr;
  }
  windows_.erase(it);
}

BOOL WindowSystem::IsWindow(HWND hwnd) {
  return Find(hwnd) != nullptr;
}

// ---------------------------------------------------------------------------
// Window and class data

LONG_PTR WindowSystem::SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE: {
      // Visibility and maximisation stay as ShowWindow made them; the style
      // only changes the frame, and the client area follows at once.
      const DWORD previous = w->style;
      const DWORD kept = WS_VISIBLE | WS_MAXIMIZE;
      w->style = (static_cast<DWORD>(value) & ~(kept | WS_CHILD)) | (previous & kept);
      SetOuterRect(hwnd, w->outer, w->lastSizeType);
      return static_cast<LONG>(previous);
    }
    case GWL_EXSTYLE: {
      const DWORD previous = w->exStyle;
      w->exStyle = static_cast<DWORD>(value);
      return static_cast<LONG>(previous);
    }
    case GWL_USERDATA: {
      const LONG_PTR previous = w->userData;
      w->userData = value;
      return previous;
    }
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

LONG_PTR WindowSystem::GetWindowLong(HWND hwnd, int index) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return 0;
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWL_USERDATA:
      return w->userData;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

ULONG_PTR WindowSystem::SetClassLong(HWND hwnd, int index, LONG_PTR value) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return 0;
  WindowClassEntry* c = w->windowClass;
  void* previous = nullptr;
  switch (index) {
    case GCL_HICON:
      previous = c->icon;
      c->icon = reinterpret_cast<HICON>(value);
      break;
    case GCL_HICONSM:
      previous = c->smallIcon;
      c->smallIcon = reinterpret_cast<HICON>(value);
      break;
    case GCL_HCURSOR:
      previous = c->cursor;
      c->cursor = reinterpret_cast<HCURSOR>(value);
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  if (display_) {
    const ResourceTable& resources = ResourceTable::Get();
    const IconImage* icon = resources.Find(c->icon);
    if (!icon || icon->argb.empty()) icon = resources.Find(c->smallIcon);
    for (const auto& [handle, entry] : windows_) {
      if (entry->windowClass != c || !entry->onDisplay) continue;
      if (index == GCL_HCURSOR) {
        display_->SetCursor(resources.Find(c->cursor));
      } else {
        display_->SetIcon(handle, icon);
      }
    }
  }
  return reinterpret_cast<ULONG_PTR>(previous);
}

// ---------------------------------------------------------------------------
// Placement

RECT WindowSystem::ClientOnScreen(const WindowEntry& w) const {
  return ClientInside(w.outer, w.style);
}

BOOL WindowSystem::GetClientRect(HWND hwnd, RECT* rect) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const RECT client = ClientOnScreen(*w);
  *rect = RECT{0, 0, Width(client), Height(client)};
  return TRUE;
}

BOOL WindowSystem::GetWindowRect(HWND hwnd, RECT* rect) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (!rect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *rect = w->outer;
  return TRUE;
}

MINMAXINFO WindowSystem::DefaultMinMaxInfo(const WindowEntry& w) {
  const WindowFrame frame = FrameOf(w.style);
  const int border = frame.left;
  const RECT area = frame == WindowFrame{0, 0, 0, 0} ? ScreenRect() : WorkArea();
  const RECT screen = ScreenRect();
  MINMAXINFO info{};
  info.ptReserved = POINT{w.outer.left, w.outer.top};
  info.ptMaxSize = POINT{Width(area) + 2 * border, Height(area) + 2 * border};
  info.ptMaxPosition = POINT{area.left - border, area.top - border};
  if (w.style & (WS_BORDER | WS_DLGFRAME)) {
    info.ptMinTrackSize = POINT{136, 39};
  } else {
    info.ptMinTrackSize = POINT{2 * border, 2 * border};
  }
  info.ptMaxTrackSize = POINT{Width(screen) + 2 * border + 4, Height(screen) + 2 * border + 4};
  return info;
}

MINMAXINFO WindowSystem::AskMinMaxInfo(HWND hwnd) {
  WindowEntry* w = Find(hwnd);
  MINMAXINFO info = DefaultMinMaxInfo(*w);
  Call(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  auto sane = [](POINT& p) {
    p.x = Clamp(p.x, 0, kMaxCoordinate);
    p.y = Clamp(p.y, 0, kMaxCoordinate);
  };
  sane(info.ptMaxSize);
  sane(info.ptMinTrackSize);
  sane(info.ptMaxTrackSize);
  info.ptMaxPosition.x = Clamp(info.ptMaxPosition.x, kMinCoordinate, kMaxCoordinate);
  info.ptMaxPosition.y = Clamp(info.ptMaxPosition.y, kMinCoordinate, kMaxCoordinate);
  info.ptMaxTrackSize.x = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
  info.ptMaxTrackSize.y = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
  if ((w = Find(hwnd))) w->minTrack = info.ptMinTrackSize;
  return info;
}

bool WindowSystem::TrackingLimits(HWND hwnd, POINT* minTrack, POINT* maxTrack) {
  WindowEntry* w = Find(hwnd);
  if (!w || !SizeIsTracked(w->style)) return false;
  const MINMAXINFO info = AskMinMaxInfo(hwnd);
  *minTrack = info.ptMinTrackSize;
  *maxTrack = info.ptMaxTrackSize;
  return true;
}

void WindowSystem::SetOuterRect(HWND hwnd, const RECT& outer, UINT sizeType) {
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  const RECT before = ClientOnScreen(*w);
  w->outer = outer;
  const RECT after = ClientOnScreen(*w);
  const bool resized = Width(before) != Width(after) || Height(before) != Height(after);
  const bool moved = before.left != after.left || before.top != after.top;
  const bool typeChanged = sizeType != w->lastSizeType;
  w->lastSizeType = sizeType;
  if (resized) {
    ResizePixels(*w);
    InvalidateAll(*w, true);
  }
  ShowDisplayShape(*w);
  // Windows reports the move first, then the size.
  if (moved) {
    Call(hwnd, WM_MOVE, 0, MAKELPARAM(after.left, after.top));
    if (!Find(hwnd)) return;
  }
  if (resized || typeChanged) Call(hwnd, WM_SIZE, sizeType, MAKELPARAM(Width(after), Height(after)));
}

BOOL WindowSystem::MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  if (!FindOrFail(hwnd)) return FALSE;
  x = Clamp(x, kMinCoordinate, kMaxCoordinate);
  y = Clamp(y, kMinCoordinate, kMaxCoordinate);
  width = Clamp(width, 0, kMaxCoordinate);
  height = Clamp(height, 0, kMaxCoordinate);
  POINT minTrack{0, 0};
  POINT maxTrack{0, 0};
  if (TrackingLimits(hwnd, &minTrack, &maxTrack)) {
    width = std::max(std::min(width, static_cast<int>(maxTrack.x)), static_cast<int>(minTrack.x));
    height = std::max(std::min(height, static_cast<int>(maxTrack.y)), static_cast<int>(minTrack.y));
  }
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  SetOuterRect(hwnd, RECT{x, y, x + width, y + height}, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED);
  if (repaint && (w = Find(hwnd))) InvalidateAll(*w, true);
  return TRUE;
}

void WindowSystem::Maximize(HWND hwnd) {
  if (!Find(hwnd)) return;
  const MINMAXINFO info = AskMinMaxInfo(hwnd);
  WindowEntry* w = Find(hwnd);
  if (!w) return;
  if (!w->maximized) w->normal = w->outer;
  w->maximized = true;
  w->style |= WS_MAXIMIZE;
  const RECT outer{info.ptMaxPosition.x, info.ptMaxPosition.y, info.ptMaxPosition.x + info.ptMaxSize.x,
                   info.ptMaxPosition.y + info.ptMaxSize.y};
  SetOuterRect(hwnd, outer, SIZE_MAXIMIZED);
}

void WindowSystem::Restore(HWND hwnd) {
  WindowEntry* w = Find(hwnd);
  if (!w || !w->maximized) return;
  w->maximized = false;
  w->style &= ~WS_MAXIMIZE;
  SetOuterRect(hwnd, w->normal, SIZE_RESTORED);
}

BOOL WindowSystem::ShowWindow(HWND hwnd, int command) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  if (command < SW_HIDE || command > 11) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BOOL wasVisible = w->visible ? TRUE : FALSE;
  if (command == SW_HIDE) {
    if (!wasVisible) return FALSE;
    Call(hwnd, WM_SHOWWINDOW, FALSE, 0);
    if ((w = Find(hwnd))) {
      w->visible = false;
      w->style &= ~WS_VISIBLE;
      ShowDisplayShape(*w);
    }
    return TRUE;
  }
  if (!wasVisible) {
    Call(hwnd, WM_SHOWWINDOW, TRUE, 0);
    if (!(w = Find(hwnd))) return wasVisible;
    w->visible = true;
    w->style |= WS_VISIBLE;
    w->presentWanted = true;
    InvalidateAll(*w, true);
    ShowDisplayShape(*w);
  }
  switch (command) {
    case SW_SHOWMAXIMIZED:
      Maximize(hwnd);
      break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      Restore(hwnd);
      break;
    default:
      // SW_SHOW and the no-activate forms; minimising is not modelled.
      break;
  }
  if ((w = Find(hwnd)) && w->sizePending) {
    w->sizePending = false;
    SendInitialSize(hwnd);
  }
  return wasVisible;
}

bool WindowSystem::SendInitialSize(HWND hwnd) {
  WindowEntry* w = Find(hwnd);
  if (!w) return false;
  const RECT client = ClientOnScreen(*w);
  Call(hwnd, WM_SIZE, w->maximized ? SIZE_MAXIMIZED : SIZE_RESTORED, MAKELPARAM(Width(client), Height(client)));
  if (!(w = Find(hwnd))) return false;
  const RECT moved = ClientOnScreen(*w);
  Call(hwnd, WM_MOVE, 0, MAKELPARAM(moved.left, moved.top));
  return Find(hwnd) != nullptr;
}
