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

void TTaskMsg::RoutePress(void (TWindow::*press)()) {
  TLockGuard guard(Lock);
  if (InputRoot) {
    if (TWindow* hit = InputRoot->HitTest(TPoint{MouseX, MouseY})) hit->TakeFocus();
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
  RoutePress(&TWindow::OnLButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnRButtonDown() {
  RoutePress(&TWindow::OnRButtonDown);
  return 0;
}

LRESULT TTaskMsg::OnLButtonDblClk() {
  RoutePress(&TWindow::OnLButtonDblClk);
  return 0;
}

LRESULT TTaskMsg::OnRButtonDblClk() {
  RoutePress(&TWindow::OnRButtonDblClk);
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
    PointerWindow = InputRoot->HitTest(TPoint{MouseX, MouseY});
    if (PointerWindow != LastPointerWindow && LastPointerWindow) LastPointerWindow->OnMouseLeave();
    LastPointerWindow = PointerWindow;
    target = PointerWindow;
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
