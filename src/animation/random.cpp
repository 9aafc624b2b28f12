#include "animation/random.h"

namespace polkamoot {

namespace {

DWORD sharedState;

} // namespace

int NextRandom(DWORD& state) {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & RandomMax);
}

void StartRandom(DWORD value) {
    sharedState = value;
}

int DrawRandom() {
    return NextRandom(sharedState);
}

} // namespace polkamoot
