// The process entry and the run modes it picks from the command line; HostState lives here.
#include "host/command_line.h"
#include "host/host.h"
#include "resources/resource_ids.h"
#include "settings/config_dialog.h"

namespace polkamoot {

HostRecord HostState;

namespace {

HWND HandleFromText(const char* text) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(ParseDecimalHandle(text)));
}

int RunCommand(const char* text) {
    Command command = ParseCommand(text);
    switch (command.mode) {
    case RunMode::Configure:
        return RunConfigure(command.overForeground ? GetForegroundWindow() : nullptr);
    case RunMode::Save: return RunSaverWindow(nullptr);
    case RunMode::Preview: return RunPreview(command.rest);
    case RunMode::ChangePassword: return RunChangePassword(command.rest);
    case RunMode::Invalid: break;
    }
    return -1;
}

} // namespace

int ProcessEntry() {
    CPINFO codePage{};
    GetCPInfo(GetACP(), &codePage);
    return HostMain(GetModuleHandleA(nullptr), ArgumentText(GetCommandLineA(), codePage));
}

int HostMain(HINSTANCE instance, const char* text) {
    HostState.instance = instance;
    return RunGuarded(RunCommand, text);
}

int RunConfigure(HWND parent) {
    if (!PrepareDialogClasses(HostState.instance)) {
        return 0;
    }
    return static_cast<int>(DialogBoxParamA(HostState.instance, MAKEINTRESOURCEA(IDD_CONFIGURE),
                                            parent, ConfigDialogProc, 0));
}

int RunPreview(const char* text) {
    HWND parent = HandleFromText(text);
    if (!parent || !IsWindow(parent)) {
        return -1;
    }
    return RunSaverWindow(parent);
}

int RunChangePassword(const char* text) {
    HWND parent = HandleFromText(text);
    if (!parent || !IsWindow(parent)) {
        parent = GetForegroundWindow();
    }
    ChangeSaverPassword(parent);
    return 0;
}

} // namespace polkamoot
