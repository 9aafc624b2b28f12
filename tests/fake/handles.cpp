#include "fake/fake_internal.h"

#include <map>

namespace polkamoot::fake {

namespace {

std::map<Kind, int> live;
std::uintptr_t nextHandle;
std::map<std::string, int> failures; // operation -> successes still allowed

} // namespace

std::uintptr_t detail::NewHandle(Kind kind) {
    ++live[kind];
    return 0x10000 + (++nextHandle) * 16;
}

void detail::Release(Kind kind) {
    --live[kind];
}

bool detail::ShouldFail(const char* operation) {
    auto found = failures.find(operation);
    if (found == failures.end()) {
        return false;
    }
    if (found->second > 0) {
        --found->second;
        return false;
    }
    failures.erase(found);
    return true;
}

int Live(Kind kind) {
    return live[kind];
}

void FailCall(const std::string& operation, int successes) {
    failures[operation] = successes;
}

void Reset() {
    live.clear();
    nextHandle = 0;
    failures.clear();
    detail::ResetWindows();
    detail::ResetSystem();
    detail::ResetGdi();
    detail::ResetDialogs();
    detail::ResetProfile();
}

} // namespace polkamoot::fake
