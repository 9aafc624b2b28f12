#include "driver.h"

#include <cstdio>
#include <cstdlib>

namespace driver {

std::string Encode(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        if (c <= ' ' || c == '%' || c == '=' || c >= 0x7F) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        } else {
            encoded += static_cast<char>(c);
        }
    }
    return encoded.empty() ? "%00" : encoded;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string WindowText(HWND window) {
    char text[512] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Describe(HWND window) {
    RECT bounds{}, client{};
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    char line[1024];
    std::snprintf(line, sizeof line,
                  "hwnd=%lu class=%s title=%s style=0x%08lX exstyle=0x%08lX left=%ld top=%ld "
                  "right=%ld bottom=%ld client_right=%ld client_bottom=%ld visible=%d parent=%lu",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                  Encode(ClassName(window)).c_str(), Encode(WindowText(window)).c_str(),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                  static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), bounds.left,
                  bounds.top, bounds.right, bounds.bottom, client.right, client.bottom,
                  IsWindowVisible(window) ? 1 : 0,
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetParent(window))));
    return line;
}

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

HWND WaitForWindow(const char* className, const char* title, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = FindWindowA(className, title)) {
            return window;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return nullptr;
        }
        PumpFor(50);
    }
}

bool WaitUntilGone(HWND window, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        PumpFor(50);
    }
    return true;
}

HWND ParseHandle(const char* text) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::strtoull(text, nullptr, 10)));
}

HANDLE Launch(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
}

bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode) {
    DWORD start = GetTickCount();
    while (WaitForSingleObject(process, 0) == WAIT_TIMEOUT && GetTickCount() - start < timeoutMs) {
        PumpFor(50);
    }
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    *exitCode = 0;
    GetExitCodeProcess(process, exitCode);
    CloseHandle(process);
    return ended;
}

} // namespace driver
