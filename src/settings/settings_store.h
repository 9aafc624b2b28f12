// The user's eight options, kept as integer keys in a private profile file, and the roster
// of bears they give the animation.
#pragma once

#include "animation/troupe.h"
#include "platform/platform.h"

#include <vector>

namespace polkamoot {

// Flags are zero for off and anything else for on; they stay as read, so a hand-edited 7
// stays 7. Only Sound is made 0 or 1.
struct SettingsRecord {
    int Red;
    int Blue;
    int Green;
    int Yellow;
    int Magenta;
    int Random;
    WORD Minutes;
    int Sound;
};
extern SettingsRecord Settings;

inline constexpr int ProfileFileSize = 13;
inline constexpr int ProfileSectionSize = 40;
extern char ProfileFile[ProfileFileSize];
extern char ProfileSection[ProfileSectionSize];

inline constexpr char KeyRed[] = "Red";
inline constexpr char KeyBlue[] = "Blue";
inline constexpr char KeyGreen[] = "Green";
inline constexpr char KeyYellow[] = "Yellow";
inline constexpr char KeyMagenta[] = "Magenta";
inline constexpr char KeyRandom[] = "Random";
inline constexpr char KeyMinutes[] = "Minutes";
inline constexpr char KeySound[] = "Sound";

// The selectable colors in troupe order: a bear's position in the roster follows this
// order, whatever the order of the keys in the file.
struct ColorSetting {
    const char* key;
    int SettingsRecord::*field;
    int colorIndex;
    int defaultValue;
};
inline constexpr ColorSetting ColorSettings[] = {
    {KeyRed, &SettingsRecord::Red, 0, 1},         {KeyBlue, &SettingsRecord::Blue, 1, 0},
    {KeyGreen, &SettingsRecord::Green, 2, 0},     {KeyYellow, &SettingsRecord::Yellow, 3, 0},
    {KeyMagenta, &SettingsRecord::Magenta, 4, 0},
};
inline constexpr int DefaultRandom = 0;
inline constexpr int DefaultMinutes = 5;
inline constexpr int DefaultSound = 0;

// Loads the profile file and section names from the string table; a missing entry leaves
// its name empty.
void LoadProfileNames();
// Reads the eight keys into Settings, then fills the roster (BearCount and the colors).
void ReadSettings();
// Stores one key as unsigned decimal text in the profile file. Returns zero when the
// platform refused the write.
BOOL WriteSetting(const char* section, const char* key, UINT value);

// A setting named from outside the profile for one run, as the Linux program's options and the
// page's address name them: the key, and the value it takes.
struct SettingOverride {
    const char* key;
    UINT value;
};
// Writes the overrides over the profile in their order, as WriteSetting does; the names of
// LoadProfileNames must be loaded. A troupe named there is the one that dances: once any color is
// named, the colors left out are off, and so is Random mode unless it is named too.
void ApplySettingOverrides(const std::vector<SettingOverride>& overrides);

// The roster the settings ask for, written into `bears` (colors only); returns the count.
// In Random mode one bear whose color is left to the scene; with no color chosen, Random is
// switched on in `settings` (not in the file).
int FillRoster(SettingsRecord& settings, Bear* bears);

} // namespace polkamoot
