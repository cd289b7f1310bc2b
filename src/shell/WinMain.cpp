// The Windows GUI entry point of krambol.exe.
#include "platform/Win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return 0;
}
