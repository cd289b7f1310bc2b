#pragma once
// A scrolling list of text rows with an upright scroll bar inside its right
// edge. Its height is trimmed to whole rows of 18 pixels plus a 2-pixel margin
// above and below. A click on a row selects it, a second click deselects it;
// at most one row is selected, and the owner reads it from Selected.

#include <cstdint>
#include <string>

#include "toolkit/TWinScrollVert.h"
#include "toolkit/TWinTextList.h"
#include "toolkit/TWindow.h"

class TWinList : public TWindow {
 public:
  TWinList(const TRect& rect, TWindow* parent, TWindow* owner);
  ~TWinList() override = default;

  // Outlines the list, then draws the scroll bar and the visible rows.
  void Draw() override;
  // Lists keep their size.
  void SetSize(int32_t, int32_t) override {}
  // Code 2 from the scroll bar scrolls; code 8 from a row selects or deselects it.
  void OnNotify(TWindow* sender, TWindow* receiver, int32_t code, intptr_t p1, intptr_t p2) override;
  // Forgets the selected row or the scroll bar when it is the child deleted.
  void DeleteChild(TWindow* child) override;

  // Appends a row and gives the scroll bar the range of first-row positions.
  void AddItem(const std::wstring& text);
  // Makes the row at the index the first visible one and repaints.
  void ScrollTo(int32_t position);

  // Whether the child is one of the rows in view: the `Rows` rows from First on.
  bool Shows(const TWindow* row) const;
  // Scrolls the fewest rows that bring the row into view, through the scroll
  // bar so that it shows the new position. Nothing when it is in view already
  // or no row fits the list.
  void ScrollIntoView(const TWindow* row);

  // The rows, in the order they were added (the scroll bar is not among them).
  int32_t ItemCount() const { return static_cast<int32_t>(Children.size()) - 1; }

  TWinTextList* Selected = nullptr;
  // Rows visible at once.
  int32_t Rows = 0;
  // Index of the first visible row.
  int32_t First = 0;
  // The first child, owned through the children list.
  TWinScrollVert* ScrollBar = nullptr;
  // Stored for the owner; the list does not use it.
  TWindow* Owner;
};
