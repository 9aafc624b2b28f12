// Looking at the saver's own windows, and hosting a preview as a settings page does.
#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char SaverClass[] = "WindowsScreenSaverClass";

// find <class> <title> <timeout ms>: waits for a top-level window to be shown and describes
// it. A window is found while its creation still runs (the saver builds its bears then), and
// shown only after.
int Find(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    DWORD start = GetTickCount();
    DWORD timeoutMs = std::strtoul(argv[2], nullptr, 10);
    HWND window = driver::WaitForWindow(argv[0], argv[1], timeoutMs);
    if (!window) {
        return 1;
    }
    while (!IsWindowVisible(window) && GetTickCount() - start < timeoutMs) {
        driver::PumpFor(50);
    }
    std::printf("%s\n", driver::Describe(window).c_str());
    return 0;
}

BOOL CALLBACK CountSaver(HWND window, LPARAM count) {
    if (driver::ClassName(window) == SaverClass) {
        ++*reinterpret_cast<int*>(count);
    }
    return TRUE;
}

// savers: how many top-level saver windows exist, and which one is in front.
int Savers(int, char**) {
    int count = 0;
    EnumWindows(CountSaver, reinterpret_cast<LPARAM>(&count));
    std::printf("count=%d foreground=%lu\n", count,
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(GetForegroundWindow())));
    return 0;
}

// gone <hwnd> <timeout ms>: waits until the window no longer exists.
int Gone(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    bool gone =
        driver::WaitUntilGone(driver::ParseHandle(argv[0]), std::strtoul(argv[1], nullptr, 10));
    std::printf("gone=%d\n", gone ? 1 : 0);
    return 0;
}

// screens: the monitors and the virtual screen as the platform reports them.
int Screens(int, char**) {
    std::printf("monitors=%d left=%d top=%d width=%d height=%d\n", GetSystemMetrics(SM_CMONITORS),
                GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return 0;
}

int contextMenus;
int contextMenusNamingParent;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CONTEXTMENU) {
        ++contextMenus;
        contextMenusNamingParent += reinterpret_cast<HWND>(wParam) == window;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeParent(int width, int height) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "PolkamootTestParent";
    RegisterClassA(&windowClass);
    RECT frame{0, 0, width, height};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    return CreateWindowExA(0, windowClass.lpszClassName, "Settings page",
                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, windowClass.hInstance,
                           nullptr);
}

HWND WaitForChild(HWND parent, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        // Visible only once its creation has finished in the other process.
        HWND child = FindWindowExA(parent, nullptr, SaverClass, nullptr);
        if (child && IsWindowVisible(child)) {
            return child;
        }
        driver::PumpFor(50);
    }
    return nullptr;
}

// The user's hands on the preview: keys, buttons and a long mouse journey.
void Pester(HWND child) {
    const UINT inputs[] = {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN,
                           WM_MBUTTONDOWN};
    for (UINT message : inputs) {
        PostMessageA(child, message, 0x41, 0);
    }
    for (int step = 0; step < 10; ++step) {
        SetCursorPos(100 + step * 20, 100 + step * 15);
        PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(step * 20, step * 15));
    }
    PostMessageA(child, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed"));
}

// preview <scr> <width> <height>: a settings page hosting `<scr> /p <hwnd>`. Describes the
// child, pesters it, asks it for a context menu, then destroys the page and reports the exit
// code.
int Preview(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    HWND parent = MakeParent(std::atoi(argv[1]), std::atoi(argv[2]));
    std::printf("parent=%lu\n", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(parent)));
    std::string commandLine =
        std::string("\"") + argv[0] + "\" /p " + std::to_string(reinterpret_cast<UINT_PTR>(parent));
    HANDLE process = driver::Launch(commandLine);
    if (!process) {
        return 1;
    }
    HWND child = WaitForChild(parent, 20000);
    if (!child) {
        TerminateProcess(process, 99);
        return 1;
    }
    std::printf("%s\n", driver::Describe(child).c_str());
    Pester(child);
    driver::PumpFor(1500);
    // WM_HELP carries a pointer, which the platform does not post between processes.
    PostMessageA(child, WM_CONTEXTMENU, 0, 0);
    driver::PumpFor(1000);
    std::printf("alive_after_input=%d title_after=%s context_menus=%d naming_parent=%d\n",
                IsWindow(child) ? 1 : 0, driver::Encode(driver::WindowText(child)).c_str(),
                contextMenus, contextMenusNamingParent);
    DestroyWindow(parent);
    DWORD exitCode = 0;
    bool exited = driver::WaitForExit(process, 20000, &exitCode);
    std::printf("exited=%d exit_code=%lu\n", exited ? 1 : 0, static_cast<unsigned long>(exitCode));
    return 0;
}

driver::Command find("find", Find);
driver::Command savers("savers", Savers);
driver::Command gone("gone", Gone);
driver::Command screens("screens", Screens);
driver::Command preview("preview", Preview);

} // namespace

namespace {

// notice: whether the platform believes a screen saver is running.
int Notice(int, char**) {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    std::printf("running=%d\n", running ? 1 : 0);
    return 0;
}

driver::Command notice("notice", Notice);

} // namespace
