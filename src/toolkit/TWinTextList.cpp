#include "toolkit/TWinTextList.h"

#include "graphics/DrawingObjects.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinList.h"

TWinTextList::TWinTextList(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text)
    : TWinText(rect, parent, text), Owner(owner) {}

bool TWinTextList::InView() const {
  const auto* list = dynamic_cast<const TWinList*>(Parent);
  return !list || list->Shows(this);
}

TWindow* TWinTextList::HitTest(TPoint point) { return InView() ? TWinText::HitTest(point) : nullptr; }

void TWinTextList::Draw() {
  TGraphics* surface = Surface();
  if (!surface || !InView()) return;
  const int back = Selected ? kLightRed : kVeryLightRed;
  const int ink = Selected ? kBlue : kBlack;
  const int outline = Selected ? kRed : kBlack;
  surface->FillRectangle(BrushHandle(PaletteBrushes[back]), X, Y, Width, Height);
  const RectF layout(static_cast<REAL>(X), static_cast<REAL>(Y), static_cast<REAL>(Width),
                     static_cast<REAL>(Height));
  surface->DrawString(Text, FontHandle(FontTimes10), layout, FormatHandle(FormatCenter),
                      BrushHandle(PaletteBrushes[ink]));
  surface->DrawRectangle(PenHandle(PalettePens[outline]), X + 1, Y + 1, Width - 2, Height - 2);
  if (Hover || Focused) surface->DrawRectangle(PenHandle(PalettePens[kBlue]), X + 2, Y + 2, Width - 4, Height - 4);
}

void TWinTextList::GotFocus() {
  Focused = true;
  if (auto* list = dynamic_cast<TWinList*>(Parent); list && !list->Shows(this)) {
    // Scrolling repaints the list with this row in it.
    list->ScrollIntoView(this);
    return;
  }
  Draw();
}

void TWinTextList::LostFocus() {
  Focused = false;
  Draw();
}

void TWinTextList::OnLButtonUp() {
  if (!Hover) return;
  Selected = true;
  if (Owner) Owner->OnNotify(this, Owner, kNotifyRowClicked, 1, 0);
  Draw();
}

void TWinTextList::OnMouseLeave() {
  Hover = false;
  Draw();
}

void TWinTextList::OnMouseMove() {
  if (!Application) return;
  TPoint mouse{Application->MouseX, Application->MouseY};
  ToLocal(mouse);
  const bool over = Bounds().Contains(mouse);
  if (over != Hover) {
    Hover = over;
  } else {
    Draw();
  }
}
