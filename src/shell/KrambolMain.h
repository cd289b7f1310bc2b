#pragma once
// The program's life line, called by WinMain: starts GDI+ and the drawing
// objects, runs the application object and its message loop, and ends either
// quietly (nothing logged: returns 0) or with the "Fatal Error" box showing
// every logged line, newest first, followed by ExitProcess(0).
int KrambolMain();
