// Handle counts, the fresh start of the whole model, and the little helpers its files and its
// backends share.
#include "platform/model/model_internal.h"

#include <algorithm>
#include <cctype>
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

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
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

void AddDamage(std::vector<RECT>& damage, const RECT& rect) {
    for (RECT& other : damage) {
        if (rect.left <= other.right && other.left <= rect.right && rect.top <= other.bottom &&
            other.top <= rect.bottom) {
            other = RECT{std::min(other.left, rect.left), std::min(other.top, rect.top),
                         std::max(other.right, rect.right), std::max(other.bottom, rect.bottom)};
            return;
        }
    }
    damage.push_back(rect);
}

} // namespace polkamoot::model
