#pragma once
// A static label: its text centred at the top of a light rectangle. It takes
// the focus like any window but handles no key, so Tab goes on to its parent.

#include <string>

#include "toolkit/TWindow.h"

class TWinText : public TWindow {
 public:
  TWinText(const TRect& rect, TWindow* parent, const std::wstring& text);
  ~TWinText() override = default;

  void Draw() override;
  // Labels keep their size.
  void SetSize(int32_t, int32_t) override {}
  // Never handled.
  bool OnKeyDown() override { return false; }

  std::wstring Text;
};
