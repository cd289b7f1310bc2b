// The SDL2 display: one SDL window per top-level window, showing the window's
// pixels and reporting input in Windows terms. Pixels reach the screen through
// a streaming texture of SDL's renderer when that renderer is hardware
// accelerated; otherwise (a software rasteriser behind OpenGL, as under Xvfb,
// in virtual machines and remote desktops, or SDL's software renderer) the
// window system draws straight into the window's surface (Framebuffer), which
// costs less than half as much. Naming a renderer in SDL_RENDER_DRIVER keeps
// that renderer whatever it is.
#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/display/DisplayBackend.h"
#include "platform/display/IconImage.h"

namespace {

// Windows virtual-key codes that WinApi.h does not name.
constexpr int kVkPause = 0x13;
constexpr int kVkCapital = 0x14;
constexpr int kVkSnapshot = 0x2C;
constexpr int kVkLeftWindows = 0x5B;
constexpr int kVkRightWindows = 0x5C;
constexpr int kVkApps = 0x5D;
constexpr int kVkNumpad0 = 0x60;
constexpr int kVkMultiply = 0x6A;
constexpr int kVkAdd = 0x6B;
constexpr int kVkSubtract = 0x6D;
constexpr int kVkDecimal = 0x6E;
constexpr int kVkDivide = 0x6F;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;
constexpr int kVkOemSemicolon = 0xBA;
constexpr int kVkOemPlus = 0xBB;
constexpr int kVkOemComma = 0xBC;
constexpr int kVkOemMinus = 0xBD;
constexpr int kVkOemPeriod = 0xBE;
constexpr int kVkOemSlash = 0xBF;
constexpr int kVkOemBackquote = 0xC0;
constexpr int kVkOemOpenBracket = 0xDB;
constexpr int kVkOemBackslash = 0xDC;
constexpr int kVkOemCloseBracket = 0xDD;
constexpr int kVkOemQuote = 0xDE;

// The key's Windows code. Letters and digits fall back to their position on
// the keyboard, so a Cyrillic layout still gives 'A'..'Z' as Windows does.
int VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<int>(key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<int>(key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<int>(key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kVkNumpad0 + 1 + static_cast<int>(key - SDLK_KP_1);
  switch (key) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return VK_MENU;
    case SDLK_PAUSE: return kVkPause;
    case SDLK_CAPSLOCK: return kVkCapital;
    case SDLK_PRINTSCREEN: return kVkSnapshot;
    case SDLK_LGUI: return kVkLeftWindows;
    case SDLK_RGUI: return kVkRightWindows;
    case SDLK_APPLICATION: return kVkApps;
    case SDLK_KP_0: return kVkNumpad0;
    case SDLK_KP_MULTIPLY: return kVkMultiply;
    case SDLK_KP_PLUS: return kVkAdd;
    case SDLK_KP_MINUS: return kVkSubtract;
    case SDLK_KP_PERIOD: return kVkDecimal;
    case SDLK_KP_DIVIDE: return kVkDivide;
    case SDLK_NUMLOCKCLEAR: return kVkNumLock;
    case SDLK_SCROLLLOCK: return kVkScroll;
    case SDLK_SEMICOLON: return kVkOemSemicolon;
    case SDLK_EQUALS: return kVkOemPlus;
    case SDLK_COMMA: return kVkOemComma;
    case SDLK_MINUS: return kVkOemMinus;
    case SDLK_PERIOD: return kVkOemPeriod;
    case SDLK_SLASH: return kVkOemSlash;
    case SDLK_BACKQUOTE: return kVkOemBackquote;
    case SDLK_LEFTBRACKET: return kVkOemOpenBracket;
    case SDLK_BACKSLASH: return kVkOemBackslash;
    case SDLK_RIGHTBRACKET: return kVkOemCloseBracket;
    case SDLK_QUOTE: return kVkOemQuote;
    default: break;
  }
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) return 'A' + (scancode - SDL_SCANCODE_A);
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) return '1' + (scancode - SDL_SCANCODE_1);
  if (scancode == SDL_SCANCODE_0) return '0';
  return 0;
}

