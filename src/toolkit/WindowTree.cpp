#include "toolkit/WindowTree.h"

#include <algorithm>

#include "shell/ErrorLog.h"
#include "toolkit/TWindow.h"

std::vector<TWindow*> LiveWindows;
std::vector<TWindow*> FrameUpdates;
std::vector<TWindow*> DeleteQueue;
std::vector<TWindow*> FocusPath;
TWindow* RootWindow = nullptr;
TWindow* InputRoot = nullptr;
TWindow* PointerWindow = nullptr;
TWindow* LastPointerWindow = nullptr;

void QueueForDeletion(TWindow* window) {
  if (std::find(DeleteQueue.begin(), DeleteQueue.end(), window) == DeleteQueue.end())
    DeleteQueue.push_back(window);
}

bool IsClosing(const TWindow* window) {
  if (DeleteQueue.empty()) return false;
  for (const TWindow* w = window; w; w = w->Parent) {
    if (std::find(DeleteQueue.begin(), DeleteQueue.end(), w) != DeleteQueue.end()) return true;
  }
  return false;
}

void FocusNext(TWindow* window) {
  const auto& children = window->Children;
  for (size_t k = 0; k < children.size(); ++k) {
    auto at = std::find(FocusPath.begin(), FocusPath.end(), children[k]);
    if (at == FocusPath.end()) continue;
    children[k]->LostFocus();
    TWindow* next = children[(k + 1) % children.size()];
    // LostFocus may have changed the path; find the entry again before replacing it.
    at = std::find(FocusPath.begin(), FocusPath.end(), children[k]);
    if (at != FocusPath.end()) *at = next;
    next->GotFocus();
    return;
  }
  if (!children.empty()) {
    TWindow* first = children.front();
    first->GotFocus();
    FocusPath.push_back(first);
  }
}

void RunFrameStep() {
  if (!RootWindow) return;
  // Update may create windows (they join the end of the list and are updated
  // this frame too); indices keep that safe.
  for (size_t i = 0; i < FrameUpdates.size(); ++i) FrameUpdates[i]->Update();
  if (RootWindow) RootWindow->Draw();
  while (!DeleteQueue.empty()) delete DeleteQueue.front();
}

void TearDownWindowTree() {
  if (RootWindow) {
    delete RootWindow;
    RootWindow = nullptr;
  }
  while (!LiveWindows.empty()) {
    LogError("Найдено не удалённое окошко!");
    delete LiveWindows.front();
  }
}
