#pragma once
// Reading the window tree as a player reads the screen: which windows are
// open, which buttons they carry and where on the screen a window lies. Only
// reads; nothing here changes a window.

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Geometry.h"
#include "toolkit/TWindow.h"
#include "toolkit/WindowTree.h"

class TWinButton;
class TWinList;

// Every live window of the type, in construction order.
template <typename T>
std::vector<T*> LiveOf() {
  std::vector<T*> found;
  for (TWindow* window : LiveWindows) {
    if (auto* typed = dynamic_cast<T*>(window)) found.push_back(typed);
  }
  return found;
}

// The only live window of the type; null when there is none or more than one.
template <typename T>
T* OnlyLive() {
  const std::vector<T*> found = LiveOf<T>();
  return found.size() == 1 ? found.front() : nullptr;
}

bool IsLive(const TWindow* window);

// The child button of the window with this caption; null when there is none.
TWinButton* ButtonOf(const TWindow* window, const std::wstring& text);

// The screen point of a point in a window's drawing coordinates: only buffers
// start a coordinate space of their own.
TPoint OnScreen(const TWindow* window, int32_t x, int32_t y);

// The screen point in the middle of the window.
TPoint MiddleOf(const TWindow* window);

// The texts of a list's rows, in order.
std::vector<std::wstring> RowsOf(const TWinList* list);
