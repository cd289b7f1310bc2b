#include "shell/TTaskMsg.h"

#include "screens/ScreenFactory.h"
#include "toolkit/TWindow.h"
#include "toolkit/WindowTree.h"

LRESULT TTaskMsg::OnCreate() { return TTimer::OnCreate(); }

void TTaskMsg::OnFrame() {
  if (ScreenRequestPending) {
    BuildRequestedScreen(RequestedScreen);
    ScreenRequestPending = false;
  }
  RunFrameStep();
}

void TTaskMsg::BuildRequestedScreen(int32_t in_kind) { BuildScreen(in_kind); }

LRESULT TTaskMsg::OnSize() {
  TLockGuard guard(Lock);
  if (RootWindow) RootWindow->SetSize(ClientWidth, ClientHeight);
  return 0;
}

LRESULT TTaskMsg::OnGetMinMaxInfo() {
  auto* info = reinterpret_cast<MINMAXINFO*>(LParam);
  info->ptMinTrackSize.x = 640;
  info->ptMinTrackSize.y = 480;
  return 0;
}

TWindow* TTaskMsg::WindowUnderPointer() {
  TWindow* scope = InputRoot;
  if (PressesReachWindowUnderPointer) {
    while (scope && IsClosing(scope)) scope = scope->Parent;
  }
  if (!scope) return nullptr;
  TWindow* hit = scope->HitTest(TPoint{MouseX, MouseY});
  if (PressesReachWindowUnderPointer && hit && IsClosing(hit)) return nullptr;
  return hit;
}

TWindow* TTaskMsg::AimPointerAt(TWindow* in_window) {
  PointerWindow = in_window;
  if (PointerWindow != LastPointerWindow && LastPointerWindow) LastPointerWindow->OnMouseLeave();
  LastPointerWindow = PointerWindow;
  return PointerWindow;
}

void TTaskMsg::RoutePress(void (TWindow::*press)(), bool in_otherButtonHeld) {
  TLockGuard guard(Lock);
  if (!InputRoot) {
    if (PointerWindow) (PointerWindow->*press)();
    return;
  }
  TWindow* hit = WindowUnderPointer();
  if (hit) hit->TakeFocus();
  if (PressesReachWindowUnderPointer && !in_otherButtonHeld && (hit != PointerWindow || hit != LastPointerWindow)) {
    // The pointer has not moved since the last move: the window under it
    // hears of it as of a move of no distance, so that a button knows the
    // mouse is over it before the press.
    MouseDX = 0;
    MouseDY = 0;
    if (AimPointerAt(hit)) PointerWindow->OnMouseMove();
  }
  if (PointerWindow) (PointerWindow->*press)();
}

void TTaskMsg::WalkFocusPath(bool (TWindow::*handler)()) {
  TLockGuard guard(Lock);
  const int count = static_cast<int>(FocusPath.size());
  for (int position = count - 1; position >= 0; --position) {
    // A handler may shorten the path (a key that closes a box); positions that
    // no longer exist are skipped instead of read.
    if (position >= static_cast<int>(FocusPath.size())) continue;
    TWindow* window = FocusPath[position];
    if ((window->*handler)()) break;
    if (window == InputRoot) break;
  }
}

LRESULT TTaskMsg::OnLButtonDown() {
  RoutePress(&TWindow::OnLButtonDown, RButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnRButtonDown() {
  RoutePress(&TWindow::OnRButtonDown, LButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnLButtonDblClk() {
  RoutePress(&TWindow::OnLButtonDblClk, RButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnRButtonDblClk() {
  RoutePress(&TWindow::OnRButtonDblClk, LButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnLButtonUp() {
  TLockGuard guard(Lock);
  if (PointerWindow) PointerWindow->OnLButtonUp();
  return 0;
}

LRESULT TTaskMsg::OnRButtonUp() {
  TLockGuard guard(Lock);
  if (PointerWindow) PointerWindow->OnRButtonUp();
  return 0;
}

LRESULT TTaskMsg::OnMouseMove() {
  TLockGuard guard(Lock);
  TWindow* target = nullptr;
  if (LButtonDown || RButtonDown) {
    // A window keeps the mouse while a button is held.
    target = PointerWindow;
  } else if (InputRoot) {
    target = AimPointerAt(WindowUnderPointer());
  } else {
    target = PointerWindow;
  }
  if (target) target->OnMouseMove();
  return 0;
}

LRESULT TTaskMsg::OnMouseWheel() {
  WalkFocusPath(&TWindow::OnMouseWheel);
  return 0;
}

LRESULT TTaskMsg::OnKeyDown() {
  WalkFocusPath(&TWindow::OnKeyDown);
  return 0;
}

LRESULT TTaskMsg::OnKeyUp() {
  WalkFocusPath(&TWindow::OnKeyUp);
  return 0;
}

LRESULT TTaskMsg::OnChar() {
  WalkFocusPath(&TWindow::OnChar);
  return 0;
}