// Whether the renderer draws with graphics hardware: not SDL's software
// renderer, and not OpenGL over a software rasteriser (asked while the
// renderer's context is current, as it is right after creation).
bool IsHardwareAccelerated(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || !(info.flags & SDL_RENDERER_ACCELERATED)) return false;
  if (!info.name || std::strncmp(info.name, "opengl", 6) != 0) return true;
  constexpr unsigned kGlRenderer = 0x1F01;
  using GetString = const unsigned char*(SDLCALL*)(unsigned);
  auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  if (!name) return true;
  std::string lower(reinterpret_cast<const char*>(name));
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* software : {"llvmpipe", "softpipe", "swrast", "software"}) {
    if (lower.find(software) != std::string::npos) return false;
  }
  return true;
}

RECT RectOf(const SDL_Rect& r) {
  return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

// A surface over an image's pixels; the image must outlive it.
SDL_Surface* SurfaceOf(const IconImage& image) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image.argb.data()), image.width, image.height, 32,
                                            image.width * 4, SDL_PIXELFORMAT_ARGB8888);
}

class DisplaySdl final : public DisplayBackend {
 public:
  explicit DisplaySdl(DisplayEvents& events) : events_(events) {}
  ~DisplaySdl() override;
  DisplaySdl(const DisplaySdl&) = delete;
  DisplaySdl& operator=(const DisplaySdl&) = delete;

  RECT ScreenRect() override;
  RECT WorkArea() override;
  bool OpenWindow(HWND hwnd, const DisplayWindowShape& shape, const std::string& utf8Title) override;
  void CloseWindow(HWND hwnd) override;
  void ShapeWindow(HWND hwnd, const DisplayWindowShape& shape) override;
  void SetIcon(HWND hwnd, const IconImage* icon) override;
  void SetCursor(const IconImage* cursor) override;
  void SetMouseCapture(bool captured) override;
  void Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stridePixels, int top,
               int bottom) override;
  uint32_t* Framebuffer(HWND hwnd, int width, int height, int* stridePixels) override;
  void PresentFramebuffer(HWND hwnd, int top, int bottom) override;
  void Pump(int timeoutMs) override;
  bool ShowMessageBox(HWND owner, const std::string& utf8Caption, const std::string& utf8Text, bool error) override;

 private:
  struct Slot {
    SDL_Window* window = nullptr;
    // Null when the pixels go straight into the window's surface.
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int textureWidth = 0;
    int textureHeight = 0;
    // Without a renderer: the window's surface as last fetched, and whether
    // SDL has since made it stale (a resize).
    SDL_Surface* surface = nullptr;
    bool surfaceStale = true;
    DisplayWindowShape applied;  // what the SDL window is known to look like
    bool fullscreen = false;
  };

  Slot* SlotOf(HWND hwnd);
  // Whether windows show their pixels through SDL's renderer: when it is
  // hardware accelerated, or named in SDL_RENDER_DRIVER. Tried once, on a
  // window of its own, so that a software rasteriser is unloaded again.
  bool RendererIsWorthIt();
  void PresentThroughRenderer(Slot& slot, const uint32_t* pixels, int width, int height, int stridePixels, int top,
                              int bottom);
  static void PresentThroughSurface(Slot& slot, const uint32_t* pixels, int width, int height, int stridePixels,
                                    int top, int bottom);
  // Keeps slot.surface as SDL's current surface of the window.
  HWND WindowOf(Uint32 windowId);
  void Translate(const SDL_Event& event);
  void TranslateWindowEvent(HWND hwnd, const SDL_WindowEvent& event);

  DisplayEvents& events_;
  std::map<HWND, Slot> slots_;
  std::map<const IconImage*, SDL_Cursor*> cursors_;
  SDL_Cursor* arrow_ = nullptr;
  int rendererWorthIt_ = -1;  // not tried yet
};

