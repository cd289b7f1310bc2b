#pragma once
// The one platform header of the game. On Windows it is the system's own
// Win32 and GDI+ flat API; elsewhere it is our declaration of the same subset,
// implemented over SDL2, Cairo, Pango and libtiff in src/platform/*.cpp.
// Game code uses only the names declared here, so it compiles unchanged on both.

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <windowsx.h>
#include <mmsystem.h>
#include <objidl.h>
#include <gdiplus.h>
#else
#include "platform/WinApi.h"
#include "platform/GdiPlusFlat.h"
#endif

// The game's own types are all T-prefixed, so the GDI+ names can be brought in whole.
using namespace Gdiplus;
using namespace Gdiplus::DllExports;
