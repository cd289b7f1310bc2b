// A window through the platform layer: GDI+ text, shapes and a TIFF image,
// redrawn on a timer, with mouse capture, typed text and the full-screen switch
// the game uses. Esc or the close box closes it.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Win32.h"
#ifndef _WIN32
#include "platform/PlatformTest.h"
#endif

namespace {

constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameInterval = 50;
constexpr int kIconId = 1;
// Frames drawn in memory before the demo ends itself when there is no display.
constexpr int kHeadlessFrames = 5;

struct Demo {
  HWND hwnd = nullptr;
  HDC dc = nullptr;
  GpGraphics* graphics = nullptr;
  GpImage* image = nullptr;
  GpFont* font = nullptr;
  GpFont* smallFont = nullptr;
  int width = 0;
  int height = 0;
  int mouseX = 0;
  int mouseY = 0;
  bool dragging = false;
  bool fullScreen = false;
  int frame = 0;
  std::wstring typed;
};

Demo demo;

// A 32 x 32 application icon: a red disc on transparent ground.
struct IconRegistration {
  IconRegistration() {
#ifndef _WIN32
    std::vector<uint32_t> pixels(32 * 32, 0);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const int dx = x - 16;
        const int dy = y - 16;
        if (dx * dx + dy * dy < 15 * 15) pixels[y * 32 + x] = 0xFFC03020u;
      }
    }
    PlatformRegisterIconResource(kIconId, 32, 32, pixels.data());
#endif
  }
} iconRegistration;

std::string ResourceDirectory() {
  const char* dir = std::getenv("KRAMBOL_RES_DIR");
  return dir && *dir ? dir : PLATFORMDEMO_RES_DIR;
}

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

void RenewGraphics() {
  if (demo.graphics) GdipDeleteGraphics(demo.graphics);
  demo.graphics = nullptr;
  if (demo.dc) ReleaseDC(demo.hwnd, demo.dc);
  demo.dc = GetDC(demo.hwnd);
  if (demo.dc) GdipCreateFromHDC(demo.dc, &demo.graphics);
}

void Text(const wchar_t* text, GpFont* font, ARGB color, float x, float y, float width, float height) {
  GpSolidFill* brush = nullptr;
  GdipCreateSolidFill(color, &brush);
  GpStringFormat* format = nullptr;
  GdipCreateStringFormat(0, 0, &format);
  const RectF layout(x, y, width, height);
  GdipDrawString(demo.graphics, text, -1, font, &layout, format, brush);
  GdipDeleteStringFormat(format);
  GdipDeleteBrush(brush);
}

void Draw() {
  GpGraphics* g = demo.graphics;
  if (!g) return;
  GdipGraphicsClear(g, 0xFF1E2A3Au);

  GpSolidFill* fill = nullptr;
  GpPen* pen = nullptr;
  const ARGB palette[] = {0xFFE04040u, 0xFFE0A030u, 0xFFE0E040u, 0xFF40C060u, 0xFF4080E0u, 0xFF9050D0u};
  for (int i = 0; i < 6; ++i) {
    GdipCreateSolidFill(palette[i], &fill);
    GdipFillRectangleI(g, fill, 20 + i * 50, 70, 40, 40);
    GdipDeleteBrush(fill);
  }
  GdipCreatePen1(0xFFFFFFFFu, 2.0f, UnitPixel, &pen);
  GdipDrawRectangleI(g, pen, 10, 60, 310, 60);
  for (int i = 0; i < 8; ++i) GdipDrawLineI(g, pen, 340 + i * 12, 60, 340 + i * 24, 120);
  GdipDeletePen(pen);

  // A ball bouncing along the bottom, and a half-transparent ellipse over it.
  const int span = demo.width > 100 ? demo.width - 100 : 1;
  const int position = (demo.frame * 7) % (2 * span);
  const int ballX = 20 + (position < span ? position : 2 * span - position);
  GdipCreateSolidFill(0xFFF0F0F0u, &fill);
  GdipFillEllipseI(g, fill, ballX, demo.height - 80, 60, 60);
  GdipDeleteBrush(fill);
  GdipCreateSolidFill(0x804080FFu, &fill);
  GdipFillEllipseI(g, fill, demo.width / 2 - 120, demo.height - 110, 240, 80);
  GdipDeleteBrush(fill);

  if (demo.image) {
    UINT w = 0;
    UINT h = 0;
    GdipGetImageWidth(demo.image, &w);
    GdipGetImageHeight(demo.image, &h);
    GdipDrawImageI(g, demo.image, 20, 140);
    GdipDrawImageRectRectI(g, demo.image, 40 + static_cast<INT>(w), 140, static_cast<INT>(w) * 2,
                           static_cast<INT>(h) * 2, 0, 0, static_cast<INT>(w), static_cast<INT>(h), UnitPixel,
                           nullptr, nullptr, nullptr);
  } else {
    Text(L"(no image: run artgen or set KRAMBOL_RES_DIR)", demo.smallFont, 0xFFFF8080u, 20, 140, 400, 20);
  }

  // The pointer, drawn red while a drag holds the capture.
  GdipCreatePen1(demo.dragging ? 0xFFFF4040u : 0xFFFFFF00u, 3.0f, UnitPixel, &pen);
  GdipDrawEllipseI(g, pen, demo.mouseX - 10, demo.mouseY - 10, 20, 20);
  GdipDeletePen(pen);

  Text(L"\u041A\u0440\u0430\u043C\u0431\u043E\u043B: platform layer", demo.font, 0xFFFFFFFFu, 20, 15, 600, 40);
  const std::wstring status = L"client " + std::to_wstring(demo.width) + L" x " + std::to_wstring(demo.height) +
                              L", mouse " + std::to_wstring(demo.mouseX) + L", " + std::to_wstring(demo.mouseY) +
                              L", frame " + std::to_wstring(demo.frame) + L"   F11 full screen, Esc close";
  Text(status.c_str(), demo.smallFont, 0xFFB0C4DEu, 20, static_cast<float>(demo.height - 25), 900, 20);
  const std::wstring typed = L"typed: " + demo.typed;
  Text(typed.c_str(), demo.smallFont, 0xFFFFFFFFu, 360, 140, 500, 20);
}

