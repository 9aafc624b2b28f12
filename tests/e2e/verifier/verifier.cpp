// A stand-in for the platform's password library, named PASSWORD.CPL beside the saver by the
// tests. It logs every call to verifier-log.txt and answers from verifier-script.txt, one
// word a call, in its own folder:
//   1     the user may leave          0      the saver stays
//   0key  stays, and a key press arrives right behind the answer
//   crash the verifier faults
// Each log line carries the saver-running notice, the process's object counts as the verifier
// sees them, and the frame ticks the saver's thread has taken from its queue since the load.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string folder;
int calls;
unsigned long frameTicks;
HHOOK tickCounter;

LRESULT CALLBACK CountFrameTicks(int code, WPARAM removal, LPARAM message) {
    const MSG* msg = reinterpret_cast<const MSG*>(message);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->message == WM_TIMER &&
        msg->wParam == 200) {
        ++frameTicks;
    }
    return CallNextHookEx(tickCounter, code, removal, message);
}

void Log(const char* event, HWND window) {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    std::FILE* file = std::fopen((folder + "verifier-log.txt").c_str(), "a");
    if (!file) {
        return;
    }
    std::fprintf(file,
                 "event=%s call=%d window=%lu running=%d tick=%lu gdi=%lu user=%lu handles=%lu "
                 "frames=%lu\n",
                 event, calls, static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)),
                 running ? 1 : 0, GetTickCount(),
                 GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS),
                 GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
                 static_cast<unsigned long>(handles), frameTicks);
    std::fclose(file);
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(instance, path, MAX_PATH);
        folder = path;
        folder.erase(folder.find_last_of("\\/") + 1);
        // The library is loaded on the thread that will run the saver's window.
        tickCounter =
            SetWindowsHookExA(WH_GETMESSAGE, CountFrameTicks, instance, GetCurrentThreadId());
        Log("loaded", nullptr);
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("unloaded", nullptr);
        UnhookWindowsHookEx(tickCounter);
    }
    return TRUE;
}

#ifndef POLKAMOOT_NO_VERIFIER_ENTRY
namespace {

std::string ScriptWord(int index) {
    std::FILE* file = std::fopen((folder + "verifier-script.txt").c_str(), "r");
    char word[32] = "1";
    for (int i = 0; file && i <= index; ++i) {
        if (std::fscanf(file, "%31s", word) != 1) {
            break;
        }
    }
    if (file) {
        std::fclose(file);
    }
    return word;
}

} // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    std::string word = ScriptWord(calls);
    Log("verify", window);
    ++calls;
    if (word == "crash") {
        *static_cast<volatile int*>(nullptr) = 1;
    }
    if (word == "0key") {
        PostMessageA(window, WM_KEYDOWN, 'K', 0);
    }
    return word == "0" || word == "0key" ? FALSE : TRUE;
}
#endif
