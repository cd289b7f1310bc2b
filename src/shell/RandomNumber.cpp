#include "shell/RandomNumber.h"

namespace {
uint32_t State = 1;
}

void SeedRandomNumber(uint32_t seed) { State = seed; }

int RandomNumber() {
  State = State * 214013u + 2531011u;
  return static_cast<int>((State >> 16) & 0x7FFF);
}

uint32_t RandomNumberState() { return State; }
