// Any text as the profile file gives one to five bears, in the order of their colors.
#include "fuzz_support.h"

#include "settings/settings_store.h"

#include <string>

using namespace polkamoot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshProcess();
    fake::machine.waveDevices = size % 2;
    fake::SetProfileText("control.ini", std::string(reinterpret_cast<const char*>(data), size));
    LoadProfileNames();
    ReadSettings();
    fuzz::Require(BearCount >= 1 && BearCount <= MaxBears, "one to five bears");
    fuzz::Require(Settings.Sound == 0 || Settings.Sound == 1, "sound is 0 or 1");
    for (int i = 1; !Settings.Random && i < BearCount; ++i) {
        fuzz::Require(Bears[i - 1].colorIndex < Bears[i].colorIndex && Bears[i].colorIndex < 5,
                      "settable colors in their order");
    }
    fuzz::RequireNothingHeld("reading");
    return 0;
}
