#include "screens/ScreenFactory.h"

#include "toolkit/TDesktop.h"

void BuildScreen(int32_t kind) {
  switch (kind) {
    case 0:
      // FIXME: the menu screen with its main menu; a plain white desktop until then.
      new TDesktop();
      break;
    default:
      // FIXME: the game and finish screens.
      break;
  }
}
