// The platform in memory, for a backend that has no real one underneath: windows and their
// procedures, one message queue, timers, device contexts drawing on 32-bit pixel surfaces,
// bitmaps and their device-independent conversions, movable memory, the program's own compiled
// resources and private profile files held as text. It counts the handles it hands out, so that
// nothing leaks unseen; each of its files says which forms it supports.
//
// A backend over it (sdl/ for the Linux program, web/ for the page, tests/fake/ for the unit
// tests) defines the rest of platform.h, in sdl/ and web/ in files of the same names:
//   system.cpp   GetTickCount, Sleep, GetCursorPos
//   dialog.cpp   DialogBoxParamA, EndDialog, GetDlgItem, SendDlgItemMessageA, SetDlgItemInt,
//                GetDlgItemInt, IsDlgButtonChecked, EnableWindow, GetFocus, SetFocus, MessageBoxA
//   sound.cpp    sndPlaySoundA, waveOutGetNumDevs
// and the hooks at the end of this file: WaitForMessages (main.cpp), WindowPixels and Painted
// (display.cpp). What a program with no Windows beneath it lacks, standalone.cpp answers apart
// from the model for the Linux program and the page, and the fake as each test sets it up:
// GetCommandLineA, GetACP, GetCPInfo, GetModuleHandleA, LoadLibraryA, GetProcAddress,
// FreeLibrary, time, SetUnhandledExceptionFilter, UnhandledExceptionFilter, DefWindowProcA,
// RegOpenKeyA, RegQueryValueExA, RegCloseKey, SystemParametersInfoA and the hook ShouldFail.
// A backend drives the model through the functions here, and the fake reads back through them
// what the saver left.
#pragma once

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace polkamoot::model {

// Back to a fresh process: no windows, classes, timers, objects, blocks or files, every count
// zero, a 640 x 480 screen.
void Reset();

HINSTANCE Instance();

// Names the platform matches without regard to case, made comparable.
std::string Lower(std::string_view text);

// Handles counted while they live. Library and Key are counted by the backends that make them.
enum class Kind { Window, Dc, Bitmap, Memory, Resource, Timer, Library, Key, Count };
std::uintptr_t NewHandle(Kind kind);
void Release(Kind kind);
int Live(Kind kind);

// Misuse that a checked build of the platform reports, such as a context deleted while it holds
// one of the program's bitmaps: one line each, the first 64 kept across Reset() until taken.
std::vector<std::string> TakeFaults();

// Pixels 0x00RRGGBB, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Image&) const = default;
};

// Pixels as in Image, held by whoever lent them.
struct Canvas {
    int width = 0;
    int height = 0;
    DWORD* pixels = nullptr;
};

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
// A window of another program, such as the one a preview runs inside. It has no procedure of
// its own: its messages reach DefWindowProcA.
HWND AddWindow(const WindowInfo& info);
WindowInfo Info(HWND window); // kept after the window is destroyed
void SetScreenSize(int width, int height);
// The screen's density, which GetDeviceCaps answers as LOGPIXELSX; 96 until set. A backend
// that draws at an integer scale k says so as 96 k.
void SetScreenDpi(int dpi);
// Every monitor together: origin and size. Unset, the metrics answer 0, as on the systems that
// had one screen only.
void SetVirtualScreen(int x, int y, int width, int height);
void SetForeground(HWND window);
// For a backend that runs the saver again in the same process: a class is registered anew.
void UnregisterClasses();
// The platform's default window procedure: WM_CLOSE destroys, WM_SETTEXT sets the title.
LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// What has been drawn on a window's client area; null before the first drawing.
const Canvas* Surface(HWND window);
// Adds a rectangle that Painted reported to those a backend has still to show, merged into the
// first one it touches or overlaps: a bear's sprite and the strips it left become one.
void AddDamage(std::vector<RECT>& damage, const RECT& rect);

// Messages and timers.
std::vector<MSG> Queue();
// Posts WM_TIMER for every timer due by GetTickCount(); a timer already waiting in the queue
// is not posted twice, and a late one fires once, not once per period missed.
void PostDueTimers();
// Milliseconds until the next timer is due, 0 if one is; INFINITE without timers.
inline constexpr DWORD INFINITE = 0xFFFFFFFF;
DWORD TimeToNextTimer();
struct TimerInfo {
    HWND window;
    UINT_PTR id;
    UINT period;
};
std::vector<TimerInfo> Timers();

// The cursor SetCursor put in force (null: hidden), and the one LoadCursorA gives for IDC_WAIT.
HCURSOR Cursor();
HCURSOR WaitCursor();

// Bitmaps and movable memory.
HBITMAP MakeBitmap(const Image& image);
Image BitmapImage(HBITMAP bitmap); // empty when not a live bitmap
bool BitmapAlive(HBITMAP bitmap);
std::size_t BlockSize(HGLOBAL block); // 0 when not a live block
int LockCount(HGLOBAL block);

// The program's resources, as the Windows build carries them; null when there is none.
const BYTE* ResourceBytes(const char* type, const char* name, DWORD* size);
// The length of a WAVE image in memory, from its RIFF header; 0 for anything else.
DWORD WaveImageSize(const void* image);

// Private profile files, by name without regard to case.
void SetProfileText(const std::string& file, const std::string& text);
std::string ProfileText(const std::string& file); // empty when there is no file

} // namespace polkamoot::model

// What the model asks of the backend that links it.
namespace polkamoot::backend {

// Whether the named operation is to fail this time. The Linux program and the page never fail
// one; the tests fail them on purpose.
bool ShouldFail(const char* operation);

// GetMessageA found nothing to return. Wait for input, or at most `timeout` milliseconds for
// the next timer (model::INFINITE: there is none), and post what came. False: nothing will ever
// come, and GetMessageA returns a quit request of code -1.
bool WaitForMessages(DWORD timeout);

// Memory to draw a window's client area in, `width` x `height` pixels as in model::Image, that
// stays valid while the window lives; null: the model holds the pixels itself. Asked at the
// window's first drawing.
DWORD* WindowPixels(HWND window, int width, int height);

// Pixels of a window's surface changed within `rect`, which lies inside the surface.
void Painted(HWND window, const RECT& rect);

} // namespace polkamoot::backend
