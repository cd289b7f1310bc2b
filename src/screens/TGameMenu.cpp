#include "screens/TGameMenu.h"

#include "graphics/DrawingObjects.h"
#include "screens/PassTurn.h"
#include "screens/TGameMainMenu.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/WindowTree.h"
#include "world/CellInfo.h"
#include "world/TMap.h"
#include "world/WorldState.h"

namespace {
// The panel's place on the current desktop.
TRect PanelRect() {
  if (!RootWindow) return TRect{0, 0, TGameMenu::kWidth, 0};
  return TRect{RootWindow->Width - TGameMenu::kWidth, 0, TGameMenu::kWidth, RootWindow->Height};
}

// The map window that shares the screen with the panel; null when there is none.
TMap* MapBeside(const TWindow& in_panel) {
  if (!in_panel.Parent) return nullptr;
  for (TWindow* sibling : in_panel.Parent->Children)
    if (auto* map = dynamic_cast<TMap*>(sibling)) return map;
  return nullptr;
}
}  // namespace

TGameMenu::TGameMenu() : TWindowBuffer(PanelRect()) {
  InfoTextTarget = &InfoText;
  new TWinButton(this, RootWindow, TRect{50, 40, 100, 30}, L"Главное меню.", 0);
  new TWinButton(this, this, TRect{25, 90, 150, 30}, L"Пропустить Ход.", 1);
}

TGameMenu::~TGameMenu() {
  if (InfoTextTarget == &InfoText) InfoTextTarget = nullptr;
}

void TGameMenu::Draw() {
  Dirty = true;
  if (TGraphics* surface = Surface()) {
    DrawFrame(*surface, Bounds(), L"Меню", Focused);
    const int32_t player = ((TurnCounter % 2) + 2) % 2;
    surface->FillRectangle(BrushHandle(PaletteBrushes[player == 0 ? kBlack : kWhite]), 40, 140, 120, 30);
    surface->DrawString(Players[player].Name, FontHandle(FontTimes16), RectF(40.0f, 140.0f, 0.0f, 0.0f), nullptr,
                        BrushHandle(PaletteBrushes[kDarkRed]));
    if (!InfoText.empty()) {
      surface->DrawString(InfoText, FontHandle(FontTimes12), RectF(20.0f, 200.0f, 0.0f, 0.0f), nullptr,
                          BrushHandle(PaletteBrushes[kDarkGrey]));
    }
  }
  Dirty = false;
  TWindow::Draw();
  CopyToParent();
}

void TGameMenu::SetSize(int32_t, int32_t) {
  const TRect place = PanelRect();
  X = place.x;
  Y = place.y;
  TWindowBuffer::SetSize(place.width, place.height);
}

void TGameMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code != kNotifyClick) return;
  if (p1 == 1) {
    PassTurn(MapBeside(*this));
  } else if (p1 == 0) {
    new TGameMainMenu();
  }
}
