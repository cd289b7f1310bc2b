#include "screens/TGameDesktop.h"

#include "graphics/DrawingObjects.h"
#include "screens/ScreenActions.h"
#include "screens/TGameMainMenu.h"
#include "screens/TGameMenu.h"
#include "screens/TNewGameMenu.h"
#include "screens/TOptionMenu.h"
#include "screens/TSaveMenu.h"
#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "world/TMap.h"

TGameDesktop::TGameDesktop() {
  new TMap();
  new TGameMenu();
}

void TGameDesktop::DrawBackground() {
  TGraphics* surface = Surface();
  auto* map = Children.empty() ? nullptr : dynamic_cast<TMap*>(Children.front());
  GpBrush* white = BrushHandle(PaletteBrushes[kWhite]);
  if (!surface || !map || !white || !map->CoversItsRectangle() || map->X > 0 || map->Y > 0) {
    TDesktop::DrawBackground();
    return;
  }
  const int32_t right = map->X + map->Width;
  const int32_t bottom = map->Y + map->Height;
  // Opaque white over anything is white, as the clear leaves it.
  if (right < Width) surface->FillRectangle(white, right, 0, Width - right, Height);
  if (bottom < Height) surface->FillRectangle(white, 0, bottom, right, Height - bottom);
}

void TGameDesktop::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  switch (code) {
    case kNotifyClick:
      new TGameMainMenu();
      break;
    case kNotifyAnswer:
      if (p2 != 0) PostCloseRequest();
      break;
    case kNotifyGameMainMenu:
      if (p1 == 2) {
        new TNewGameMenu();
      } else if (p1 == 3) {
        new TOptionMenu();
      } else if (p1 == 5) {
        new TSaveMenu();
      }
      break;
    case kNotifyOptionsClosed:
      new TGameMainMenu();
      break;
    case kNotifyMapListClosed:
      if (p1 == 1) {
        // The map window of this screen still shows the old grid until the
        // new screen replaces it at the start of the next frame; the map list
        // stays the input root until then, so nothing reaches the old cells.
        LoadChosenMap(p2, sender);
      } else {
        new TGameMainMenu();
      }
      break;
    default:
      break;
  }
}
