// Handle counts and the fresh start of the whole model.
#include "platform/model/model_internal.h"

#include <utility>

namespace polkamoot::model {

namespace {

int live[static_cast<int>(Kind::Count)];
std::uintptr_t nextHandle;
// Not reset: a test that resets the model still hears of them. A long run that nobody asks keeps
// the first few only.
std::vector<std::string> faults;
constexpr std::size_t FaultsKept = 64;

} // namespace

std::uintptr_t NewHandle(Kind kind) {
    ++live[static_cast<int>(kind)];
    return 0x10000 + (++nextHandle) * 16;
}

void Release(Kind kind) {
    --live[static_cast<int>(kind)];
}

int Live(Kind kind) {
    return live[static_cast<int>(kind)];
}

void detail::Fault(std::string what) {
    if (faults.size() < FaultsKept) {
        faults.push_back(std::move(what));
    }
}

std::vector<std::string> TakeFaults() {
    return std::exchange(faults, {});
}

HINSTANCE Instance() {
    return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});
}

void Reset() {
    for (int& count : live) {
        count = 0;
    }
    nextHandle = 0;
    detail::ResetWindows();
    detail::ResetGdi();
    detail::ResetMemory();
    detail::ResetResources();
    detail::ResetProfiles();
}

} // namespace polkamoot::model
