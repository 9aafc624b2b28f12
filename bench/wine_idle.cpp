// The reference for the saver's cost under Wine: a full-screen window that wakes ten times a
// second and draws nothing, for the given number of seconds.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

namespace {

constexpr UINT_PTR TickTimer = 200;
constexpr UINT_PTR EndTimer = 201;

LRESULT CALLBACK IdleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        if (wParam == EndTimer) {
            DestroyWindow(window);
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int main(int argc, char** argv) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = IdleProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "PolkamootIdleReference";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "Idle reference",
                                  WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                  GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    SetTimer(window, TickTimer, 100, nullptr);
    SetTimer(window, EndTimer, static_cast<UINT>(argc > 1 ? std::atof(argv[1]) * 1000 : 30000),
             nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        DispatchMessageA(&msg);
    }
    return 0;
}
