#include "toolkit/TWindowBuffer.h"

#include "graphics/DrawingObjects.h"
#include "toolkit/WindowTree.h"

TWindowBuffer::TWindowBuffer(const TRect& rect) : TWindow(RootWindow), ParentCell(Cell) {
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
  Cell = &OwnSurface;
  ResizeBuffer(Bitmap, OwnSurface, Width, Height);
}

TWindowBuffer::~TWindowBuffer() {
  Bitmap.reset();
  delete OwnSurface;
  OwnSurface = nullptr;
}

void TWindowBuffer::Draw() {
  if (Dirty) {
    Dirty = false;
    TWindow::Draw();
  }
  CopyToParent();
}

void TWindowBuffer::CopyToParent() {
  TGraphics* target = *ParentCell;
  if (!target || !Bitmap) return;
  target->DrawImage(Bitmap->Handle(), X, Y, Bitmap->Width(), Bitmap->Height(), 0, 0, Bitmap->Width(),
                    Bitmap->Height());
}

void TWindowBuffer::SetSize(int32_t width, int32_t height) {
  Width = width;
  Height = height;
  ResizeBuffer(Bitmap, OwnSurface, width, height);
  for (size_t i = 0; i < Children.size(); ++i) Children[i]->SetSize(width, height);
  Dirty = true;
}

void TWindowBuffer::GotFocus() {
  Focused = true;
  Dirty = true;
}

void TWindowBuffer::LostFocus() {
  Focused = false;
  Dirty = true;
}

TWindow* TWindowBuffer::HitTest(TPoint point) {
  if (!Bounds().Contains(point)) return nullptr;
  for (size_t i = Children.size(); i-- > 0;) {
    if (TWindow* hit = Children[i]->HitTest(point)) return hit;
  }
  return this;
}

TPoint& TWindowBuffer::ToLocal(TPoint& point) {
  point.x -= X;
  point.y -= Y;
  return TWindow::ToLocal(point);
}
