// Loaded by the saver as its password library (PASSWORD.CPL beside it), on the thread that
// runs its window: counts the frame ticks that thread takes from its queue and, every hundred,
// appends the tick count and the frame ticks so far to probe-log.txt in its folder. It lets
// the user leave at the first close request. (Wine counts no GDI or USER objects for
// GetGuiResources, nor handles for GetProcessHandleCount: the unit tests count those.)
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr WPARAM FrameTimer = 200;

std::string logPath;
unsigned long frames;
HHOOK hook;

void Log() {
    if (std::FILE* file = std::fopen(logPath.c_str(), "a")) {
        std::fprintf(file, "tick=%lu frames=%lu\n", GetTickCount(), frames);
        std::fclose(file);
    }
}

LRESULT CALLBACK CountFrames(int code, WPARAM removal, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_TIMER &&
        msg->wParam == FrameTimer && ++frames % 100 == 0) {
        Log();
    }
    return CallNextHookEx(hook, code, removal, message);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(instance, path, MAX_PATH);
        logPath = path;
        logPath.replace(logPath.find_last_of("\\/") + 1, std::string::npos, "probe-log.txt");
        hook = SetWindowsHookExA(WH_GETMESSAGE, CountFrames, instance, GetCurrentThreadId());
        Log();
    } else if (reason == DLL_PROCESS_DETACH) {
        UnhookWindowsHookEx(hook);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND) {
    return TRUE;
}
