#include "toolkit/TWinList.h"

#include <algorithm>

#include "graphics/DrawingObjects.h"
#include "toolkit/Notify.h"

namespace {
constexpr int32_t kRowHeight = 18;
}  // namespace

TWinList::TWinList(const TRect& rect, TWindow* parent, TWindow* owner) : TWindow(parent), Owner(owner) {
  X = rect.x;
  Y = rect.y;
  Width = rect.width;
  Rows = std::max<int32_t>(0, (rect.height - 4) / kRowHeight);
  Height = Rows * kRowHeight + 4;
  ScrollBar = new TWinScrollVert(this, this, TRect{X + Width - 37, Y + 2, 35, Height - 4});
  ScrollBar->OnNotify(this, ScrollBar, kNotifyReport, 0, ItemCount());
}

void TWinList::AddItem(const std::wstring& text) {
  new TWinTextList(TRect{X + 2, Y + 2, Width - 39, kRowHeight}, this, this, text);
  ScrollTo(First);
  const int32_t items = ItemCount();
  if (ScrollBar) ScrollBar->OnNotify(this, ScrollBar, kNotifyReport, 0, Rows > items ? 0 : items - Rows);
  Draw();
}

void TWinList::ScrollTo(int32_t position) {
  if (Children.size() > 1) {
    // Rows out of view keep positions outside the list.
    int64_t y = static_cast<int64_t>(Y) - static_cast<int64_t>(position) * kRowHeight + 2;
    for (size_t i = 1; i < Children.size(); ++i, y += kRowHeight) {
      Children[i]->Y = static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN, INT32_MAX));
    }
  }
  First = position;
  Draw();
}

bool TWinList::Shows(const TWindow* row) const {
  const auto it = std::find(Children.begin() + (Children.empty() ? 0 : 1), Children.end(), row);
  if (it == Children.end()) return false;
  const int64_t index = (it - Children.begin()) - 1;
  return index >= First && index < static_cast<int64_t>(First) + Rows;
}

void TWinList::ScrollIntoView(const TWindow* row) {
  const auto it = std::find(Children.begin() + (Children.empty() ? 0 : 1), Children.end(), row);
  if (it == Children.end() || Rows <= 0 || Shows(row)) return;
  const int32_t index = static_cast<int32_t>(it - Children.begin()) - 1;
  const int32_t position = index < First ? index : index - Rows + 1;
  if (ScrollBar) {
    // The bar answers with its value (code 2), which scrolls the rows.
    ScrollBar->OnNotify(this, ScrollBar, kNotifySetValue, position, 0);
  } else {
    ScrollTo(position);
  }
}

void TWinList::Draw() {
  TGraphics* surface = Surface();
  if (!surface) return;
  surface->DrawRectangle(PenHandle(PalettePens[kBlack]), X, Y, Width, Height);
  if (ScrollBar) ScrollBar->Draw();
  for (int64_t shown = 0, index = static_cast<int64_t>(First) + 1;
       shown < Rows && index < static_cast<int64_t>(Children.size()); ++shown, ++index) {
    if (index >= 1) Children[static_cast<size_t>(index)]->Draw();
  }
}

void TWinList::OnNotify(TWindow* sender, TWindow*, int32_t code, intptr_t p1, intptr_t) {
  if (code == kNotifyScrollValue) {
    ScrollTo(static_cast<int32_t>(p1));
    return;
  }
  if (code != kNotifyRowClicked) return;
  auto* row = dynamic_cast<TWinTextList*>(sender);
  if (!row || std::find(Children.begin(), Children.end(), sender) == Children.end()) return;
  if (row == Selected) {
    row->Selected = false;
    row->Draw();
    Selected = nullptr;
  } else {
    if (Selected) {
      Selected->Selected = false;
      Selected->Draw();
    }
    Selected = row;
  }
  Draw();
}

void TWinList::DeleteChild(TWindow* child) {
  if (std::find(Children.begin(), Children.end(), child) == Children.end()) return;
  if (child == Selected) Selected = nullptr;
  if (child == ScrollBar) ScrollBar = nullptr;
  TWindow::DeleteChild(child);
}