DisplaySdl::~DisplaySdl() {
  while (!slots_.empty()) CloseWindow(slots_.begin()->first);
  for (auto& [image, cursor] : cursors_) SDL_FreeCursor(cursor);
  if (arrow_) SDL_FreeCursor(arrow_);
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

DisplaySdl::Slot* DisplaySdl::SlotOf(HWND hwnd) {
  auto it = slots_.find(hwnd);
  return it == slots_.end() ? nullptr : &it->second;
}

HWND DisplaySdl::WindowOf(Uint32 windowId) {
  SDL_Window* window = SDL_GetWindowFromID(windowId);
  if (!window) window = SDL_GetMouseFocus();
  for (auto& [hwnd, slot] : slots_) {
    if (slot.window == window) return hwnd;
  }
  return nullptr;
}

bool DisplaySdl::RendererIsWorthIt() {
  if (rendererWorthIt_ < 0) {
    const char* chosen = std::getenv("SDL_RENDER_DRIVER");
    bool worthIt = chosen && *chosen;
    if (!worthIt) {
      SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
      SDL_Renderer* renderer = probe ? SDL_CreateRenderer(probe, -1, 0) : nullptr;
      worthIt = renderer && IsHardwareAccelerated(renderer);
      if (renderer) SDL_DestroyRenderer(renderer);
      if (probe) SDL_DestroyWindow(probe);
    }
    rendererWorthIt_ = worthIt ? 1 : 0;
  }
  return rendererWorthIt_ == 1;
}

RECT DisplaySdl::ScreenRect() {
  SDL_Rect bounds{0, 0, 1920, 1080};
  SDL_GetDisplayBounds(0, &bounds);
  return RectOf(bounds);
}

RECT DisplaySdl::WorkArea() {
  SDL_Rect bounds{0, 0, 1920, 1080};
  if (SDL_GetDisplayUsableBounds(0, &bounds) != 0) SDL_GetDisplayBounds(0, &bounds);
  return RectOf(bounds);
}

bool DisplaySdl::OpenWindow(HWND hwnd, const DisplayWindowShape& shape, const std::string& utf8Title) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (shape.resizable) flags |= SDL_WINDOW_RESIZABLE;
  if (!shape.decorated) flags |= SDL_WINDOW_BORDERLESS;
  SDL_Window* window = SDL_CreateWindow(utf8Title.c_str(), shape.clientX, shape.clientY,
                                        std::max(1, shape.clientWidth), std::max(1, shape.clientHeight), flags);
  if (!window) {
    std::fprintf(stderr, "SDL_CreateWindow failed: %s\n", SDL_GetError());
    return false;
  }
  SDL_Renderer* renderer = nullptr;
  if (RendererIsWorthIt()) {
    renderer = SDL_CreateRenderer(window, -1, 0);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
      std::fprintf(stderr, "SDL_CreateRenderer failed: %s\n", SDL_GetError());
      SDL_DestroyWindow(window);
      return false;
    }
  } else {
    // The surface is then the system's own framebuffer, not another texture
    // of the same software rasteriser (an explicit setting still wins).
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (!SDL_GetWindowSurface(window)) {
      std::fprintf(stderr, "SDL_GetWindowSurface failed: %s\n", SDL_GetError());
      SDL_DestroyWindow(window);
      return false;
    }
  }
  Slot slot;
  slot.window = window;
  slot.renderer = renderer;
  slot.applied = shape;
  slot.applied.visible = false;
  slot.applied.maximized = false;
  slot.applied.minClientWidth = 0;
  slot.applied.minClientHeight = 0;
  slots_[hwnd] = slot;
  ShapeWindow(hwnd, shape);
  return true;
}

void DisplaySdl::CloseWindow(HWND hwnd) {
  Slot* slot = SlotOf(hwnd);
  if (!slot) return;
  if (slot->texture) SDL_DestroyTexture(slot->texture);
  if (slot->renderer) SDL_DestroyRenderer(slot->renderer);
  SDL_DestroyWindow(slot->window);
  slots_.erase(hwnd);
}

