#pragma once
// The base of every menu: a modal framed buffer window centred on the desktop,
// showing the active frame while the focus is inside it and the inactive one
// otherwise. Menus add their widgets as children, in the menu's own
// coordinates, and close by queueing themselves for deletion.

#include <cstdint>
#include <string>

#include "toolkit/TFrameRect.h"
#include "toolkit/TWindowBuffer.h"

class TWinMenu : public TWindowBuffer, public TFrameRect {
 public:
  // Centred on the current desktop; makes itself the input root.
  TWinMenu(const std::wstring& title, int32_t width, int32_t height);
  ~TWinMenu() override = default;

  // When dirty: the frame and the children into the bitmap. Then the bitmap
  // onto the desktop.
  void Draw() override;
  // Ignores the new screen size except to centre the menu on the desktop again.
  void SetSize(int32_t width, int32_t height) override;

  std::wstring Title;

 private:
  // The rectangle of the given size centred on the current desktop.
  static TRect Centred(int32_t width, int32_t height);
};
