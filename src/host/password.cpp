// The platform's screen-saver password: the verifier around a full-screen run, and the
// change-password dialog. Both libraries are optional; without them no password is in use.
#include "host/host.h"

namespace polkamoot {

namespace {

using PwdChangePasswordProc = DWORD(PLATFORM_API*)(const char* provider, HWND parent,
                                                   DWORD reserved1, void* reserved2);

bool UserWantsPassword(HKEY desktop) {
    DWORD wanted = 0;
    DWORD size = sizeof wanted;
    LONG status = RegQueryValueExA(desktop, "ScreenSaveUsePassword", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&wanted), &size);
    return status == ERROR_SUCCESS && wanted != 0;
}

} // namespace

void SetSaverRunning(UINT on) {
    UINT previous = 0;
    SystemParametersInfoA(SPI_SCREENSAVERRUNNING, on, &previous, 0);
}

void LoadPasswordVerifier() {
    if (HostState.passwordLibrary) {
        UnloadPasswordVerifier();
    }
    HKEY desktop = nullptr;
    if (RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\Desktop", &desktop) != ERROR_SUCCESS) {
        return;
    }
    if (UserWantsPassword(desktop)) {
        HostState.passwordLibrary = LoadLibraryA("PASSWORD.CPL");
        if (HostState.passwordLibrary) {
            HostState.verifier = reinterpret_cast<VerifyScreenSavePwdProc>(
                GetProcAddress(HostState.passwordLibrary, "VerifyScreenSavePwd"));
            if (HostState.verifier) {
                SetSaverRunning(1);
            } else {
                UnloadPasswordVerifier();
            }
        }
    }
    RegCloseKey(desktop);
}

void UnloadPasswordVerifier() {
    if (!HostState.passwordLibrary) {
        return;
    }
    FreeLibrary(HostState.passwordLibrary);
    HostState.passwordLibrary = nullptr;
    if (HostState.verifier) {
        HostState.verifier = nullptr;
        SetSaverRunning(0);
    }
}

void ChangeSaverPassword(HWND parent) {
    HMODULE library = LoadLibraryA("MPR.DLL");
    if (!library) {
        return;
    }
    auto change =
        reinterpret_cast<PwdChangePasswordProc>(GetProcAddress(library, "PwdChangePasswordA"));
    if (change) {
        change("SCRSAVE", parent, 0, nullptr);
    }
    FreeLibrary(library);
}

} // namespace polkamoot