void DisplaySdl::ShapeWindow(HWND hwnd, const DisplayWindowShape& shape) {
  Slot* slot = SlotOf(hwnd);
  if (!slot || slot->applied == shape) return;
  DisplayWindowShape& applied = slot->applied;
  SDL_Window* window = slot->window;
  // A maximised window without a frame is the game's full screen. SDL leaves
  // the frame and sizing of a full-screen window alone, so it leaves full
  // screen before they change and enters it after.
  const bool fullscreen = shape.visible && shape.maximized && !shape.decorated;
  if (!fullscreen && slot->fullscreen) {
    SDL_SetWindowFullscreen(window, 0);
    slot->fullscreen = false;
  }
  if (shape.decorated != applied.decorated) SDL_SetWindowBordered(window, shape.decorated ? SDL_TRUE : SDL_FALSE);
  if (shape.resizable != applied.resizable) SDL_SetWindowResizable(window, shape.resizable ? SDL_TRUE : SDL_FALSE);
  if (shape.minClientWidth != applied.minClientWidth || shape.minClientHeight != applied.minClientHeight) {
    SDL_SetWindowMinimumSize(window, std::max(1, shape.minClientWidth), std::max(1, shape.minClientHeight));
  }
  if (shape.visible && !applied.visible) SDL_ShowWindow(window);
  if (fullscreen && !slot->fullscreen) {
    SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    slot->fullscreen = true;
  }
  if (!fullscreen) {
    if (shape.maximized && !applied.maximized) {
      SDL_MaximizeWindow(window);
    } else if (!shape.maximized && applied.maximized) {
      SDL_RestoreWindow(window);
    }
    if (!shape.maximized) {
      if (shape.clientWidth != applied.clientWidth || shape.clientHeight != applied.clientHeight) {
        SDL_SetWindowSize(window, std::max(1, shape.clientWidth), std::max(1, shape.clientHeight));
      }
      if (shape.clientX != applied.clientX || shape.clientY != applied.clientY) {
        SDL_SetWindowPosition(window, shape.clientX, shape.clientY);
      }
    }
  }
  if (!shape.visible && applied.visible) SDL_HideWindow(window);
  // A maximised or full-screen window's geometry is the display's to choose:
  // the last one set or reported stays, so that restoring sets the size again.
  const DisplayWindowShape before = applied;
  applied = shape;
  if (shape.maximized) {
    applied.clientX = before.clientX;
    applied.clientY = before.clientY;
    applied.clientWidth = before.clientWidth;
    applied.clientHeight = before.clientHeight;
  }
}

void DisplaySdl::SetIcon(HWND hwnd, const IconImage* icon) {
  Slot* slot = SlotOf(hwnd);
  if (!slot || !icon || icon->argb.empty()) return;
  if (SDL_Surface* surface = SurfaceOf(*icon)) {
    SDL_SetWindowIcon(slot->window, surface);
    SDL_FreeSurface(surface);
  }
}

void DisplaySdl::SetCursor(const IconImage* cursor) {
  SDL_Cursor* shape = nullptr;
  if (cursor && !cursor->argb.empty()) {
    auto it = cursors_.find(cursor);
    if (it != cursors_.end()) {
      shape = it->second;
    } else if (SDL_Surface* surface = SurfaceOf(*cursor)) {
      shape = SDL_CreateColorCursor(surface, cursor->hotX, cursor->hotY);
      SDL_FreeSurface(surface);
      if (shape) cursors_[cursor] = shape;
    }
  }
  if (!shape) {
    if (!arrow_) arrow_ = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    shape = arrow_;
  }
  if (shape) SDL_SetCursor(shape);
}

