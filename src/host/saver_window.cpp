// The saver window: its class, its place over every monitor or inside a preview's parent, and its
// message loop.
#include "host/host.h"
#include "resources/resource_ids.h"

namespace polkamoot {

namespace {

constexpr char SaverClassName[] = "WindowsScreenSaverClass";
constexpr char SaverTitle[] = "Screen Saver";
constexpr char PreviewTitle[] = "Preview";

constexpr DWORD FullScreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD PreviewStyle = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;

// Another full-screen saver already showing takes the front instead of a second one.
bool BringExistingSaverForward() {
    HWND existing = FindWindowA(SaverClassName, SaverTitle);
    if (!IsWindow(existing)) {
        return false;
    }
    SetForegroundWindow(existing);
    return true;
}

// Every monitor: the virtual screen, whose origin lies left of or above the primary monitor's
// when another monitor does. Systems from before those metrics answer 0: the primary screen.
RECT FullScreenRect() {
    int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    if (width == 0) {
        return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN);
    int y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return {x, y, x + width, y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

int RunMessageLoop() {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

HWND OpenSaverWindow(HWND parent, int* result) {
    WNDCLASSA windowClass{};
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
    windowClass.lpfnWndProc = HostFrameProc;
    windowClass.hInstance = HostState.instance;
    windowClass.hIcon = LoadIconA(HostState.instance, MAKEINTRESOURCEA(IDI_POLKAMOOT));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = SaverClassName;

    RECT area{};
    if (parent) {
        GetClientRect(parent, &area);
        HostState.isPreview = 1;
    } else {
        area = FullScreenRect();
        if (BringExistingSaverForward()) {
            *result = 0;
            return nullptr;
        }
        LoadPasswordVerifier();
    }

    // Without a window there is no quit code; the run reports that it could not show.
    *result = -1;
    if (RegisterClassA(&windowClass)) {
        HostState.saverWindow = CreateWindowExA(
            parent ? 0 : WS_EX_TOPMOST, SaverClassName, parent ? PreviewTitle : SaverTitle,
            parent ? PreviewStyle : FullScreenStyle, area.left, area.top, area.right - area.left,
            area.bottom - area.top, parent, nullptr, HostState.instance, nullptr);
    }
    if (HostState.saverWindow && !parent) {
        SetForegroundWindow(HostState.saverWindow);
    }
    return HostState.saverWindow;
}

void ResetHost(HINSTANCE instance) {
    HostState = HostRecord{};
    HostState.instance = instance;
}

bool PostSaverInput(UINT message, WPARAM wParam) {
    return !HostState.isPreview && IsWindow(HostState.saverWindow) &&
           PostMessageA(HostState.saverWindow, message, wParam, 0);
}

int RunSaverWindow(HWND parent) {
    int result = 0;
    if (OpenSaverWindow(parent, &result)) {
        result = RunMessageLoop();
    }
    UnloadPasswordVerifier();
    return result;
}

} // namespace polkamoot
