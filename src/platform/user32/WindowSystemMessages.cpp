// Messages, the message loop, timers, painting, device contexts, capture and message boxes.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/kernel32/CodePage1251.h"
#include "platform/kernel32/PlatformClock.h"
#include "platform/user32/MessageSource.h"
#include "platform/user32/WindowFrame.h"
#include "platform/user32/WindowSystem.h"

namespace {

const HWND kThreadMessagesOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));

// The time stamp of a message: the clock timeGetTime reads, taken from the
// kernel's side so the window system does not need the multimedia library.
DWORD MessageTime() {
  return static_cast<DWORD>(PlatformClock::Now());
}

// Timers run no faster than this and no slower than the largest signed interval, as on Windows.
constexpr UINT kMinTimerInterval = 10;
constexpr UINT kMaxTimerInterval = 0x7FFFFFFF;

// With no timer and no display, an idle hook that has posted nothing this many
// times in a row is taken to post nothing ever.
constexpr int kIdleRoundLimit = 10000;

// A program that shows boxes in a loop keeps only the latest this many records.
constexpr size_t kMaxMessageBoxRecords = 10000;

// A message box breaks its text at CR LF, LF CR, a lone CR and a lone LF, each
// pair counting once; the host's boxes know only LF, so every break becomes one.
std::string UnixLineBreaks(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      out += c;
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
  }
  return out;
}

// Pixel buffers stop growing at this many pixels a side; a larger client area
// draws into its top-left part.
constexpr int kMaxPixelSide = 8192;

int Width(const RECT& r) {
  return r.right - r.left;
}

int Height(const RECT& r) {
  return r.bottom - r.top;
}

bool IsMousePositionMessage(UINT message) {
  return message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
         message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
}

// The message source, when it watches anything.
MessageSource* WatchingSource() {
  MessageSource* source = MessageSources::Get();
  return source && source->Watching() ? source : nullptr;
}

MessageSource*& CurrentSource() {
  static MessageSource* source = nullptr;
  return source;
}

}  // namespace

namespace MessageSources {

void Set(MessageSource* source) {
  CurrentSource() = source;
}

MessageSource* Get() {
  return CurrentSource();
}

}  // namespace MessageSources

// ---------------------------------------------------------------------------
// Sending, posting, dispatching

LRESULT WindowSystem::Call(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowEntry* w = Find(hwnd);
  if (!w) return 0;
  const WNDPROC proc = w->windowClass->proc;
  return proc(hwnd, msg, wParam, lParam);
}

LRESULT WindowSystem::SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!FindOrFail(hwnd)) return 0;
  return Call(hwnd, msg, wParam, lParam);
}

BOOL WindowSystem::PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd && !FindOrFail(hwnd)) return FALSE;
  if (!queue_.Post(MSG{hwnd, msg, wParam, lParam, MessageTime(), cursor_})) {
    SetLastError(ERROR_NOT_ENOUGH_QUOTA);
    return FALSE;
  }
  return TRUE;
}

void WindowSystem::PostQuitMessage(int exitCode) {
  queue_.PostQuit(exitCode);
}

void WindowSystem::QueueInput(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  queue_.PostInput(MSG{hwnd, msg, wParam, lParam, MessageTime(), cursor_});
}

LRESULT WindowSystem::DispatchMessage(const MSG* msg) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (msg->message == WM_TIMER && msg->lParam) {
    // Only a procedure given to SetTimer for this timer is called.
    const TimerEntry* timer = timers_.Find(msg->hwnd, msg->wParam);
    if (timer && timer->proc && reinterpret_cast<LPARAM>(timer->proc) == msg->lParam) {
      timer->proc(msg->hwnd, WM_TIMER, msg->wParam, MessageTime());
      return 0;
    }
  }
  if (!msg->hwnd) return 0;
  if (!FindOrFail(msg->hwnd)) return 0;
  return Call(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT WindowSystem::DefWindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (!FindOrFail(hwnd)) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      return 0;
  }
}

// ---------------------------------------------------------------------------
// The message loop

