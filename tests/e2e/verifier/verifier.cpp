// A stand-in for the platform's password library, PASSWORD.CPL beside the saver in the tests.
// It logs its load, its unload and every call, with the saver-running notice, to
// verifier-log.txt, and answers from verifier-script.txt, one word a call, in its own folder:
//   1     the user may leave          0      the saver stays
//   0key  stays, and a key press arrives right behind the answer
//   crash the verifier faults
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string folder;

void Log(const char* event) {
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    if (std::FILE* file = std::fopen((folder + "verifier-log.txt").c_str(), "a")) {
        std::fprintf(file, "%s running=%d\n", event, running);
        std::fclose(file);
    }
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(instance, path, MAX_PATH);
        folder = path;
        folder.erase(folder.find_last_of("\\/") + 1);
        Log("loaded");
    } else if (reason == DLL_PROCESS_DETACH) {
        Log("unloaded");
    }
    return TRUE;
}

#ifndef POLKAMOOT_NO_VERIFIER_ENTRY
static int calls;

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    char word[32] = "1";
    if (std::FILE* file = std::fopen((folder + "verifier-script.txt").c_str(), "r")) {
        for (int i = 0; i <= calls && std::fscanf(file, "%31s", word) == 1; ++i) {
        }
        std::fclose(file);
    }
    ++calls;
    Log("verify");
    std::string answer = word;
    if (answer == "crash") {
        *static_cast<volatile int*>(nullptr) = 1;
    }
    if (answer == "0key") {
        PostMessageA(window, WM_KEYDOWN, 'K', 0);
    }
    return answer != "0" && answer != "0key";
}
#endif
