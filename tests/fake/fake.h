// The fake platform the unit tests run against: one thread, one message queue, windows with
// procedures, timers and a clock driven by the test, scripted cursor, registry, libraries and
// code page, the product's own resources, and counters of every handle made and released.
// Graphics and memory are in fake_gdi.h; dialogs, message boxes and the profile file in
// fake_dialog.h and fake_profile.h.
#pragma once

#include "platform/platform.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace polkamoot::fake {

// Back to a fresh machine: no windows, timers, files, keys or libraries; a 640 x 480 screen,
// code page 1252, tick count 0, cursor at (320, 240); every counter zero.
void Reset();

// Handles the saver makes and must give back, counted while they live.
enum class Kind { Window, Dc, Bitmap, Palette, Memory, Library, Resource, Key, Timer };
int Live(Kind kind);

// Makes the named platform operation fail once it has succeeded `successes` more times.
void FailCall(const std::string& operation, int successes = 0);

// Windows.
struct WindowInfo {
    std::string className;
    std::string title;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    bool alive = false;
};
WindowInfo Info(HWND window);
std::vector<HWND> CreatedWindows();
// A window of another program, such as the settings page that hosts a preview.
HWND MakeForeignWindow(int width, int height, const std::string& className = "ForeignWindow",
                       const std::string& title = "", HWND parent = nullptr);
void SetScreenSize(int width, int height);
void SetVirtualScreen(int x, int y, int width, int height);
void SetForeground(HWND window);
HWND Foreground();

// Messages. Posted() is the queue as it stands; DefaultCalls() every message that reached the
// platform's default procedure, in order.
std::vector<MSG> Posted();
std::vector<MSG> PostedTo(HWND window);
std::vector<UINT> DefaultCalls();
// Called by GetMessageA whenever the queue is empty; it should post or advance time and
// return true, or return false to make GetMessageA give up (LoopStarved() then says so).
void SetIdle(std::function<bool()> idle);
bool LoopStarved();
// Dispatches every queued message except the quit request, and what they post in turn.
void DispatchAll();

// Time, timers and the cursor.
void SetTickCount(DWORD tick);
void AdvanceTime(DWORD milliseconds); // posts WM_TIMER for every timer that falls due
void SetCalendarTime(std::time_t seconds);
struct TimerInfo {
    HWND window;
    UINT_PTR id;
    UINT period;
};
std::vector<TimerInfo> Timers();
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
int LoadCount(const std::string& name); // LoadLibraryA calls that found it

// Registry of the current user.
void SetRegistryValue(const std::string& key, const std::string& name,
                      const std::vector<BYTE>& data);

// The saver-running notice and its switches.
bool SaverRunningNotice();
std::vector<UINT> NoticeSwitches();

// The unhandled-fault report and the filter the process installed.
void SetFaultReportVerdict(LONG verdict);
int FaultReports();
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

// The product's resources, as the Windows build carries them.
const BYTE* ResourceBytes(const char* type, const char* name, DWORD* size);

} // namespace polkamoot::fake
