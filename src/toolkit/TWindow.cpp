#include "toolkit/TWindow.h"

#include <algorithm>

#include "shell/TTimer.h"
#include "toolkit/WindowTree.h"

namespace {

// The cell of windows made while no application object exists (tests of the
// tree alone): always empty, so they draw nothing.
TGraphics* NoSurface = nullptr;

void RemoveFirst(std::vector<TWindow*>& list, TWindow* window) {
  auto it = std::find(list.begin(), list.end(), window);
  if (it != list.end()) list.erase(it);
}

// The same for lists that hold a window at most once, searched from the end:
// windows are mostly destroyed newest first (a map's cells, a screen's
// widgets), which keeps tearing down thousands of them linear.
void RemoveUnique(std::vector<TWindow*>& list, TWindow* window) {
  auto it = std::find(list.rbegin(), list.rend(), window);
  if (it != list.rend()) list.erase(std::next(it).base());
}

}  // namespace

TWindow::TWindow(TWindow* parent) : Parent(parent) {
  LiveWindows.push_back(this);
  FrameUpdates.push_back(this);
  if (parent) {
    parent->Children.push_back(this);
    Cell = parent->Cell;
  } else {
    Cell = Application ? &Application->Graphics : &NoSurface;
  }
  TakeFocus();
  PointerWindow = this;
}

TWindow::TWindow(TWindow* parent, TOneOfMany) : Parent(parent), Focused(false), InFrameUpdates_(false) {
  LiveWindows.push_back(this);
  if (parent) {
    parent->Children.push_back(this);
    Cell = parent->Cell;
  } else {
    Cell = Application ? &Application->Graphics : &NoSurface;
  }
}

TWindow::~TWindow() {
  while (!Children.empty()) delete Children.front();
  if (Parent) RemoveUnique(Parent->Children, this);
  if (PointerWindow == this) PointerWindow = Parent;
  if (LastPointerWindow == this) LastPointerWindow = nullptr;
  if (InputRoot == this) InputRoot = Parent;
  if (RootWindow == this) RootWindow = nullptr;
  RemoveFirst(FocusPath, this);
  RemoveUnique(LiveWindows, this);
  if (InFrameUpdates_) RemoveUnique(FrameUpdates, this);
  // Every entry goes: a window queued twice must not be deleted twice.
  DeleteQueue.erase(std::remove(DeleteQueue.begin(), DeleteQueue.end(), this), DeleteQueue.end());
}

void TWindow::LeaveFrameUpdates() {
  if (!InFrameUpdates_) return;
  InFrameUpdates_ = false;
  RemoveUnique(FrameUpdates, this);
}

void TWindow::Draw() {
  for (size_t i = 0; i < Children.size(); ++i) Children[i]->Draw();
}

void TWindow::SetSize(int32_t width, int32_t height) {
  Width = width;
  Height = height;
}

void TWindow::MoveBy(int32_t dx, int32_t dy) {
  X += dx;
  Y += dy;
}

void TWindow::MoveTo(int32_t x, int32_t y) {
  X = x;
  Y = y;
}

void TWindow::OnNotify(TWindow*, TWindow*, int32_t, intptr_t, intptr_t) {}

TWindow* TWindow::HitTest(TPoint point) {
  TPoint local = point;
  ToLocal(local);
  if (!Bounds().Contains(local)) return nullptr;
  for (size_t i = Children.size(); i-- > 0;) {
    if (TWindow* hit = Children[i]->HitTest(point)) return hit;
  }
  return this;
}

TPoint& TWindow::ToLocal(TPoint& point) {
  if (Parent) Parent->ToLocal(point);
  return point;
}

void TWindow::BringToFront(TWindow* child) {
  auto it = std::find(Children.begin(), Children.end(), child);
  if (it != Children.end()) std::iter_swap(it, Children.end() - 1);
}

void TWindow::DeleteChild(TWindow* child) {
  if (std::find(Children.begin(), Children.end(), child) != Children.end()) delete child;
}

void TWindow::TakeFocus() {
  std::vector<TWindow*> path;
  for (TWindow* w = this; w; w = w->Parent) path.push_back(w);
  std::reverse(path.begin(), path.end());
  size_t common = 0;
  while (common < FocusPath.size() && common < path.size() && FocusPath[common] == path[common]) ++common;
  // The old path is copied first: a LostFocus handler must not change what we walk.
  const std::vector<TWindow*> old = FocusPath;
  for (size_t i = common; i < old.size(); ++i) old[i]->LostFocus();
  for (size_t i = common; i < path.size(); ++i) path[i]->GotFocus();
  FocusPath = path;
}

bool TWindow::OnKeyDown() {
  if (Application && Application->WParam == VK_TAB) {
    FocusNext(this);
    return true;
  }
  return false;
}
