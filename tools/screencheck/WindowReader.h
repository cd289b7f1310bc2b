#pragma once
#include "Picture.h"

// Reads what X windows show, on the display DISPLAY names.
class WindowReader {
 public:
  WindowReader();
  ~WindowReader();
  WindowReader(const WindowReader&) = delete;
  WindowReader& operator=(const WindowReader&) = delete;

  bool Connected() const { return display_ != nullptr; }
  // The window's picture as the screen shows it, children included. Empty
  // when the window does not exist (any more) or is not viewable.
  Picture Capture(unsigned long window);

 private:
  struct _XDisplay* display_ = nullptr;
};
