#pragma once
// The finish screen's text lives with the world state, which sets it when a
// queen is destroyed; this header keeps the screens' includes short.

#include "world/WorldState.h"
