#include "screens/TOptionMenu.h"

#include "shell/TTimer.h"
#include "toolkit/Notify.h"
#include "toolkit/TWinButton.h"
#include "toolkit/TWinCheckButton.h"
#include "toolkit/TWinScroll.h"
#include "toolkit/TWinText.h"
#include "toolkit/WindowTree.h"

namespace {
constexpr int32_t kDefaultInterval = 66;
constexpr int32_t kMinInterval = 1;
constexpr int32_t kMaxInterval = 500;
}  // namespace

TOptionMenu::TOptionMenu() : TWinMenu(L"Настроки", 300, 230) {
  if (Application) {
    EditedInterval = Application->RequestedSettings.FrameInterval;
    EditedFullScreen = Application->RequestedSettings.FullScreen;
  }
  Check = new TWinCheckButton(this, this, TRect{40, 30, 220, 30}, L"Полно-экранный режим", EditedFullScreen);
  new TWinText(TRect{40, 70, 220, 30}, this, L"Время между кадрами (мс)");
  Scroll = new TWinScroll(this, this, TRect{40, 90, 220, 30});
  // Setting the range reports the clamped minimum back; keep the interval first.
  const int32_t interval = EditedInterval;
  Scroll->OnNotify(this, Scroll, kNotifyReport, kMinInterval, kMaxInterval);
  Scroll->OnNotify(this, Scroll, kNotifySetValue, interval, 0);
  new TWinButton(this, this, TRect{100, 180, 100, 30}, L"Сбросить", 3);
  new TWinButton(this, this, TRect{40, 140, 100, 30}, L"Применить", 1);
  new TWinButton(this, this, TRect{160, 140, 100, 30}, L"Отмена", 0);
}

void TOptionMenu::OnNotify(TWindow*, TWindow*, int32_t code, intptr_t p1, intptr_t p2) {
  if (code == kNotifyScrollValue) {
    EditedInterval = static_cast<int32_t>(p1);
    return;
  }
  if (code != kNotifyClick) return;
  switch (p1) {
    case 2:
      EditedFullScreen = p2 == 1;
      break;
    case 3:
      EditedInterval = kDefaultInterval;
      EditedFullScreen = false;
      Scroll->OnNotify(this, Scroll, kNotifySetValue, kDefaultInterval, 0);
      Check->OnNotify(this, Check, kNotifyReport, 0, 0);
      break;
    case 1:
      if (Application) {
        Application->SettingsChanged = true;
        Application->RequestedSettings.FrameInterval = EditedInterval;
        Application->RequestedSettings.FullScreen = EditedFullScreen;
      }
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyOptionsClosed, 1, 0);
      QueueForDeletion(this);
      break;
    case 0:
      if (RootWindow) RootWindow->OnNotify(this, RootWindow, kNotifyOptionsClosed, 0, 0);
      QueueForDeletion(this);
      break;
    default:
      break;
  }
}
