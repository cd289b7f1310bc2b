#pragma once
// One row of a list: a label that lights up under the mouse and with the
// focus, and tells its list code 8 when clicked (it marks itself selected
// first; the list decides whether the click selects or deselects it).

#include "toolkit/TWinText.h"

class TWinTextList : public TWinText {
 public:
  TWinTextList(const TRect& rect, TWindow* parent, TWindow* owner, const std::wstring& text);
  ~TWinTextList() override = default;

  // Paints nothing while the row is scrolled out of its list's view.
  void Draw() override;
  // A row out of view that takes the focus (Tab) is scrolled into view first.
  void GotFocus() override;
  void LostFocus() override;
  // A row out of view takes no mouse input: the rows next to the view lie
  // partly over the list's margins.
  TWindow* HitTest(TPoint point) override;
  // Only a release over the row counts as a click.
  void OnLButtonUp() override;
  void OnMouseLeave() override;
  // Tracks whether the mouse is over the row; a change only flips the flag, the
  // picture follows at the next move.
  void OnMouseMove() override;

  TWindow* Owner;
  bool Selected = false;
  bool Hover = false;

 private:
  // Whether the row is where its list shows it; a row outside a list always is.
  bool InView() const;
};
