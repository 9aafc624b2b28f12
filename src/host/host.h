// The saver host: run modes, the saver window, the close rules and the password hooks.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

enum class RunMode { Configure, Save, Preview, ChangePassword, Invalid };

// The verifier decides whether the user may leave the saver; it may run a modal dialog.
using VerifyScreenSavePwdProc = BOOL(PLATFORM_API*)(HWND window);
using ImmAssociateContextProc = HIMC(PLATFORM_API*)(HWND window, HIMC context);

inline constexpr DWORD NeverVerified = 0xFFFFFFFF;

struct HostRecord {
    HINSTANCE instance = nullptr;
    HWND saverWindow = nullptr;
    int isPreview = 0;
    int isClosing = 0;
    int isVerifying = 0;
    HMODULE passwordLibrary = nullptr;
    VerifyScreenSavePwdProc verifier = nullptr;
    HMODULE imeLibrary = nullptr;
    ImmAssociateContextProc imeAssociate = nullptr;
    HIMC savedImeContext = nullptr;
    DWORD mouseThreshold = 4;
    DWORD lastVerifyTick = NeverVerified;
    POINT cursorAnchor = {0, 0};
};

extern HostRecord HostState;

// Asks the saver window, through its own message chain, for the verifier's answer.
inline constexpr UINT VerifyPasswordMessage = WM_APP;

// Process entry and run modes.
int ProcessEntry();
int HostMain(HINSTANCE instance, const char* text);
int RunConfigure(HWND parent);
int RunPreview(const char* text);
int RunChangePassword(const char* text);
int RunSaverWindow(HWND parent);

// For a backend over the platform model, which may run the saver again in the same process (to
// fit a window that changed size) and whose events are not the platform's messages.
//
// The steps of RunSaverWindow before its message loop, for a platform whose own event loop calls
// the program instead of the program waiting for messages: the window, or null when the run ends
// at once with *result. The caller then dispatches messages until the quit request and ends the
// run with UnloadPasswordVerifier, as RunSaverWindow does.
HWND OpenSaverWindow(HWND parent, int* result);
// HostState as a fresh process finds it, for the next run.
void ResetHost(HINSTANCE instance);
// Input the backend saw, for the run's saver window. Only a full-screen run takes it, as the
// saver's own: a preview lives in another program's window, whose input is not the saver's.
// False when nothing was posted.
bool PostSaverInput(UINT message, WPARAM wParam);

// The first and last links of the saver window's message chain.
LRESULT HostFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int ConfirmClose(HWND window);

// Password hooks.
void LoadPasswordVerifier();
void UnloadPasswordVerifier();
void SetSaverRunning(UINT on);
void ChangeSaverPassword(HWND parent);

// Runs the mode under a guard that switches the saver-running notice off after a fault.
int RunGuarded(int (*mode)(const char* text), const char* text);

} // namespace polkamoot
