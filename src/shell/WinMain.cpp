// The GUI entry point of the game. No command line is read.
#include "platform/Win32.h"
#include "shell/KrambolMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return KrambolMain(); }
