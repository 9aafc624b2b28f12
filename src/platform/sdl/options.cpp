#include "platform/sdl/options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace polkamoot::sdl {

namespace {

// The options that switch a setting on.
struct Switch {
    const char* name;
    const char* key;
};
constexpr Switch Switches[] = {
    {"red", KeyRed},         {"blue", KeyBlue},     {"green", KeyGreen}, {"yellow", KeyYellow},
    {"magenta", KeyMagenta}, {"random", KeyRandom}, {"sound", KeySound}};

bool ParseNumber(const char* text, int base, unsigned long* value) {
    if (!text || !*text || *text == '-' || *text == '+' ||
        std::isspace(static_cast<unsigned char>(*text))) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    *value = std::strtoul(text, &end, base);
    return errno == 0 && *end == '\0';
}

// A preview may come with -root and -window-id both: the named window wins.
bool SetPlace(Options* options, Place place, std::string* error) {
    bool fullScreen = place == Place::FullScreen || options->place == Place::FullScreen;
    if (fullScreen && options->place != Place::OwnWindow && options->place != place) {
        *error = "-fullscreen goes with neither -root nor -window-id";
        return false;
    }
    if (options->place != Place::WindowId) {
        options->place = place;
    }
    return true;
}

} // namespace

const char Usage[] =
    "Usage: polkamoot [option]...\n"
    "Dancing bears on a black screen. Every option takes one dash or two.\n"
    "  -red -blue -green -yellow -magenta\n"
    "                  the bears that dance (none: one red bear)\n"
    "  -random         one bear, changing its coloring every few minutes\n"
    "  -minutes N      minutes between the changes, 1 to 60 (5 when not given)\n"
    "  -sound          the bears cry out when they meet an edge\n"
    "  -root           draw on the window in XSCREENSAVER_WINDOW, or on the root window\n"
    "  -window-id ID   draw into that X window (decimal or 0x hex)\n"
    "  -fullscreen     cover the screen; a key, a button or moving the mouse ends it\n"
    "  -scale N        the bears N times their size, 1 to 8 (when not given: Xft.dpi\n"
    "                  / 96, else the screen's shorter side / 1080, rounded); less\n"
    "                  where the window has no room for one bear that large\n"
    "  --help          list the options and end\n"
    "Without a window option the bears dance in a window of their own, which Escape,\n"
    "q or closing it ends.\n";

bool ParseWindowId(const char* text, unsigned long* id) {
    bool hex = text && (std::strncmp(text, "0x", 2) == 0 || std::strncmp(text, "0X", 2) == 0);
    return text && ParseNumber(hex ? text + 2 : text, hex ? 16 : 10, id) && *id != 0;
}

bool ParseOptions(int argc, const char* const* argv, Options* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* name = arg[0] == '-' ? arg + (arg[1] == '-' ? 2 : 1) : "";
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        auto on = std::find_if(std::begin(Switches), std::end(Switches),
                               [name](const Switch& s) { return std::strcmp(name, s.name) == 0; });
        if (on != std::end(Switches)) {
            options->settings.push_back({on->key, 1});
        } else if (std::strcmp(name, "help") == 0) {
            options->help = true;
        } else if (std::strcmp(name, "minutes") == 0) {
            unsigned long minutes = 0;
            if (!ParseNumber(value, 10, &minutes) || minutes < 1 || minutes > 60) {
                *error = "-minutes takes a whole number from 1 to 60";
                return false;
            }
            options->settings.push_back({KeyMinutes, static_cast<UINT>(minutes)});
            ++i;
        } else if (std::strcmp(name, "scale") == 0) {
            unsigned long scale = 0;
            if (!ParseNumber(value, 10, &scale) || scale < 1 || scale > MaxScale) {
                *error = "-scale takes a whole number from 1 to 8";
                return false;
            }
            options->scale = static_cast<int>(scale);
            ++i;
        } else if (std::strcmp(name, "window-id") == 0) {
            if (!ParseWindowId(value, &options->windowId)) {
                *error = "-window-id takes an X window id, decimal or 0x hex";
                return false;
            }
            if (!SetPlace(options, Place::WindowId, error)) {
                return false;
            }
            ++i;
        } else if (std::strcmp(name, "root") == 0 || std::strcmp(name, "fullscreen") == 0) {
            if (!SetPlace(options, name[0] == 'r' ? Place::Root : Place::FullScreen, error)) {
                return false;
            }
        } else {
            *error = std::string("unknown option ") + arg + " (--help lists them)";
            return false;
        }
    }
    return true;
}

// A screen of 1080 rows, or 96 dots an inch, is the one the bears were drawn for; halves round up.
int ChooseScale(int chosen, double xftDpi, int shorterSide) {
    if (chosen > 0) {
        return chosen;
    }
    int scale = xftDpi > 0 ? static_cast<int>(std::min(xftDpi / 96 + 0.5, 1e3))
                           : (std::max(shorterSide, 0) + 540) / 1080;
    return std::clamp(scale, 1, MaxScale);
}

// A larger scale would leave less room than a sprite and shrink the bears: smaller, not larger.
int ScaleThatFits(int scale, int width, int height) {
    constexpr int SpriteWidth = 148, SpriteHeight = 127, Margin = 2;
    return std::max(
        1, std::min({scale, width / (SpriteWidth + Margin), height / (SpriteHeight + Margin)}));
}

} // namespace polkamoot::sdl
