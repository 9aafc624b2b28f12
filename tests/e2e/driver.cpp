// The test driver: acts on other programs' windows from outside, as the system and the user
// do. It runs its arguments as steps over a current window, printing what it finds as lines
// of key=value words, values percent-encoded (texts in UTF-8). Steps: find <class> <title> and
// child <class> wait until such a window shows and make it current; controls lists its
// children, where they lie and the room their texts take; click <id> posts a button press; text
// <id> <text>; gone waits until it no longer exists; notice tells whether a screen saver runs; page
// <width> <height> makes a window of ours in front; launch <command line> starts a program, %w
// standing for the current window's handle; pester posts it keys, buttons and mouse travel; end
// destroys our page and awaits the program.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD WaitMs = 60000; // Wine starts slowly on a loaded machine

unsigned long Number(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

std::string Encode(const std::string& text) {
    std::string encoded;
    for (unsigned char c : text) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", c);
        encoded += c <= ' ' || c == '%' || c == '=' || c >= 0x7F ? escape : std::string(1, c);
    }
    return encoded;
}

// WM_GETTEXT: GetWindowTextA does not read another process's controls.
std::wstring WideText(HWND window) {
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// Texts go out in UTF-8, whatever the language's code page.
std::string Text(HWND window) {
    char text[1536] = {};
    WideCharToMultiByte(CP_UTF8, 0, WideText(window).c_str(), -1, text, sizeof text, nullptr,
                        nullptr);
    return text;
}

std::wstring Wide(const char* text) {
    wchar_t wide[512] = {};
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 512);
    return wide;
}

// The room a control's text takes in the dialog's font, "Helv" at 8 points, broken into lines
// as a static control breaks it.
SIZE TextRoom(HWND control, LONG width) {
    HDC dc = GetDC(nullptr);
    HFONT font = CreateFontW(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, 0,
                             0, 0, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, L"Helv");
    HGDIOBJ old = SelectObject(dc, font);
    RECT room{0, 0, width, 0};
    DrawTextW(dc, WideText(control).c_str(), -1, &room, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return {room.right, room.bottom};
}

void PumpFor(DWORD milliseconds) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < milliseconds; Sleep(10)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
}

template <typename Check> bool WaitFor(Check check) {
    for (DWORD start = GetTickCount(); !check(); PumpFor(50)) {
        if (GetTickCount() - start > WaitMs) {
            return false;
        }
    }
    return true;
}

void PrintFacts(HWND window) {
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    std::printf("hwnd=%lu title=%s style=0x%08lX exstyle=0x%08lX left=%ld top=%ld "
                "right=%ld bottom=%ld width=%ld height=%ld parent=%lu owner=%lu foreground=%d\n",
                Number(window), Encode(Text(window)).c_str(),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
                static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)), frame.left,
                frame.top, frame.right, frame.bottom, client.right, client.bottom,
                Number(GetParent(window)), Number(GetWindow(window, GW_OWNER)),
                GetForegroundWindow() == window);
}

struct Driver {
    HWND current = nullptr;
    HWND page = nullptr;
    HANDLE launched = nullptr;

    HWND Control(const char* id) { return GetDlgItem(current, std::atoi(id)); }

    // The step at args[0]; the number of arguments it took, or -1 when it failed.
    int Step(char** args, int count) {
        std::string name = args[0];
        if (name == "find" && count > 2) {
            bool shown = WaitFor([&] {
                current = FindWindowW(Wide(args[1]).c_str(), Wide(args[2]).c_str());
                return current && IsWindowVisible(current); // shown once its creation is done
            });
            return shown ? (PrintFacts(current), 2) : -1;
        }
        if (name == "controls") {
            for (HWND c = GetWindow(current, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT r{};
                GetWindowRect(c, &r);
                char name[64] = {};
                GetClassNameA(c, name, sizeof name);
                SIZE room = TextRoom(c, r.right - r.left);
                std::printf("id=%d class=%s text=%s checked=%d enabled=%d style=0x%08lX left=%ld "
                            "top=%ld right=%ld bottom=%ld room=%ldx%ld\n",
                            GetDlgCtrlID(c), name, Encode(Text(c)).c_str(),
                            static_cast<int>(SendMessageA(c, BM_GETCHECK, 0, 0)),
                            IsWindowEnabled(c),
                            static_cast<unsigned long>(GetWindowLongA(c, GWL_STYLE)), r.left, r.top,
                            r.right, r.bottom, room.cx, room.cy);
            }
            return 0;
        }
        if (name == "click" && count > 1) { // posted: it may open a box or end the dialog
            PostMessageA(Control(args[1]), BM_CLICK, 0, 0);
            return 1;
        }
        if (name == "text" && count > 2) {
            SendMessageA(Control(args[1]), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[2]));
            return 2;
        }
        if (name == "gone") {
            return WaitFor([&] { return !IsWindow(current); }) ? 0 : -1;
        }
        if (name == "notice") {
            BOOL running = FALSE;
            SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
            std::printf("running=%d\n", running);
            return 0;
        }
        if (name == "page" && count > 2) {
            RECT frame{0, 0, std::atoi(args[1]), std::atoi(args[2])};
            AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
            page = current =
                CreateWindowExA(0, "STATIC", "Page", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, nullptr, nullptr);
            SetForegroundWindow(page);
            PumpFor(300);
            PrintFacts(page);
            return 2;
        }
        if (name == "launch" && count > 1) {
            std::string command = args[1];
            if (std::size_t at = command.find("%w"); at != std::string::npos) {
                command.replace(at, 2, std::to_string(Number(current)));
            }
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                nullptr, &startup, &process)) {
                return -1;
            }
            CloseHandle(process.hThread);
            launched = process.hProcess;
            return 1;
        }
        if (name == "child" && count > 1) {
            HWND parent = current;
            bool shown = WaitFor([&] {
                current = FindWindowExA(parent, nullptr, args[1], nullptr);
                return current && IsWindowVisible(current);
            });
            return shown ? (PrintFacts(current), 1) : -1;
        }
        if (name == "pester") {
            for (UINT input : {WM_KEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MOUSEMOVE}) {
                SetCursorPos(input, input); // the cursor travels hundreds of pixels
                PostMessageA(current, input, 'A', MAKELPARAM(input, input));
            }
            PumpFor(1500);
            std::printf("alive=%d\n", IsWindow(current));
            return 0;
        }
        if (name == "end" && launched) {
            DestroyWindow(page);
            DWORD code = 0;
            bool ended = WaitFor([&] { return WaitForSingleObject(launched, 0) == WAIT_OBJECT_0; });
            GetExitCodeProcess(launched, &code);
            std::printf("ended=%d exit_code=%lu\n", ended, static_cast<unsigned long>(code));
            return 0;
        }
        return -1;
    }
};

} // namespace

int main(int argc, char** argv) {
    Driver driver;
    for (int i = 1; i < argc; ++i) {
        int used = driver.Step(argv + i, argc - i);
        std::fflush(stdout);
        if (used < 0) {
            std::printf("failed=%s\n", argv[i]);
            return 1;
        }
        i += used;
    }
    return 0;
}