void SwitchFullScreen() {
  demo.fullScreen = !demo.fullScreen;
  if (demo.fullScreen) {
    SetWindowLongA(demo.hwnd, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    MoveWindow(demo.hwnd, 0, 0, demo.width, demo.height, TRUE);
    ShowWindow(demo.hwnd, SW_SHOWMAXIMIZED);
  } else {
    SetWindowLongA(demo.hwnd, GWL_STYLE, static_cast<LONG>(WS_OVERLAPPEDWINDOW));
    ShowWindow(demo.hwnd, SW_RESTORE);
    MoveWindow(demo.hwnd, 0, 0, 640, 480, TRUE);
  }
}

#ifndef _WIN32
void ReportHeadlessFrame() {
  std::vector<uint32_t> argb;
  int width = 0;
  int height = 0;
  if (PlatformTest::ReadWindowPixels(demo.hwnd, argb, width, height) && !argb.empty()) {
    std::printf("frame %d: %d x %d, pixel (40, 90) = %08X\n", demo.frame, width, height,
                static_cast<unsigned>(argb[static_cast<size_t>(90) * static_cast<size_t>(width) + 40]));
  }
}
#endif

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{640, 480};
      return 0;
    case WM_CREATE: {
      demo.hwnd = hwnd;
      SetClassLongA(hwnd, GCL_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIconId))));
      RenewGraphics();
      const std::wstring path = Widen(ResourceDirectory() + "/map/trees02_128x128.tif");
      if (GdipLoadImageFromFile(path.c_str(), &demo.image) != Ok) demo.image = nullptr;
      return SetTimer(hwnd, kFrameTimer, kFrameInterval, nullptr) ? 0 : -1;
    }
    case WM_SIZE:
      demo.width = LOWORD(lParam);
      demo.height = HIWORD(lParam);
      RenewGraphics();
      return 0;
    case WM_TIMER:
      ++demo.frame;
      Draw();
#ifndef _WIN32
      if (PlatformTest::IsHeadless()) {
        ReportHeadlessFrame();
        if (demo.frame >= kHeadlessFrames) PostMessageA(hwnd, WM_CLOSE, 0, 0);
      }
#endif
      return 0;
    case WM_MOUSEMOVE:
      demo.mouseX = GET_X_LPARAM(lParam);
      demo.mouseY = GET_Y_LPARAM(lParam);
      return 0;
    case WM_LBUTTONDOWN:
      demo.dragging = true;
      SetCapture(hwnd);
      return 0;
    case WM_LBUTTONUP:
      demo.dragging = false;
      ReleaseCapture();
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) PostMessageA(hwnd, WM_CLOSE, 0, 0);
      if (wParam == VK_F11) SwitchFullScreen();
      return 0;
    case WM_CHAR:
      if (wParam == VK_BACK && !demo.typed.empty()) demo.typed.pop_back();
      if (wParam >= 32 && demo.typed.size() < 40) demo.typed += static_cast<wchar_t>(wParam);
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd, kFrameTimer);
      if (demo.graphics) GdipDeleteGraphics(demo.graphics);
      demo.graphics = nullptr;
      ReleaseDC(hwnd, demo.dc);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ULONG_PTR token = 0;
  const GdiplusStartupInput input;
  if (GdiplusStartup(&token, &input, nullptr) != Ok) {
    MessageBoxA(nullptr, "GdiplusStartup() - FAILED", "Error", MB_OK | MB_ICONERROR);
    return 1;
  }
  GpFontFamily* family = nullptr;
  GdipGetGenericFontFamilySansSerif(&family);
  GdipCreateFont(family, 22.0f, FontStyleBold, UnitPixel, &demo.font);
  GdipCreateFont(family, 13.0f, FontStyleRegular, UnitPixel, &demo.smallFont);

  WNDCLASSA wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = "PlatformDemoClass";
  int result = 1;
  if (RegisterClassA(&wc) &&
      CreateWindowExA(0, wc.lpszClassName, "Крамбол: демонстрация", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0,
                      CW_USEDEFAULT, 0, nullptr, nullptr, instance, nullptr)) {
    ShowWindow(demo.hwnd, SW_SHOW);
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    result = got == 0 ? static_cast<int>(msg.wParam) : 1;
  } else {
    MessageBoxA(nullptr, "CreateWindow() - FAILED", "Error", MB_OK | MB_ICONERROR);
  }
  if (demo.image) GdipDisposeImage(demo.image);
  GdipDeleteFont(demo.font);
  GdipDeleteFont(demo.smallFont);
  GdipDeleteFontFamily(family);
  GdiplusShutdown(token);
  return result;
}
