// The GUI entry point of the map editor. No command line is read.
#include "editor/TEditorApp.h"
#include "platform/Win32.h"
#include "shell/TWndDirect.h"

// The editor's window class exists before the entry point runs.
static const TWindowClassRegistration WindowClassRegistration(kEditorWindowClassName);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return EditorMain(); }
