// Shared by the fuzz targets: a fresh process for every input, and the leak check after it.
#pragma once

#include "fake/fake.h"

#include <cstdio>
#include <cstdlib>

namespace polkamoot::fuzz {

// Everything a saver process holds starts from nothing again.
void FreshProcess();

// Stops the run when the input left a handle behind.
void RequireNothingHeld(const char* after);

// A fuzz check that must hold for every input.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

} // namespace polkamoot::fuzz
