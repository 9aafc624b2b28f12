// The fake platform the unit tests run against: the shipped platform model (platform/model/)
// under the test's hands. The test sets up the machine (clock, cursor, calendar, command line,
// code page, libraries, registry, sound devices), makes any operation fail, and reads back what
// the saver left: live handles, queued messages, drawings, sounds, notices. Dialogs and message
// boxes are in fake_dialog.h.
#pragma once

#include "platform/model/model.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace polkamoot::fake {

using namespace model;

struct Painting {
    HWND window;
    RECT rect;
};

struct SoundRequest {
    const void* sound;
    UINT flags;
    bool played;
};

// Its handle is the address of its record.
struct Library {
    std::map<std::string, FARPROC> entries;
    bool preloaded = false; // in the process from the start
    int references = 0;
};

// What the test sets up and reads back; Reset() makes a fresh one.
struct Machine {
    std::string commandLine = "polkamoot.scr";
    UINT codePage = 1252; // 932 is known too
    DWORD tick = 0;       // Sleep moves it too
    int yields = 0;       // Sleep(0) calls
    std::time_t calendarTime = 0;
    POINT cursor{320, 240};
    // Called by GetMessageA whenever nothing is queued: posts or moves time and returns true, or
    // returns false, and GetMessageA gives up with `starved` set.
    std::function<bool()> idle;
    bool starved = false;
    std::map<std::string, int> failures; // successes still allowed before one failure
    std::map<std::string, int> calls;    // by operation, failed or not
    std::vector<UINT> defaultCalls;      // messages that reached the default procedure
    std::vector<Painting> paintings;     // every rectangle drawn on a window
    std::function<void(Painting)> onPaint;
    std::map<std::string, Library> libraries;
    std::map<std::string, std::map<std::string, std::vector<BYTE>>> registry; // key, value
    std::map<HKEY, std::string> openKeys;
    std::vector<UINT> noticeSwitches; // the saver-running notice
    LONG faultVerdict = EXCEPTION_EXECUTE_HANDLER;
    LPTOP_LEVEL_EXCEPTION_FILTER faultFilter = nullptr;
    std::vector<SoundRequest> sounds;
    bool soundPlaying = false; // until the test says it ended
    UINT waveDevices = 0;
};
extern Machine machine;

// Back to a fresh machine and a fresh model.
void Reset();

// Makes the named operation fail once it has succeeded `successes` more times.
inline void FailCall(const std::string& operation, int successes = 0) {
    machine.failures[operation] = successes;
}

// What the test must fail on: every failure asked and never reached, and every fault the model
// reported; across Reset() too. Taking them clears them.
std::vector<std::string> TakeComplaints();

constexpr DWORD Rgb(BYTE red, BYTE green, BYTE blue) {
    return DWORD{red} << 16 | DWORD{green} << 8 | blue;
}

// A window of another program, such as the page a preview runs in.
HWND MakeForeignWindow(int width, int height, const std::string& className = "ForeignWindow",
                       const std::string& title = "", HWND parent = nullptr);
Image Surface(HWND window); // what has been drawn on the client area
std::vector<MSG> PostedTo(HWND window);
inline bool CursorHidden() {
    return Cursor() == nullptr;
}

namespace detail {
void ResetDialogs();
} // namespace detail

} // namespace polkamoot::fake
