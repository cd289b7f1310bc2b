#include "toolkit/TWinButton.h"

#include "graphics/DrawingObjects.h"
#include "graphics/TextureRegistry.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"

TWinButton::TWinButton(TWindow* parent, TWindow* owner, const TRect& rect, const std::wstring& text, int32_t id)
    : TWindow(parent), Owner(owner), Text(text), Id(id), Image(FindTextureAs<TSprite>(L"res/button/button3.tif")) {
  Image->Acquire();
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Height = rect.height;
}

TWinButton::~TWinButton() { Image->Release(); }

void TWinButton::DrawCaption(TGraphics& surface, int32_t left, int32_t width, int32_t shift) const {
  const RectF layout(static_cast<REAL>(left + shift), static_cast<REAL>(Y + Height / 2 - 7 + shift),
                     static_cast<REAL>(width), static_cast<REAL>(Height));
  surface.DrawString(Text, FontHandle(FontTimes10), layout, FormatHandle(FormatCenter),
                     BrushHandle(PaletteBrushes[kBlack]));
}

void TWinButton::Draw() {
  if (Pressed && Hover) {
    FrameIndex = 0;
  } else if (Hover) {
    FrameIndex = 1;
  } else {
    FrameIndex = 2;
  }
  TGraphics* surface = Surface();
  if (!surface) return;
  Image->DrawFrame(*surface, 0, FrameIndex, X, Y, Width, Height);
  if (Focused && !Pressed) surface->DrawRectangle(PenHandle(PalettePens[kBlack]), X + 2, Y + 2, Width - 4, Height - 5);
  // The caption sinks one pixel right and down while the button is held.
  DrawCaption(*surface, X, Width, Pressed ? 1 : 0);
}

void TWinButton::GotFocus() {
  Focused = true;
  Draw();
}

void TWinButton::LostFocus() {
  Focused = false;
  Draw();
}

void TWinButton::OnLButtonDown() {
  Pressed = true;
  Draw();
}

void TWinButton::OnLButtonUp() {
  Pressed = false;
  if (Hover) Click();
  Draw();
}

void TWinButton::OnMouseLeave() {
  Hover = false;
  Draw();
}

void TWinButton::OnMouseMove() {
  if (!Application) return;
  TPoint mouse{Application->MouseX, Application->MouseY};
  if (Parent) Parent->ToLocal(mouse);
  const bool over = Bounds().Contains(mouse);
  if (over != Hover) {
    Hover = over;
  } else {
    Draw();
  }
}

bool TWinButton::OnKeyDown() {
  if (!Application || Application->WParam != VK_RETURN) return false;
  Pressed = true;
  Hover = true;
  Draw();
  return true;
}

bool TWinButton::OnKeyUp() {
  if (!Application || Application->WParam != VK_RETURN) return false;
  if (!Pressed) return true;
  Pressed = false;
  Hover = false;
  Draw();
  Click();
  return true;
}

void TWinButton::Click() {
  if (Owner) Owner->OnNotify(this, Owner, kNotifyClick, Id, 0);
}
