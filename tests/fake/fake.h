// The fake platform the unit tests run against: the shipped platform model (platform/model/)
// under the test's hands. The test drives the clock, the cursor, the calendar, the command line
// and code page, libraries, registry and sound devices, makes any operation fail, and reads back
// what the saver left: live handles, queued messages, drawings, sounds, notices. Dialogs and
// message boxes are in fake_dialog.h.
#pragma once

#include "platform/model/model.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace polkamoot::fake {

using namespace model;

// Back to a fresh machine: the model's fresh process, code page 1252, tick count 0, cursor at
// (320, 240), no libraries, registry, sound device or scripts.
void Reset();

// Makes the named operation fail once it has succeeded `successes` more times.
void FailCall(const std::string& operation, int successes = 0);
int Calls(const std::string& operation); // asked for, failed or not

constexpr DWORD Rgb(BYTE red, BYTE green, BYTE blue) {
    return DWORD{red} << 16 | DWORD{green} << 8 | blue;
}

// A window of another program, such as the page a preview runs in.
HWND MakeForeignWindow(int width, int height, const std::string& className = "ForeignWindow",
                       const std::string& title = "", HWND parent = nullptr);
Image Surface(HWND window); // what has been drawn on the client area
inline bool CursorHidden() {
    return Cursor() == nullptr;
}

// Every rectangle drawn on a window, in order; the hook sees each while it is drawn.
struct Painting {
    HWND window;
    RECT rect;
};
std::vector<Painting> Paintings();
void ClearPaintings();
void OnPaint(std::function<void(Painting)> hook);

// The queue as it stands for one window, and every message the default procedure got.
std::vector<MSG> PostedTo(HWND window);
std::vector<UINT> DefaultCalls();
// Called by GetMessageA whenever nothing is queued: it posts or moves time and returns true,
// or returns false, and GetMessageA gives up (LoopStarved then says so).
void SetIdle(std::function<bool()> idle);
bool LoopStarved();

void SetTickCount(DWORD tick);
void SetCalendarTime(std::time_t seconds);
int Yields(); // Sleep(0) calls
void SetCursorPos(int x, int y);
void SetCommandLine(const std::string& commandLine);
void SetCodePage(UINT codePage); // 1252 and 932 are known

// Libraries by name and entries; `preloaded` ones are in the process from the start.
void InstallLibrary(const std::string& name, std::map<std::string, FARPROC> entries,
                    bool preloaded = false);
void SetRegistryValue(const std::string& key, const std::string& name,
                      const std::vector<BYTE>& data); // of the current user
std::vector<UINT> NoticeSwitches();                   // the saver-running notice, in order
void SetFaultReportVerdict(LONG verdict);
LPTOP_LEVEL_EXCEPTION_FILTER InstalledFaultFilter();

// Every sound request in order; a sound plays until FinishSound.
struct SoundRequest {
    const void* sound;
    UINT flags;
    bool played;
};
std::vector<SoundRequest> SoundRequests();
void FinishSound();
void SetWaveDevices(UINT count);

namespace detail {
void ResetSystem();
void ResetDialogs();
} // namespace detail

} // namespace polkamoot::fake
