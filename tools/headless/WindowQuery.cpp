#include "headless/WindowQuery.h"

#include <algorithm>

#include "toolkit/TWinButton.h"
#include "toolkit/TWinList.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/TWindowBuffer.h"

bool IsLive(const TWindow* window) {
  return std::find(LiveWindows.begin(), LiveWindows.end(), window) != LiveWindows.end();
}

TWinButton* ButtonOf(const TWindow* window, const std::wstring& text) {
  if (!window) return nullptr;
  for (TWindow* child : window->Children) {
    auto* button = dynamic_cast<TWinButton*>(child);
    if (button && button->Text == text) return button;
  }
  return nullptr;
}

TPoint OnScreen(const TWindow* window, int32_t x, int32_t y) {
  for (const TWindow* w = window->Parent; w; w = w->Parent) {
    if (dynamic_cast<const TWindowBuffer*>(w)) {
      x += w->X;
      y += w->Y;
    }
  }
  return TPoint{x, y};
}

TPoint MiddleOf(const TWindow* window) {
  return OnScreen(window, window->X + window->Width / 2, window->Y + window->Height / 2);
}

std::vector<std::wstring> RowsOf(const TWinList* list) {
  std::vector<std::wstring> rows;
  if (!list) return rows;
  for (TWindow* child : list->Children) {
    if (auto* row = dynamic_cast<TWinTextList*>(child)) rows.push_back(row->Text);
  }
  return rows;
}
