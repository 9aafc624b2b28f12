// The configuration dialog driven from outside through its own controls.
#include "driver.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr char DialogClass[] = "#32770";
constexpr char DialogCaption[] = "Polkamoot Version 1.4";
constexpr DWORD WaitMs = 20000;

std::string Decode(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded += static_cast<char>(std::strtoul(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

unsigned long Number(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window));
}

std::string ControlLine(int index, HWND control) {
    std::string className = driver::ClassName(control);
    int check =
        className == "Button" ? static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0)) : -1;
    char line[512];
    std::snprintf(line, sizeof line,
                  "index=%d id=%d class=%s text=%s style=0x%08lX enabled=%d "
                  "checked=%d visible=%d",
                  index, GetDlgCtrlID(control), driver::Encode(className).c_str(),
                  driver::Encode(driver::WindowText(control)).c_str(),
                  static_cast<unsigned long>(GetWindowLongA(control, GWL_STYLE)),
                  IsWindowEnabled(control) ? 1 : 0, check, IsWindowVisible(control) ? 1 : 0);
    return line;
}

struct BoxSearch {
    HWND owner;
    HWND box;
};

BOOL CALLBACK FindOwnedBox(HWND window, LPARAM search) {
    auto* s = reinterpret_cast<BoxSearch*>(search);
    if (GetWindow(window, GW_OWNER) == s->owner && driver::ClassName(window) == DialogClass &&
        IsWindowVisible(window)) {
        s->box = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForBox(HWND owner) {
    DWORD start = GetTickCount();
    BoxSearch search{owner, nullptr};
    while (!search.box && GetTickCount() - start < WaitMs) {
        EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
        if (!search.box) {
            driver::PumpFor(50);
        }
    }
    return search.box;
}

// The box's message is its static text; the icon is a static of its own.
void PrintBox(HWND box, HWND dialog) {
    std::string text;
    int icons = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (driver::ClassName(child) != "Static" || !IsWindowVisible(child)) {
            continue;
        }
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            icons += SendMessageA(child, STM_GETICON, 0, 0) != 0;
        } else if (text.empty()) {
            text = driver::WindowText(child);
        }
    }
    std::printf("box=%lu caption=%s text=%s owner_is_dialog=%d icons=%d\n", Number(box),
                driver::Encode(driver::WindowText(box)).c_str(), driver::Encode(text).c_str(),
                GetWindow(box, GW_OWNER) == dialog ? 1 : 0, icons);
}

HWND Control(HWND dialog, const std::string& id) {
    return GetDlgItem(dialog, std::atoi(id.c_str()));
}

// The control with the keyboard focus in the dialog's thread, once the dialog is active
// again: the platform gives a dialog its focus back only when it is activated.
int FocusedId(HWND dialog) {
    SetForegroundWindow(dialog);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 5000) {
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus && IsChild(dialog, info.hwndFocus)) {
            return GetDlgCtrlID(info.hwndFocus);
        }
        driver::PumpFor(50);
    }
    return 0;
}

bool RunStep(HWND& dialog, const std::string& step) {
    std::string name = step.substr(0, step.find(':'));
    std::string arg = step.find(':') == std::string::npos ? "" : step.substr(step.find(':') + 1);
    if (name == "wait") {
        dialog = driver::WaitForWindow(DialogClass, DialogCaption, WaitMs);
        if (!dialog) {
            return false;
        }
        std::printf("%s owner=%lu\n", driver::Describe(dialog).c_str(),
                    Number(GetWindow(dialog, GW_OWNER)));
        return true;
    }
    if (!dialog) {
        return false;
    }
    if (name == "controls") {
        int index = 0;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            std::printf("%s\n", ControlLine(++index, c).c_str());
        }
    } else if (name == "click") { // waits until the dialog has handled it
        SendMessageA(Control(dialog, arg), BM_CLICK, 0, 0);
    } else if (name == "post-click") { // for buttons that may open a box or end the dialog
        PostMessageA(Control(dialog, arg), BM_CLICK, 0, 0);
    } else if (name == "text") {
        std::string id = arg.substr(0, arg.find(':'));
        std::string text = Decode(arg.substr(arg.find(':') + 1));
        SendMessageA(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    } else if (name == "key") {
        WPARAM key = std::strtoul(arg.c_str(), nullptr, 0);
        PostMessageA(dialog, WM_KEYDOWN, key, 1);
        PostMessageA(dialog, WM_KEYUP, key, 0xC0000001);
    } else if (name == "close") {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (name == "box") {
        HWND box = WaitForBox(dialog);
        if (!box) {
            std::printf("box=0\n");
            return false;
        }
        PrintBox(box, dialog);
        PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        std::printf("box_gone=%d\n", driver::WaitUntilGone(box, WaitMs) ? 1 : 0);
    } else if (name == "focus") {
        std::printf("focus=%d\n", FocusedId(dialog));
    } else if (name == "gone") {
        std::printf("gone=%d\n", driver::WaitUntilGone(dialog, WaitMs) ? 1 : 0);
    } else {
        return false;
    }
    return true;
}

// dialog <step>...: acts on the configuration dialog of another process. Steps: wait,
// controls, click:<id>, post-click:<id>, text:<id>:<text>, key:<virtual key>, close,
// box (reads and dismisses the message box the dialog owns), focus, gone.
int Dialog(int argc, char** argv) {
    HWND dialog = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (!RunStep(dialog, argv[i])) {
            std::printf("failed_step=%s\n", argv[i]);
            return 1;
        }
        std::fflush(stdout);
    }
    return 0;
}

// configure <scr> <with foreground 0|1> [argument]: starts the saver with the argument,
// from behind a foreground window of this process when asked, and reports the dialog's
// owner; then cancels it and reports the exit code.
int Configure(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    HWND ours = nullptr;
    if (std::atoi(argv[1])) {
        ours = CreateWindowExA(0, "STATIC", "Foreground", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20,
                               200, 100, nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(ours);
        driver::PumpFor(300);
    }
    std::printf("ours=%lu foreground=%lu\n", Number(ours), Number(GetForegroundWindow()));
    std::string commandLine = std::string("\"") + argv[0] + "\"" +
                              (argc > 2 ? std::string(" ") + argv[2] : std::string());
    HANDLE process = driver::Launch(commandLine);
    if (!process) {
        return 1;
    }
    HWND dialog = driver::WaitForWindow(DialogClass, DialogCaption, WaitMs);
    std::printf("dialog=%lu owner=%lu\n", Number(dialog),
                Number(dialog ? GetWindow(dialog, GW_OWNER) : nullptr));
    if (dialog) {
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    DWORD exitCode = 0;
    driver::WaitForExit(process, WaitMs, &exitCode);
    std::printf("exit_code=%lu\n", static_cast<unsigned long>(exitCode));
    if (ours) {
        DestroyWindow(ours);
    }
    return 0;
}

driver::Command dialog("dialog", Dialog);
driver::Command configure("configure", Configure);

} // namespace
