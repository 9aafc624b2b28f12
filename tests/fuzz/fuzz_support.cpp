#include "fuzz_support.h"

#include "animation/scene.h"
#include "animation/troupe.h"
#include "host/host.h"
#include "settings/settings_store.h"

namespace polkamoot::fuzz {

void FreshProcess() {
    fake::Reset();
    HostState = HostRecord{};
    HostState.instance = fake::Instance();
    Settings = SettingsRecord{};
    for (Bear& bear : Bears) {
        bear = Bear{};
    }
    BearCount = 0;
    ResetScene();
}

void RequireNothingHeld(const char* after) {
    using fake::Kind;
    for (Kind kind : {Kind::Dc, Kind::Bitmap, Kind::Memory, Kind::Library, Kind::Resource,
                      Kind::Key, Kind::Timer}) {
        if (fake::Live(kind) != 0) {
            std::fprintf(stderr, "%s left %d handles of kind %d\n", after, fake::Live(kind),
                         static_cast<int>(kind));
            std::abort();
        }
    }
}

} // namespace polkamoot::fuzz
