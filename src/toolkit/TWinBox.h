#pragma once
// A message box with an "Ok" button centred near its bottom edge, which has the
// focus (so Enter answers it). Pressing anywhere else on the box and moving the
// mouse drags the box, button and all.

#include "toolkit/TWinBoxTemp.h"

class TWinBox : public TWinBoxTemp {
 public:
  // Leaves the modal scope alone: whoever wants the box modal makes it the
  // input root right after constructing it.
  TWinBox(const TRect& rect, const std::wstring& title, const std::wstring& text);
  ~TWinBox() override = default;

  // With the left button held, moves the box by the mouse movement.
  void OnMouseMove() override;
};
