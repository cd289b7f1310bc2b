#include "toolkit/TWinBoxTemp.h"

#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"

TWinBoxTemp::TWinBoxTemp(const TRect& rect, const std::wstring& title, const std::wstring& text)
    : TWindowBuffer(rect), Title(title), Text(text) {
  if (Parent) Parent->BringToFront(this);
  Focused = false;
  Dirty = true;
}

void TWinBoxTemp::Draw() {
  if (Dirty) {
    if (TGraphics* surface = Surface()) {
      DrawFrame(*surface, Bounds(), Title, true);
      const RectF layout(10.0f, 20.0f, static_cast<REAL>(Width - 20), static_cast<REAL>(Height));
      surface->DrawString(Text, FontHandle(FontTimes10), layout, FormatHandle(FormatCenter),
                          BrushHandle(PaletteBrushes[kVeryLightRed]));
    }
    Dirty = false;
    TWindow::Draw();
  }
  CopyToParent();
}

void TWinBoxTemp::GotFocus() {
  Focused = true;
  Dirty = true;
  if (Parent) Parent->BringToFront(this);
}

void TWinBoxTemp::OnNotify(TWindow*, TWindow*, int32_t, intptr_t, intptr_t) { QueueForDeletion(this); }

bool TWinBoxTemp::OnKeyDown() {
  if (!Application) return false;
  if (Application->WParam == VK_ESCAPE) QueueForDeletion(this);
  if (Application->WParam == VK_TAB) {
    FocusNext(this);
    return true;
  }
  return false;
}
