// A reference for the saver's cost under Wine: a full-screen window that wakes ten times a
// second and draws nothing.
#include "driver.h"

#include <cstdio>
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

// idle <seconds>: such a window, for that long.
int Idle(int argc, char** argv) {
    if (argc < 1) {
        return 2;
    }
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
    SetTimer(window, EndTimer, static_cast<UINT>(std::atof(argv[0]) * 1000), nullptr);
    std::printf("started=1\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        DispatchMessageA(&msg);
    }
    return 0;
}

driver::Command idle("idle", Idle);

} // namespace
