#include "screens/ScreenFactory.h"

#include "screens/TFinishDesktop.h"
#include "screens/TGameDesktop.h"
#include "screens/TMenuDesktop.h"

void BuildScreen(int32_t kind) {
  // Each desktop replaces the current one and registers itself as the root.
  switch (kind) {
    case 0:
      new TMenuDesktop();
      break;
    case 1:
      new TGameDesktop();
      break;
    case 2:
      new TFinishDesktop();
      break;
    default:
      break;
  }
}
