// The process's one random generator. Every random choice of the animation is a draw taken
// modulo some n, in an order the tests reproduce, so the generator is fixed: a 32-bit linear
// congruential step, yielding bits 16 to 30.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

inline constexpr int RandomMax = 32767;

// One step of `state`; a value from 0 to RandomMax.
int NextRandom(DWORD& state);

// The shared generator: set its state, then draw from it.
void StartRandom(DWORD value);
int DrawRandom();

} // namespace polkamoot
