#pragma once
// Builds the screen a request names: 0 the menu screen, 1 the game screen, 2 the
// finish screen. Building a screen replaces the current one; any other kind
// builds nothing.

#include <cstdint>

void BuildScreen(int32_t kind);
