// The Linux program's command line, as xscreensaver passes it: each option with one dash or
// two. Pure functions: no platform calls.
#pragma once

#include "settings/settings_store.h"

#include <string>
#include <vector>

namespace polkamoot::sdl {

enum class Place { OwnWindow, FullScreen, Root, WindowId };

struct Options {
    std::vector<SettingOverride> settings; // as the options name them, in their order
    Place place = Place::OwnWindow;
    unsigned long windowId = 0; // for WindowId
    int scale = 0;              // 0: chosen from the display
    bool help = false;
};

inline constexpr int MaxScale = 8;

// False with a one-line message naming the option and what it takes.
bool ParseOptions(int argc, const char* const* argv, Options* options, std::string* error);

// An X window id, decimal or 0x hex; false for anything else.
bool ParseWindowId(const char* text, unsigned long* id);

// The display scale k: the one chosen, else from Xft.dpi where the resource database sets it
// (xftDpi > 0), else from the shorter side of the screen; 1 to MaxScale.
int ChooseScale(int chosen, double xftDpi, int shorterSide);

// That scale, lowered until one bear of full size fits a window of that size inside the margin
// its placement needs; at least 1, where the bears shrink instead.
int ScaleThatFits(int scale, int width, int height);

extern const char Usage[];

} // namespace polkamoot::sdl
