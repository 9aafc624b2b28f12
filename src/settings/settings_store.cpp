#include "settings/settings_store.h"

#include "host/host.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace polkamoot {

SettingsRecord Settings;
char ProfileFile[ProfileFileSize];
char ProfileSection[ProfileSectionSize];

namespace {

int ReadKey(const char* key, int defaultValue) {
    return static_cast<int>(GetPrivateProfileIntA(ProfileSection, key, defaultValue, ProfileFile));
}

bool Named(const std::vector<SettingOverride>& overrides, const char* key) {
    return std::any_of(overrides.begin(), overrides.end(), [key](const SettingOverride& named) {
        return std::strcmp(named.key, key) == 0;
    });
}

} // namespace

void LoadProfileNames() {
    ProfileFile[0] = '\0';
    ProfileSection[0] = '\0';
    LoadStringA(HostState.instance, IDS_PROFILE_FILE, ProfileFile, ProfileFileSize);
    LoadStringA(HostState.instance, IDS_PROFILE_SECTION, ProfileSection, ProfileSectionSize);
}

void ReadSettings() {
    for (const ColorSetting& color : ColorSettings) {
        Settings.*color.field = ReadKey(color.key, color.defaultValue);
    }
    Settings.Random = ReadKey(KeyRandom, DefaultRandom);
    Settings.Minutes = static_cast<WORD>(ReadKey(KeyMinutes, DefaultMinutes));
    // Ask for a device only when sound is wanted.
    Settings.Sound = ReadKey(KeySound, DefaultSound) != 0 && waveOutGetNumDevs() != 0 ? 1 : 0;
    BearCount = FillRoster(Settings, Bears);
}

int FillRoster(SettingsRecord& settings, Bear* bears) {
    if (settings.Random) {
        return 1;
    }
    int count = 0;
    for (const ColorSetting& color : ColorSettings) {
        if (settings.*color.field) {
            bears[count++].colorIndex = color.colorIndex;
        }
    }
    if (count == 0) {
        settings.Random = 1;
        count = 1;
    }
    return count;
}

void ApplySettingOverrides(const std::vector<SettingOverride>& overrides) {
    std::vector<SettingOverride> all = overrides;
    bool troupeNamed =
        std::any_of(std::begin(ColorSettings), std::end(ColorSettings),
                    [&](const ColorSetting& color) { return Named(overrides, color.key); });
    if (troupeNamed) {
        for (const ColorSetting& color : ColorSettings) {
            if (!Named(overrides, color.key)) {
                all.push_back({color.key, 0});
            }
        }
        if (!Named(overrides, KeyRandom)) {
            all.push_back({KeyRandom, 0});
        }
    }
    for (const SettingOverride& setting : all) {
        WriteSetting(ProfileSection, setting.key, setting.value);
    }
}

BOOL WriteSetting(const char* section, const char* key, UINT value) {
    return WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), ProfileFile);
}

} // namespace polkamoot
