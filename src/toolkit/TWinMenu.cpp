#include "toolkit/TWinMenu.h"

#include "toolkit/WindowTree.h"

TRect TWinMenu::Centred(int32_t width, int32_t height) {
  if (!RootWindow) return TRect{0, 0, width, height};
  const TRect desk = RootWindow->Bounds();
  return TRect{(desk.width - width) / 2 + desk.x, (desk.height - height) / 2 + desk.y, width, height};
}

TWinMenu::TWinMenu(const std::wstring& title, int32_t width, int32_t height)
    : TWindowBuffer(Centred(width, height)), Title(title) {
  InputRoot = this;
}

void TWinMenu::Draw() {
  if (Dirty) {
    if (TGraphics* surface = Surface()) DrawFrame(*surface, Bounds(), Title, Focused);
    Dirty = false;
    TWindow::Draw();
  }
  CopyToParent();
}

void TWinMenu::SetSize(int32_t, int32_t) {
  const TRect place = Centred(Width, Height);
  X = place.x;
  Y = place.y;
  TWindowBuffer::SetSize(Width, Height);
}
