// The first and last links of the saver window's message chain: the input method, the quit
// request, and turning input into close requests that the password verifier may refuse.
#include "animation/animation.h"
#include "host/host.h"

#include <cstdlib>

namespace polkamoot {

namespace {

constexpr DWORD VerifyRefractoryMs = 200;

void HideCursor() {
    SetCursor(nullptr);
}

POINT CursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

// The saver never loads the input method; it only detaches one that is already there.
void DetachInputMethod(HWND window) {
    HMODULE library = GetModuleHandleA("IMM32.DLL");
    if (!library) {
        return;
    }
    HostState.imeLibrary = library;
    HostState.imeAssociate =
        reinterpret_cast<ImmAssociateContextProc>(GetProcAddress(library, "ImmAssociateContext"));
    if (HostState.imeAssociate) {
        HostState.savedImeContext = HostState.imeAssociate(window, nullptr);
    }
}

void ReattachInputMethod(HWND window) {
    if (HostState.imeLibrary && HostState.imeAssociate && HostState.savedImeContext) {
        HostState.imeAssociate(window, HostState.savedImeContext);
    }
}

bool IsInput(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return true;
    default: return false;
    }
}

bool IsSwitchAwayCommand(WPARAM command) {
    return command == SC_NEXTWINDOW || command == SC_PREVWINDOW || command == SC_SCREENSAVE;
}

LRESULT ForwardHelpToParent(HWND window, UINT message, LPARAM lParam) {
    HWND parent = GetParent(window);
    if (IsWindow(parent)) {
        PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
    }
    return 1;
}

// Travel is measured from the anchor, not from the last message, so small moves add up.
void ApplyMouseTravel(HWND window) {
    POINT now = CursorPosition();
    std::int64_t dx = std::int64_t{now.x} - HostState.cursorAnchor.x;
    std::int64_t dy = std::int64_t{now.y} - HostState.cursorAnchor.y;
    auto travel = static_cast<DWORD>(std::abs(dx) + std::abs(dy));
    if (travel > HostState.mouseThreshold) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        HostState.cursorAnchor = now;
    }
}

} // namespace

LRESULT HostFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        DetachInputMethod(window);
        HostState.cursorAnchor = CursorPosition();
        if (!HostState.isPreview) {
            HideCursor();
        }
        break;
    case WM_DESTROY:
        ReattachInputMethod(window);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT: return 0;
    case WM_PAINT:
        if (HostState.isClosing) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        if (!HostState.isPreview) {
            HideCursor();
        }
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (HostState.isPreview) {
            return ForwardHelpToParent(window, message, lParam);
        }
        break;
    case WM_SYSCOMMAND:
        if (!HostState.isPreview && IsSwitchAwayCommand(wParam)) {
            return 0;
        }
        break;
    case WM_TIMER:
        if (HostState.isClosing) {
            return 0;
        }
        Sleep(0);
        break;
    default:
        if (IsInput(message) && HostState.isClosing) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        break;
    }
    return AnimationProc(window, message, wParam, lParam);
}

LRESULT HostDefaultProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (HostState.isPreview || HostState.isClosing) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_CLOSE) {
        if (ConfirmClose(window)) {
            return DefWindowProcA(window, message, wParam, lParam);
        }
        HostState.cursorAnchor = CursorPosition();
        return 0;
    }
    if (message == VerifyPasswordMessage) {
        return HostState.verifier ? HostState.verifier(window) : 1;
    }
    if (HostState.isVerifying) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_SETCURSOR: HideCursor(); return 1;
    case WM_SHOWWINDOW:
        if (wParam) {
            HideCursor();
        }
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: PostMessageA(window, WM_CLOSE, 0, 0); break;
    case WM_MOUSEMOVE: ApplyMouseTravel(window); break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int ConfirmClose(HWND window) {
    if (HostState.isVerifying) {
        return 0;
    }
    if (!HostState.verifier) {
        HostState.isClosing = 1;
        return 1;
    }
    if (HostState.lastVerifyTick != NeverVerified &&
        GetTickCount() - HostState.lastVerifyTick < VerifyRefractoryMs) {
        return 0;
    }
    HostState.isVerifying = 1;
    // Ticks queued before the dialog would otherwise arrive in a burst behind it.
    MSG pending{};
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    PeekMessageA(&pending, window, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
    HostState.isClosing = static_cast<int>(SendMessageA(window, VerifyPasswordMessage, 0, 0));
    HostState.isVerifying = 0;
    if (!HostState.isClosing) {
        HideCursor();
    }
    HostState.lastVerifyTick = GetTickCount();
    return HostState.isClosing;
}

} // namespace polkamoot
