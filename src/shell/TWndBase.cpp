#include "shell/TWndBase.h"

void TWndBase::UpdateRects() {
  RECT r = {};
  GetClientRect(Handle, &r);
  ClientX = r.left;
  ClientY = r.top;
  ClientWidth = r.right - r.left;
  ClientHeight = r.bottom - r.top;
  r = {};
  GetWindowRect(Handle, &r);
  WindowX = r.left;
  WindowY = r.top;
  WindowWidth = r.right - r.left;
  WindowHeight = r.bottom - r.top;
}
