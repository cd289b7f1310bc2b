// The process entry on hosts without Windows: hands over to the executable's
// WinMain exactly as the Windows loader would, with no command line.
#include "platform/Win32.h"

int main() {
  char commandLine[] = "";
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
}
