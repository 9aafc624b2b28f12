// Shared by the end-to-end test drivers: Win32 programs that look at and act on the saver's
// windows from outside, as the system and the user would, and print what they find as lines
// of key=value words (values percent-encoded).
#pragma once

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace driver {

// A command of the driver, registered by its file: `e2e_driver.exe <name> <args...>`.
using Handler = int (*)(int argc, char** argv);
struct Command {
    Command(const char* name, Handler handler);
};

std::string Encode(const std::string& text);
std::string ClassName(HWND window);
std::string WindowText(HWND window); // WM_GETTEXT: works across processes
std::string Describe(HWND window);   // hwnd, class, title, styles, rectangles, visibility
HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs);
bool WaitUntilGone(HWND window, DWORD timeoutMs);
void PumpFor(DWORD milliseconds);
HWND ParseHandle(const char* text);

// Starts another program; its process handle, or null.
HANDLE Launch(std::string commandLine);
// Pumps this thread's messages until the process ends or the time is up, then lets the handle
// go. True when it ended, with its exit code.
bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode);

} // namespace driver
