#pragma once
// The program's life line, called by WinMain: starts GDI+ and the drawing
// objects, runs the application object and its message loop, and ends either
// quietly (nothing logged: returns 0) or with the "Fatal Error" box showing
// every logged line, newest first, followed by ExitProcess(0).
int KrambolMain();

class TTimer;

// The same life line around the application object that in_run builds in its
// own frame and hands to RunApplication (KrambolMain's builds a TGame).
// Programs that check the life line from outside run objects of their own.
int KrambolMain(void (*in_run)());

// Creates the application object's window (its OnCreate runs inside) and runs
// the message loop until the quit message. An exception that a handler threw
// leaves here once the system call that ran the handler has returned.
void RunApplication(TTimer& in_application);
