#include "shell/TGame.h"

#include "graphics/TextureRegistry.h"
#include "toolkit/WindowTree.h"
#include "world/WorldState.h"

LRESULT TGame::OnCreate() {
  HICON icon = LoadIconA(ModuleHandle, MAKEINTRESOURCEA(kIconResource));
  HCURSOR cursor = LoadCursorA(ModuleHandle, MAKEINTRESOURCEA(kCursorResource));
  SetClassLongPtrA(Handle, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  SetClassLongPtrA(Handle, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(icon));
  SetClassLongPtrA(Handle, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
  TTimer::OnCreate();
  RequestScreen(0);
  return 0;
}

LRESULT TGame::OnDestroy() {
  ClearMap();
  TearDownWindowTree();
  KillTimer(Handle, TimerId);
  TimerRunning = false;
  FreeTextures();
  return 0;
}
