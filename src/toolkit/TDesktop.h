#pragma once
// One whole screen and the root of the window tree. Building a desktop deletes
// the previous one with everything on it. It paints into a bitmap of the
// client area's size and copies it to the application window every frame.

#include <memory>

#include "graphics/GdiplusObjects.h"
#include "toolkit/TWindow.h"

class TDesktop : public TWindow {
 public:
  TDesktop();
  ~TDesktop() override;

  // Paints the background, then every child, then copies the bitmap onto the
  // application window at (0, 0).
  void Draw() override;
  // Resizes the bitmap and passes the size to every child.
  void SetSize(int32_t width, int32_t height) override;
  // The screen's background; here an opaque white clear.
  virtual void DrawBackground();

  std::unique_ptr<TBitmap> Bitmap;

 private:
  TGraphics** ScreenCell;
  TGraphics* OwnSurface = nullptr;
};
