#include "toolkit/TFrameRect.h"

#include "graphics/FrameDrawing.h"
#include "graphics/TextureRegistry.h"

namespace {

// Finds and acquires one texture; a constructor that fails half-way releases
// what it already took.
template <typename T>
T* Take(const wchar_t* path) {
  T* texture = FindTextureAs<T>(path);
  texture->Acquire();
  return texture;
}

}  // namespace

TFrameRect::TFrameRect() : ActiveBorder(Take<TFrameTexture>(L"res/button/frame2.tif")) {
  try {
    InactiveBorder = Take<TFrameTexture>(L"res/button/frame.tif");
  } catch (...) {
    ActiveBorder->Release();
    throw;
  }
  try {
    Background = Take<TTexture>(L"res/button/cyprbk.tif");
  } catch (...) {
    InactiveBorder->Release();
    ActiveBorder->Release();
    throw;
  }
}

TFrameRect::~TFrameRect() {
  Background->Release();
  InactiveBorder->Release();
  ActiveBorder->Release();
}

void TFrameRect::DrawFrame(TGraphics& surface, const TRect& windowRect, const std::wstring& title, bool active) {
  Rect = TRect{0, 0, windowRect.width, windowRect.height};
  DrawCaptionFrame(*ActiveBorder, *InactiveBorder, *Background, surface, Rect.width, Rect.height, title, active);
}
