#pragma once
// The program's life line, called by WinMain: starts GDI+ and the drawing
// objects, runs the application object and its message loop, and ends either
// quietly (nothing logged: returns 0) or with the "Fatal Error" box showing
// every logged line, newest first, followed by ExitProcess(0).

#include <memory>

class TGame;

// The game's run: its application object is a TGame.
int KrambolMain();

// The same life line for any program built on the shell. in_makeApplication
// constructs the application object (called once GDI+ and the drawing objects
// exist); in_unexpectedStop is the CP1251 line logged when an exception ends
// the run without a log line of its own.
int RunApplication(std::unique_ptr<TGame> (*in_makeApplication)(), const char* in_unexpectedStop);