void DisplaySdl::SetMouseCapture(bool captured) {
  SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

void DisplaySdl::Present(HWND hwnd, const uint32_t* pixels, int width, int height, int stridePixels, int top,
                         int bottom) {
  Slot* slot = SlotOf(hwnd);
  if (!slot || !pixels || width <= 0 || height <= 0) return;
  top = std::clamp(top, 0, height);
  bottom = std::clamp(bottom, top, height);
  if (slot->renderer) {
    PresentThroughRenderer(*slot, pixels, width, height, stridePixels, top, bottom);
  } else {
    PresentThroughSurface(*slot, pixels, width, height, stridePixels, top, bottom);
  }
}

void DisplaySdl::PresentThroughRenderer(Slot& slot, const uint32_t* pixels, int width, int height,
                                        int stridePixels, int top, int bottom) {
  if (!slot.texture || slot.textureWidth != width || slot.textureHeight != height) {
    // A new texture holds nothing yet: all of it is filled.
    top = 0;
    bottom = height;
    if (slot.texture) SDL_DestroyTexture(slot.texture);
    slot.texture = SDL_CreateTexture(slot.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width,
                                     height);
    slot.textureWidth = slot.texture ? width : 0;
    slot.textureHeight = slot.texture ? height : 0;
    if (!slot.texture) return;
    // The pixels are premultiplied: shown without blending they are the
    // picture composed over black, as an opaque window shows it.
    SDL_SetTextureBlendMode(slot.texture, SDL_BLENDMODE_NONE);
  }
  // The texture keeps the other rows from before.
  const SDL_Rect rows{0, top, width, bottom - top};
  if (bottom > top) SDL_UpdateTexture(slot.texture, &rows, pixels + size_t(top) * size_t(stridePixels), stridePixels * 4);
  SDL_SetRenderDrawColor(slot.renderer, 0, 0, 0, 255);
  SDL_RenderClear(slot.renderer);
  const SDL_Rect target{0, 0, width, height};
  SDL_RenderCopy(slot.renderer, slot.texture, nullptr, &target);
  SDL_RenderPresent(slot.renderer);
}

uint32_t* DisplaySdl::Framebuffer(HWND hwnd, int width, int height, int* stridePixels) {
  Slot* slot = SlotOf(hwnd);
  if (!slot || slot->renderer || width <= 0 || height <= 0) return nullptr;
  int shownWidth = 0, shownHeight = 0;
  SDL_GetWindowSize(slot->window, &shownWidth, &shownHeight);
  if (shownWidth != width || shownHeight != height) return nullptr;
  SDL_Surface* surface = slot->surface;
  if (!surface || slot->surfaceStale || surface->w != width || surface->h != height) {
    // SDL frees the old surface when it makes the new one: what overlaps is
    // kept, the rest starts opaque black as a window's pixels do.
    std::vector<uint32_t> kept;
    int keptWidth = 0, keptHeight = 0;
    if (surface) {
      keptWidth = surface->w;
      keptHeight = surface->h;
      kept.resize(size_t(keptWidth) * size_t(keptHeight));
      for (int y = 0; y < keptHeight; ++y) {
        std::memcpy(kept.data() + size_t(y) * keptWidth,
                    static_cast<const unsigned char*>(surface->pixels) + size_t(y) * surface->pitch,
                    size_t(keptWidth) * 4);
      }
    }
    slot->surface = nullptr;
    surface = SDL_GetWindowSurface(slot->window);
    const Uint32 format = surface ? surface->format->format : 0;
    if (!surface || SDL_MUSTLOCK(surface) || surface->w != width || surface->h != height ||
        (format != SDL_PIXELFORMAT_ARGB8888 && format != SDL_PIXELFORMAT_RGB888) || surface->pitch % 4 != 0) {
      return nullptr;
    }
    for (int y = 0; y < height; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(surface->pixels) + size_t(y) * surface->pitch);
      const int keep = y < keptHeight ? std::min(width, keptWidth) : 0;
      if (keep > 0) std::memcpy(row, kept.data() + size_t(y) * keptWidth, size_t(keep) * 4);
      std::fill(row + keep, row + width, 0xFF000000u);
    }
    slot->surface = surface;
    slot->surfaceStale = false;
  }
  *stridePixels = surface->pitch / 4;
  return static_cast<uint32_t*>(surface->pixels);
}

void DisplaySdl::PresentFramebuffer(HWND hwnd, int top, int bottom) {
  Slot* slot = SlotOf(hwnd);
  if (!slot || !slot->surface || slot->surfaceStale) return;
  top = std::clamp(top, 0, slot->surface->h);
  bottom = std::clamp(bottom, top, slot->surface->h);
  if (bottom <= top) return;
  // Only the rows drawn are sent to the screen. A surface SDL no longer takes
  // is fetched anew at the next Framebuffer.
  const SDL_Rect rows{0, top, slot->surface->w, bottom - top};
  if (SDL_UpdateWindowSurfaceRects(slot->window, &rows, 1) != 0) slot->surfaceStale = true;
}

void DisplaySdl::PresentThroughSurface(Slot& slot, const uint32_t* pixels, int width, int height,
                                       int stridePixels, int top, int bottom) {
  // The surface follows the window's size; SDL makes it anew after a resize,
  // and a new one is filled whole.
  SDL_Surface* surface = SDL_GetWindowSurface(slot.window);
  if (surface != slot.surface || slot.surfaceStale) {
    top = 0;
    bottom = height;
  }
  slot.surface = surface;
  slot.surfaceStale = surface == nullptr;
  if (!surface) return;
  const int shownWidth = std::min(width, surface->w);
  const int shownHeight = std::min(height, surface->h);
  // Beyond the pixels the window is black, as the renderer's clear leaves it.
  if (shownWidth < surface->w || shownHeight < surface->h) {
    SDL_FillRect(surface, nullptr, 0);
    top = 0;
    bottom = height;
  }
  const int first = std::min(top, shownHeight);
  const int last = std::min(bottom, shownHeight);
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
  const Uint32 format = surface->format->format;
  auto* target = static_cast<unsigned char*>(surface->pixels);
  if (format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888) {
    // The same bytes (alpha is not shown): rows are copied as they are.
    for (int y = first; y < last; ++y) {
      std::memcpy(target + static_cast<size_t>(y) * surface->pitch, pixels + static_cast<size_t>(y) * stridePixels,
                  static_cast<size_t>(shownWidth) * 4);
    }
  } else if (last > first) {
    SDL_ConvertPixels(shownWidth, last - first, SDL_PIXELFORMAT_ARGB8888, pixels + size_t(first) * size_t(stridePixels),
                      stridePixels * 4, format, target + static_cast<size_t>(first) * surface->pitch, surface->pitch);
  }
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  if (top == 0 && bottom >= height) {
    SDL_UpdateWindowSurface(slot.window);
  } else if (last > first) {
    const SDL_Rect rows{0, first, surface->w, last - first};
    SDL_UpdateWindowSurfaceRects(slot.window, &rows, 1);
  }
}