bool WindowSystem::ResolveMouse(MSG& msg) {
  if (!IsMousePositionMessage(msg.message)) return true;
  const HWND target = capture_ ? capture_ : msg.hwnd;
  WindowEntry* w = Find(target);
  if (!w) return false;
  const RECT client = ClientOnScreen(*w);
  const int x = msg.pt.x - client.left;
  const int y = msg.pt.y - client.top;
  if (!capture_ && (x < 0 || y < 0 || x >= Width(client) || y >= Height(client))) return false;
  msg.hwnd = target;
  msg.lParam = MAKELPARAM(x, y);
  return true;
}

bool WindowSystem::TakeMessage(MSG* msg, const MessageFilter& filter, bool remove) {
  if (queue_.Take(msg, filter, remove, [this](MSG& m) { return ResolveMouse(m); })) {
    if (msg->message == WM_QUIT) {
      msg->time = MessageTime();
      msg->pt = cursor_;
    }
    return true;
  }
  // No posted message or input waits: what was drawn is shown now, before the
  // next paint or timer message, so a program whose timer is always due still
  // gets its frames on the screen.
  PresentChanged();
  if (filter.AcceptsMessage(WM_PAINT)) {
    for (const auto& [hwnd, w] : windows_) {
      if (w->visible && w->invalid && !w->destroying && filter.AcceptsWindow(hwnd)) {
        *msg = MSG{hwnd, WM_PAINT, 0, 0, MessageTime(), cursor_};
        return true;
      }
    }
  }
  const uint64_t now = PlatformClock::Now();
  if (TimerEntry* timer = timers_.FirstDue(now, filter)) {
    *msg = MSG{timer->hwnd, WM_TIMER, timer->id, reinterpret_cast<LPARAM>(timer->proc), static_cast<DWORD>(now),
               cursor_};
    if (remove) timer->due = now + timer->interval;
    return true;
  }
  return false;
}

void WindowSystem::PumpDisplay(int timeoutMs) {
  if (display_ && HasDisplayWindows()) display_->Pump(timeoutMs);
}

void WindowSystem::PresentChanged() {
  if (!display_) return;
  for (const auto& [hwnd, w] : windows_) {
    if (!w->onDisplay || !w->visible || !(w->pixelsChanged || w->presentWanted)) continue;
    const bool ready = EnsurePixels(*w);
    // Only the rows drawn since are shown again, unless the display asked for all.
    const bool whole = w->presentWanted || !w->pixelsChanged;
    const int top = whole ? 0 : w->changedTop;
    const int bottom = whole ? w->pixelHeight : w->changedBottom;
    w->pixelsChanged = false;
    w->presentWanted = false;
    if (!ready) continue;
    if (w->framebuffer) {
      display_->PresentFramebuffer(hwnd, top, bottom);
    } else {
      display_->Present(hwnd, w->pixels.data(), w->pixelWidth, w->pixelHeight, w->pixelWidth, top, bottom);
    }
  }
}

