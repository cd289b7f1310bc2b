#pragma once
// The one platform header of the game. On Windows it is the system's own
// Win32, Windows Sockets 2 and GDI+ flat API; elsewhere it is our declaration
// of the same subset, implemented over SDL2, Cairo, Pango, libtiff and BSD
// sockets in src/platform/*/.
// Game code uses only the names declared here, so it compiles unchanged on both.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Windows Sockets 2 comes before windows.h, which would bring the first version.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <windowsx.h>
#include <mmsystem.h>
#include <objidl.h>
#include <gdiplus.h>
#else
#include "platform/WinApi.h"
#include "platform/WinSockApi.h"
#include "platform/GdiPlusFlat.h"
#endif

// The game's own types are all T-prefixed, so the GDI+ names can be brought in whole.
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