void DisplaySdl::Pump(int timeoutMs) {
  SDL_Event event;
  if (timeoutMs != 0) {
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&event) : SDL_WaitEventTimeout(&event, timeoutMs);
    if (got) Translate(event);
  }
  // What arrives while the events are being handled waits for the next pump.
  for (int budget = 1000; budget > 0 && SDL_PollEvent(&event); --budget) Translate(event);
}

void DisplaySdl::Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      if (event.motion.which == SDL_TOUCH_MOUSEID) break;
      if (HWND hwnd = WindowOf(event.motion.windowID)) events_.MouseMoved(hwnd, event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (event.button.which == SDL_TOUCH_MOUSEID) break;
      if (HWND hwnd = WindowOf(event.button.windowID)) {
        events_.MouseButton(hwnd, event.button.button, event.type == SDL_MOUSEBUTTONDOWN, event.button.x,
                            event.button.y);
      }
      break;
    case SDL_MOUSEWHEEL:
      if (HWND hwnd = WindowOf(event.wheel.windowID)) {
        const int steps = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        events_.WheelTurned(hwnd, steps);
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (HWND hwnd = WindowOf(event.key.windowID)) {
        events_.Key(hwnd, VirtualKeyOf(event.key.keysym.sym, event.key.keysym.scancode), event.type == SDL_KEYDOWN);
      }
      break;
    case SDL_TEXTINPUT:
      if (HWND hwnd = WindowOf(event.text.windowID)) events_.Text(hwnd, event.text.text);
      break;
    case SDL_WINDOWEVENT:
      if (HWND hwnd = WindowOf(event.window.windowID)) TranslateWindowEvent(hwnd, event.window);
      break;
    default:
      break;
  }
}

void DisplaySdl::TranslateWindowEvent(HWND hwnd, const SDL_WindowEvent& event) {
  Slot* slot = SlotOf(hwnd);
  if (!slot) return;
  // The slot is brought up to date before the window system hears of the
  // change, which may close the window.
  DisplayWindowShape& applied = slot->applied;
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      slot->surfaceStale = true;
      applied.clientWidth = event.data1;
      applied.clientHeight = event.data2;
      events_.Resized(hwnd, event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_MOVED:
      applied.clientX = event.data1;
      applied.clientY = event.data2;
      events_.Moved(hwnd, event.data1, event.data2);
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (!slot->fullscreen && !applied.maximized) {
        applied.maximized = true;
        events_.MaximizeChanged(hwnd, true);
      }
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (!slot->fullscreen && applied.maximized) {
        applied.maximized = false;
        events_.MaximizeChanged(hwnd, false);
      }
      break;
    case SDL_WINDOWEVENT_CLOSE:
      events_.CloseRequested(hwnd);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      events_.Exposed(hwnd);
      break;
    default:
      break;
  }
}

bool DisplaySdl::ShowMessageBox(HWND owner, const std::string& utf8Caption, const std::string& utf8Text, bool error) {
  Slot* slot = owner ? SlotOf(owner) : nullptr;
  const Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  return SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), slot ? slot->window : nullptr) == 0;
}

}  // namespace

std::unique_ptr<DisplayBackend> CreateSdlDisplay(DisplayEvents& events) {
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "No display (%s); windows stay in memory\n", SDL_GetError());
    return nullptr;
  }
  SDL_StartTextInput();
  return std::make_unique<DisplaySdl>(events);
}

int VirtualKeyFromKeyName(const char* name) {
  if (!name || !*name) return 0;
  return VirtualKeyOf(SDL_GetKeyFromName(name), SDL_GetScancodeFromName(name));
}
