#pragma once
// A window with its own bitmap: its children draw into the bitmap, which is
// repainted only when dirty and copied onto the desktop every frame. Always a
// child of the current root window.

#include <memory>

#include "graphics/GdiplusObjects.h"
#include "toolkit/TWindow.h"

class TWindowBuffer : public TWindow {
 public:
  explicit TWindowBuffer(const TRect& rect);
  ~TWindowBuffer() override;

  // Repaints the children into the bitmap when dirty, then copies the bitmap
  // unscaled onto the parent's surface at (x, y).
  void Draw() override;
  // Keeps the bitmap at the new size, passes the size to every child, marks dirty.
  void SetSize(int32_t width, int32_t height) override;
  void GotFocus() override;
  void LostFocus() override;
  // Tests the point against the buffer's own rectangle without converting it.
  TWindow* HitTest(TPoint point) override;
  // Subtracts the buffer's position, then asks the parent.
  TPoint& ToLocal(TPoint& point) override;

  bool Dirty = true;
  std::unique_ptr<TBitmap> Bitmap;

 protected:
  // Copies the bitmap onto the surface of the window this buffer lies on.
  void CopyToParent();

 private:
  TGraphics** ParentCell;
  TGraphics* OwnSurface = nullptr;
};