BOOL WindowSystem::GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  const bool oneWindow = hwnd && hwnd != kThreadMessagesOnly;
  if (oneWindow && !FindOrFail(hwnd)) return -1;
  const MessageFilter filter{hwnd, first, last};
  for (int idleRounds = 0;;) {
    PumpDisplay(0);
    if (MessageSource* source = WatchingSource()) source->Deliver(0);
    if (TakeMessage(msg, filter, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    if (idleHook_) {
      idleHook_(idleContext_);
      if (TakeMessage(msg, filter, true)) return msg->message == WM_QUIT ? FALSE : TRUE;
    }
    if (oneWindow && !FindOrFail(hwnd)) return -1;

    uint64_t due = 0;
    const bool timer = timers_.NextDue(filter, &due);
    MessageSource* source = WatchingSource();
    if (HasDisplayWindows() && !(timer && PlatformClock::IsTest())) {
      int timeout = -1;
      if (timer) {
        const uint64_t now = PlatformClock::Now();
        timeout = due > now ? static_cast<int>(std::min<uint64_t>(due - now, 1u << 30)) : 0;
      }
      if (source) {
        // Neither the display nor the source can wait on the other: take turns.
        const int slice = timeout < 0 ? MessageSource::kSourceSlice : std::min(timeout, MessageSource::kSourceSlice);
        if (!source->Deliver(slice)) PumpDisplay(0);
        continue;
      }
      PumpDisplay(timeout);
      continue;
    }
    if (timer) {
      if (source) {
        if (PlatformClock::IsTest()) {
          if (source->Deliver(MessageSource::kTestClockWait)) continue;
        } else {
          const uint64_t now = PlatformClock::Now();
          if (due > now) source->Deliver(static_cast<int>(std::min<uint64_t>(due - now, 1u << 30)));
          continue;
        }
      }
      PlatformClock::WaitUntil(due);
      continue;
    }
    if (source) {
      if (!PlatformClock::IsTest()) {
        source->Deliver(-1);
        continue;
      }
      // An idle hook gets its turn soon again; without one this is the last look.
      if (source->Deliver(idleHook_ ? MessageSource::kTestClockWait : MessageSource::kTestClockIdleWait)) continue;
    }
    if (!idleHook_ || ++idleRounds > kIdleRoundLimit) {
      std::fprintf(stderr, "GetMessageA: nothing can ever arrive (no display, no timer, %s); returning -1\n",
                   idleHook_ ? "the idle hook posts nothing" : "no idle hook");
      std::fflush(stderr);
      return -1;
    }
  }
}

BOOL WindowSystem::PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hwnd && hwnd != kThreadMessagesOnly && !FindOrFail(hwnd)) return FALSE;
  PumpDisplay(0);
  if (MessageSource* source = WatchingSource()) source->Deliver(0);
  return TakeMessage(msg, MessageFilter{hwnd, first, last}, (remove & PM_REMOVE) != 0);
}

// ---------------------------------------------------------------------------
// Timers

UINT_PTR WindowSystem::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (failingTimers_ > 0) {
    --failingTimers_;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  if (hwnd && !FindOrFail(hwnd)) return 0;
  elapse = std::clamp(elapse, kMinTimerInterval, kMaxTimerInterval);
  // A timer without a window gets an id of its own unless it restarts one.
  if (!hwnd && (!id || !timers_.Find(nullptr, id))) id = timers_.FreeThreadTimerId();
  if (!timers_.Set(hwnd, id, elapse, proc, PlatformClock::Now())) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return 0;
  }
  return id ? id : 1;
}

BOOL WindowSystem::KillTimer(HWND hwnd, UINT_PTR id) {
  if (hwnd && !FindOrFail(hwnd)) return FALSE;
  if (!timers_.Kill(hwnd, id)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void WindowSystem::FailNextSetTimer(int count) {
  failingTimers_ = std::max(0, count);
}

// ---------------------------------------------------------------------------
// Painting

void WindowSystem::InvalidateAll(WindowEntry& w, bool erase) {
  const RECT client = ClientOnScreen(w);
  if (Width(client) <= 0 || Height(client) <= 0) return;
  w.invalid = true;
  w.update = RECT{0, 0, Width(client), Height(client)};
  w.erase = w.erase || erase;
}

BOOL WindowSystem::InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    for (auto& [handle, w] : windows_) InvalidateAll(*w, erase != FALSE);
    return TRUE;
  }
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return FALSE;
  const RECT client = ClientOnScreen(*w);
  RECT area{0, 0, Width(client), Height(client)};
  if (rect) {
    area.left = std::max(area.left, rect->left);
    area.top = std::max(area.top, rect->top);
    area.right = std::min(area.right, rect->right);
    area.bottom = std::min(area.bottom, rect->bottom);
  }
  if (area.right <= area.left || area.bottom <= area.top) return TRUE;
  if (w->invalid) {
    w->update.left = std::min(w->update.left, area.left);
    w->update.top = std::min(w->update.top, area.top);
    w->update.right = std::max(w->update.right, area.right);
    w->update.bottom = std::max(w->update.bottom, area.bottom);
  } else {
    w->update = area;
  }
  w->invalid = true;
  w->erase = w->erase || erase != FALSE;
  return TRUE;
}

