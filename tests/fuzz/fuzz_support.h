// Shared by the fuzz targets: a fresh process for every input, and the checks that stop a run.
#pragma once

#include "fake/fake.h"
#include "host/host.h"

#include <cstdio>
#include <cstdlib>

namespace polkamoot::fuzz {

inline void FreshProcess() {
    fake::Reset();
    HostState = HostRecord{};
    HostState.instance = fake::Instance();
}

inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// Windows aside, no handle outlives the input, and the platform saw no misuse.
inline void RequireNothingHeld(const char* after) {
    for (int kind = int(fake::Kind::Window) + 1; kind < int(fake::Kind::Count); ++kind) {
        Require(fake::Live(fake::Kind(kind)) == 0, after);
    }
    Require(fake::TakeComplaints().empty(), after);
}

} // namespace polkamoot::fuzz
