// The GUI entry point of the versus program, with its command line.
#include "platform/Win32.h"
#include "shell/TWndDirect.h"
#include "versus/TVersusApp.h"

// The program's window class exists before the entry point runs.
static const TWindowClassRegistration WindowClassRegistration(kVersusWindowClassName);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR in_commandLine, int) { return VersusMain(in_commandLine); }
