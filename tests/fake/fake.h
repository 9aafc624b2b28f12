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

using model::BitmapAlive;
using model::BitmapImage;
using model::BlockSize;
using model::CreatedWindows;
using model::Image;
using model::Info;
using model::Kind;
using model::Live;
using model::LockCount;
using model::MakeBitmap;
using model::ProfileExists;
using model::ProfileText;
using model::ResourceBytes;
using model::SetProfileText;
using model::SetScreenSize;
using model::SetVirtualScreen;
using model::TimerInfo;
using model::Timers;
using model::WindowInfo;

// Back to a fresh machine: the model's fresh process, code page 1252, tick count 0, cursor at
// (320, 240), no libraries, registry, sound device or scripts.
void Reset();

// Makes the named platform operation fail once it has succeeded `successes` more times.
void FailCall(const std::string& operation, int successes = 0);
// How often the named operation has been asked for, failed or not.
int Calls(const std::string& operation);

constexpr DWORD Rgb(BYTE red, BYTE green, BYTE blue) {
    return DWORD{red} << 16 | DWORD{green} << 8 | blue;
}

// Windows. A foreign window is one of another program, such as the page a preview runs in.
HWND MakeForeignWindow(int width, int height, const std::string& className = "ForeignWindow",
                       const std::string& title = "", HWND parent = nullptr);
void SetForeground(HWND window);
HWND Foreground();
Image Surface(HWND window); // what has been drawn on the client area

// Every rectangle drawn on a window, in order.
struct Painting {
    HWND window;
    RECT rect;
};
std::vector<Painting> Paintings();
void ClearPaintings();
// Called with each painting as it is logged, while the drawing operation is still running.
void OnPaint(std::function<void(Painting)> hook);

// Messages. Posted() is the queue as it stands; DefaultCalls() every message that reached the
// platform's default procedure, in order.
std::vector<MSG> Posted();
std::vector<MSG> PostedTo(HWND window);
std::vector<UINT> DefaultCalls();
// Called by GetMessageA whenever the queue is empty; it should post or advance time and
// return true, or return false to make GetMessageA give up (LoopStarved() then says so).
void SetIdle(std::function<bool()> idle);
bool LoopStarved();
// Dispatches every queued message, and what they post in turn.
void DispatchAll();

// Time and the cursor.
void SetTickCount(DWORD tick);
void SetCalendarTime(std::time_t seconds);
int Yields(); // Sleep(0) calls
void SetCursorPos(int x, int y);
HCURSOR CurrentCursor();
bool CursorHidden();
HCURSOR WaitCursor();

// Process.
void SetCommandLine(const std::string& commandLine);
void SetCodePage(UINT codePage); // 1252 and 932 are known
HINSTANCE Instance();

// Libraries: a name and its entries. `preloaded` libraries are in the process from the start.
void InstallLibrary(const std::string& name, std::map<std::string, FARPROC> entries,
                    bool preloaded = false);

// Registry of the current user.
void SetRegistryValue(const std::string& key, const std::string& name,
                      const std::vector<BYTE>& data);

// The saver-running notice and its switches.
bool SaverRunningNotice();
std::vector<UINT> NoticeSwitches();

// The unhandled-fault report and the filter the process installed.
void SetFaultReportVerdict(LONG verdict);
LPTOP_LEVEL_EXCEPTION_FILTER InstalledFaultFilter();

// Sound: every request in order, and whether one is still playing.
struct SoundRequest {
    const void* sound;
    UINT flags;
    bool played;
};
std::vector<SoundRequest> SoundRequests();
bool SoundPlaying();
void FinishSound();
void SetWaveDevices(UINT count);

namespace detail {
void ResetSystem();
void ResetDialogs();
} // namespace detail

} // namespace polkamoot::fake
