#pragma once
// The one pseudo-random generator, seeded at start-up and used only by combat.
// The same linear congruence on every system: state = state x 214013 + 2531011
// (mod 2^32); each draw is bits 16 to 30 of the new state, 0 to 32767.

#include <cstdint>

void SeedRandomNumber(uint32_t seed);
int RandomNumber();
// The state as it is now, changing nothing: for checks that follow the dice
// from outside, such as the autoplay's.
uint32_t RandomNumberState();