HDC WindowSystem::BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return nullptr;
  if (!paint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool erase = w->erase;
  const RECT update = w->invalid ? w->update : RECT{0, 0, 0, 0};
  const HDC dc = w->dc;
  w->invalid = false;
  w->erase = false;
  w->update = RECT{0, 0, 0, 0};
  w->presentWanted = true;
  BOOL mustErase = FALSE;
  if (erase) mustErase = Call(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
  std::memset(paint, 0, sizeof(*paint));
  paint->hdc = dc;
  paint->fErase = mustErase;
  paint->rcPaint = update;
  return dc;
}

BOOL WindowSystem::EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (!FindOrFail(hwnd)) return FALSE;
  if (!paint) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

// ---------------------------------------------------------------------------
// Device contexts and pixels

HDC WindowSystem::GetDC(HWND hwnd) {
  // There is no screen device context: a window is required.
  WindowEntry* w = FindOrFail(hwnd);
  return w ? w->dc : nullptr;
}

int WindowSystem::ReleaseDC(HWND hwnd, HDC hdc) {
  auto it = dcs_.find(hdc);
  return it != dcs_.end() && it->second == hwnd ? 1 : 0;
}

bool WindowSystem::EnsurePixels(WindowEntry& w) {
  const RECT client = ClientOnScreen(w);
  const int width = std::min(Width(client), kMaxPixelSide);
  const int height = std::min(Height(client), kMaxPixelSide);
  if (width <= 0 || height <= 0) {
    w.pixels.clear();
    w.framebuffer = nullptr;
    w.pixelWidth = w.pixelHeight = 0;
    return false;
  }
  // What was drawn in own pixels stays where the old and new areas overlap.
  // The display keeps that itself when its buffer moves; when the window goes
  // back to own pixels (the display window has another size than the client
  // area, for a moment), the display may have let its buffer go, and the
  // pixels start opaque black: the next frame draws them anyway.
  const uint32_t* old = w.pixels.data();
  const int keepWidth = std::min(width, w.pixelWidth);
  const int keepHeight = w.pixels.empty() ? 0 : std::min(height, w.pixelHeight);

  // Drawing straight into what the display shows spares a copy per frame.
  int stride = 0;
  uint32_t* framebuffer = display_ && w.onDisplay ? display_->Framebuffer(w.handle, width, height, &stride) : nullptr;
  if (framebuffer) {
    if (framebuffer != w.framebuffer || width != w.pixelWidth || height != w.pixelHeight) {
      // From own pixels to the display's; the display itself keeps what
      // overlaps when its buffer moves.
      if (!w.framebuffer) {
        for (int y = 0; y < height; ++y) {
          uint32_t* row = framebuffer + size_t(y) * size_t(stride);
          const int keep = y < keepHeight ? keepWidth : 0;
          std::copy_n(old + size_t(y) * size_t(w.pixelWidth), keep, row);
          std::fill(row + keep, row + width, 0xFF000000u);
        }
      }
      w.pixels = std::vector<uint32_t>();
      w.framebuffer = framebuffer;
      w.framebufferStride = stride;
      w.pixelWidth = width;
      w.pixelHeight = height;
      MadeAnew(w);
    }
    return true;
  }
  if (!w.framebuffer && !w.pixels.empty() && w.pixelWidth == width && w.pixelHeight == height) return true;
  std::vector<uint32_t> pixels;
  try {
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0xFF000000u);
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (int y = 0; y < keepHeight; ++y)
    std::copy_n(old + size_t(y) * size_t(w.pixelWidth), keepWidth, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
  w.pixels.swap(pixels);
  w.framebuffer = nullptr;
  w.pixelWidth = width;
  w.pixelHeight = height;
  MadeAnew(w);
  return true;
}

void WindowSystem::ResizePixels(WindowEntry& w) {
  if (!w.pixels.empty() || w.framebuffer) EnsurePixels(w);
}

bool WindowSystem::DcPixels(HDC hdc, PlatformPixelBuffer* out) {
  WindowEntry* w = FindByDc(hdc);
  if (!w || !out || !EnsurePixels(*w)) return false;
  *out = w->framebuffer
             ? PlatformPixelBuffer{w->framebuffer, w->pixelWidth, w->pixelHeight, w->framebufferStride, w->pixelEpoch}
             : PlatformPixelBuffer{w->pixels.data(), w->pixelWidth, w->pixelHeight, w->pixelWidth, w->pixelEpoch};
  return true;
}

void WindowSystem::DcChanged(HDC hdc, int top, int bottom) {
  WindowEntry* w = FindByDc(hdc);
  if (!w) return;
  top = std::max(top, 0);
  bottom = std::min(bottom, w->pixelHeight);
  if (top >= bottom) return;
  if (!w->pixelsChanged) {
    w->changedTop = top;
    w->changedBottom = bottom;
  } else {
    w->changedTop = std::min(w->changedTop, top);
    w->changedBottom = std::max(w->changedBottom, bottom);
  }
  w->pixelsChanged = true;
}

void WindowSystem::MadeAnew(WindowEntry& w) {
  // Every other number, across all windows, so a new window's pixels never
  // pass for another's.
  static uint64_t epochs = 0;
  w.pixelEpoch = ++epochs;
  w.pixelsChanged = true;
  w.changedTop = 0;
  w.changedBottom = w.pixelHeight;
}

bool WindowSystem::ReadPixels(HWND hwnd, std::vector<uint32_t>& argb, int& width, int& height) {
  WindowEntry* w = Find(hwnd);
  if (!w) return false;
  argb.clear();
  width = height = 0;
  if (!EnsurePixels(*w)) return true;
  width = w->pixelWidth;
  height = w->pixelHeight;
  argb.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
  const uint32_t* rows = w->framebuffer ? w->framebuffer : w->pixels.data();
  const int stride = w->framebuffer ? w->framebufferStride : width;
  for (int i = 0; i < width * height; ++i) {
    const uint32_t p = rows[static_cast<size_t>(i / width) * stride + static_cast<size_t>(i % width)];
    const uint32_t a = p >> 24;
    if (a == 0 || a == 255) {
      argb.push_back(a == 0 ? 0 : p);
      continue;
    }
    auto channel = [a](uint32_t c) { return std::min<uint32_t>(255, (c * 255 + a / 2) / a); };
    argb.push_back((a << 24) | (channel((p >> 16) & 0xFF) << 16) | (channel((p >> 8) & 0xFF) << 8) |
                   channel(p & 0xFF));
  }
  return true;
}

// ---------------------------------------------------------------------------
// Capture

HWND WindowSystem::SetCapture(HWND hwnd) {
  if (!hwnd) {
    const HWND previous = capture_;
    ReleaseCapture();
    return previous;
  }
  WindowEntry* w = FindOrFail(hwnd);
  if (!w) return nullptr;
  const HWND previous = capture_;
  capture_ = hwnd;
  if (display_ && w->onDisplay) display_->SetMouseCapture(true);
  // Windows tells the previous holder even when it takes the capture again.
  if (previous && Find(previous)) Call(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return previous;
}

BOOL WindowSystem::ReleaseCapture() {
  const HWND previous = capture_;
  if (!previous) return TRUE;
  capture_ = nullptr;
  if (display_) display_->SetMouseCapture(false);
  if (Find(previous)) Call(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

// ---------------------------------------------------------------------------
// Message boxes

int WindowSystem::MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const std::string narrowText = text ? text : "";
  const std::string narrowCaption = caption ? caption : "Error";
  if (messageBoxes_.size() >= kMaxMessageBoxRecords) messageBoxes_.erase(messageBoxes_.begin());
  messageBoxes_.push_back(PlatformTest::MessageBoxRecord{owner, narrowText, narrowCaption, type});

  const std::string utf8Text = UnixLineBreaks(Utf8FromCp1251(narrowText));
  const std::string utf8Caption = Utf8FromCp1251(narrowCaption);
  bool shown = false;
  if (DisplayBackend* display = Display()) {
    WindowEntry* w = owner ? Find(owner) : nullptr;
    shown = display->ShowMessageBox(w && w->onDisplay ? owner : nullptr, utf8Caption, utf8Text,
                                    (type & MB_ICONERROR) != 0);
  }
  if (!shown) {
    std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
    std::fflush(stderr);
  }
  return IDOK;
}
