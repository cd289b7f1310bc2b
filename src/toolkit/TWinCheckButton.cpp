#include "toolkit/TWinCheckButton.h"

#include "graphics/DrawingObjects.h"
#include "graphics/TextureRegistry.h"
#include "toolkit/Notify.h"

namespace {
// The id every check button reports with.
constexpr int32_t kCheckButtonId = 2;
}  // namespace

TWinCheckButton::TWinCheckButton(TWindow* parent, TWindow* owner, const TRect& rect, const std::wstring& text,
                                 bool ticked)
    : TWinButton(parent, owner, rect, text, kCheckButtonId), Ticked(ticked) {
  // The tick-box sheet replaces the push-button image the base took.
  TSprite* box = FindTextureAs<TSprite>(L"res/button/button1.tif");
  box->Acquire();
  Image->Release();
  Image = box;
}

void TWinCheckButton::Draw() {
  if (Ticked) {
    FrameIndex = Hover ? 2 : 3;
  } else {
    FrameIndex = Hover ? 0 : 1;
  }
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->FillRectangle(BrushHandle(PaletteBrushes[kVeryLightRed]), X, Y, Width, Height);
  Image->DrawFrame(*surface, 0, FrameIndex, X + 3, Y + 3, 21, Height - 6);
  surface->DrawRectangle(PenHandle(PalettePens[Focused ? kRed : kBlack]), X + 2, Y + 2, Width - 4, Height - 5);
  DrawCaption(*surface, X + 21, Width - 21, 0);
}

void TWinCheckButton::OnNotify(TWindow*, TWindow*, int32_t, intptr_t p1, intptr_t) {
  Ticked = p1 == 1;
  Draw();
}

void TWinCheckButton::Click() {
  Ticked = !Ticked;
  if (Owner) Owner->OnNotify(this, Owner, kNotifyClick, Id, Ticked ? 1 : 0);
}
