// The GUI entry point of the game. No command line is read.
#include "platform/Win32.h"
#include "shell/KrambolMain.h"
#include "shell/TWndDirect.h"

// The game's window class exists before the entry point runs.
static const TWindowClassRegistration WindowClassRegistration(kWindowClassName);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return KrambolMain(); }
