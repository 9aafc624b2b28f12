// Any text as the profile file: the roster is always one to five bears in their colors, and
// whatever the dialog then saves reads back as it was shown.
#include "fuzz_support.h"

#include "fake/fake.h"
#include "fake/fake_dialog.h"
#include "host/host.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace polkamoot;

namespace {

void RequireRoster() {
    fuzz::Require(BearCount >= 1 && BearCount <= MaxBears, "one to five bears");
    fuzz::Require(Settings.Sound == 0 || Settings.Sound == 1, "sound is 0 or 1");
    if (Settings.Random) {
        fuzz::Require(BearCount == 1, "random mode shows one bear");
        return;
    }
    for (int i = 0; i < BearCount; ++i) {
        fuzz::Require(Bears[i].colorIndex >= 0 && Bears[i].colorIndex <= 4, "a settable color");
        fuzz::Require(i == 0 || Bears[i - 1].colorIndex < Bears[i].colorIndex, "color order");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshProcess();
    fake::SetWaveDevices(size % 2);
    fake::SetProfileText("control.ini", std::string(reinterpret_cast<const char*>(data), size));
    LoadProfileNames();
    ReadSettings();
    RequireRoster();

    SettingsRecord shown{};
    fake::SetDialogScript([&shown](HWND dialog) {
        shown.Random = static_cast<int>(fake::Control(dialog, IDC_RANDOM).check);
        shown.Red = static_cast<int>(fake::Control(dialog, IDC_RED).check);
        shown.Sound = static_cast<int>(fake::Control(dialog, IDC_SOUND).check);
        fake::PressEnter(dialog);
        if (!fake::DialogEnded(dialog)) {
            fake::PressEscape(dialog);
        }
    });
    if (RunConfigure(nullptr) == 1) {
        LoadProfileNames();
        ReadSettings();
        RequireRoster();
        fuzz::Require(Settings.Random == shown.Random && Settings.Red == shown.Red &&
                          Settings.Sound == shown.Sound,
                      "saved settings read back as shown");
        fuzz::Require(Settings.Minutes >= 1 && Settings.Minutes <= 60, "saved minutes 1 to 60");
    }
    fuzz::RequireNothingHeld("the dialog");
    return 0;
}
