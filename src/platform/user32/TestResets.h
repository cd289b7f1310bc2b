#pragma once
// Internal to the platform layer: how the libraries built on the window system
// (the drawing library) take part in PlatformTest::Reset without the window
// system depending on them. A library adds its reset when it first takes state
// that a fresh process would not have; Reset runs every one added, in order.

#ifndef _WIN32

namespace TestResets {

// Adds reset to what PlatformTest::Reset runs; adding it again does nothing.
void Add(void (*reset)());

}  // namespace TestResets

#endif
