// Dialogs, controls, focus and message boxes. The dialog and each control are windows of the
// fake's window list, so SendMessageA reaches the dialog procedure and the control's own
// procedure alike.
#include "fake/dialog_template.h"
#include "fake/fake_dialog.h"
#include "fake/fake_internal.h"

#include <algorithm>
#include <set>

namespace polkamoot {

namespace {

using fake::detail::ShouldFail;
using fake::detail::WindowAlive;

constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD ButtonTypeMask = 0xF;
constexpr DWORD BS_PUSHBUTTON = 0, BS_DEFPUSHBUTTON = 1, BS_CHECKBOX = 2, BS_AUTOCHECKBOX = 3;
constexpr DWORD BS_3STATE = 5, BS_AUTO3STATE = 6, BS_GROUPBOX = 7;
constexpr WORD EN_CHANGE = 0x0300;

struct ControlRecord {
    HWND dialog;
    int id;
    std::string className;
    std::string text;
    DWORD style;
    UINT check = 0;
};

struct DialogRecord {
    DLGPROC procedure;
    std::vector<HWND> controls;
    bool ended = false;
    INT_PTR result = 0;
};

struct DialogState {
    std::map<HWND, DialogRecord> dialogs;
    std::map<HWND, ControlRecord> controls;
    std::set<HWND> disabled;
    HWND focus = nullptr;
    std::function<void(HWND)> script;
    std::vector<fake::MessageBoxCall> messageBoxes;
};

DialogState state;

DialogRecord* FindDialog(HWND dialog) {
    auto found = state.dialogs.find(dialog);
    return found == state.dialogs.end() ? nullptr : &found->second;
}

ControlRecord* FindControl(HWND control) {
    auto found = state.controls.find(control);
    return found == state.controls.end() || !WindowAlive(control) ? nullptr : &found->second;
}

bool IsButton(const ControlRecord& control) {
    return control.className == "Button";
}

DWORD ButtonType(const ControlRecord& control) {
    return control.style & ButtonTypeMask;
}

bool IsPushButton(const ControlRecord& control) {
    return IsButton(control) &&
           (ButtonType(control) == BS_PUSHBUTTON || ButtonType(control) == BS_DEFPUSHBUTTON);
}

LRESULT ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* control = FindControl(window);
    if (!control) {
        return 0;
    }
    switch (message) {
    case WM_SETTEXT: control->text = reinterpret_cast<const char*>(lParam); return 1;
    case WM_GETTEXT: {
        auto size = static_cast<std::size_t>(wParam);
        if (size == 0) {
            return 0;
        }
        std::size_t copied = control->text.copy(reinterpret_cast<char*>(lParam), size - 1);
        reinterpret_cast<char*>(lParam)[copied] = '\0';
        return static_cast<LRESULT>(copied);
    }
    case BM_GETCHECK: return IsButton(*control) ? control->check : 0;
    case BM_SETCHECK: {
        // A state beyond what the box can show is shown as its highest.
        DWORD type = ButtonType(*control);
        if (IsButton(*control) && (type == BS_CHECKBOX || type == BS_AUTOCHECKBOX)) {
            control->check = static_cast<UINT>(std::min<WPARAM>(wParam, 1));
        } else if (IsButton(*control) && (type == BS_3STATE || type == BS_AUTO3STATE)) {
            control->check = static_cast<UINT>(std::min<WPARAM>(wParam, 2));
        }
        return 0;
    }
    default: return 0;
    }
}

LRESULT DialogProcOf(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogRecord* record = FindDialog(dialog);
    if (!record) {
        return 0;
    }
    DLGPROC procedure = record->procedure;
    INT_PTR handled = procedure(dialog, message, wParam, lParam);
    if (!handled && message == WM_CLOSE) {
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, reinterpret_cast<LPARAM>(cancel));
    }
    return handled;
}

// The first control that takes the focus when tabbing into the dialog.
HWND FirstTabStop(HWND dialog) {
    for (HWND control : state.dialogs[dialog].controls) {
        const ControlRecord& record = state.controls[control];
        if ((record.style & WS_TABSTOP) && (record.style & WS_VISIBLE) &&
            !state.disabled.count(control)) {
            return control;
        }
    }
    return nullptr;
}

HWND Build(const fake::detail::DialogTemplate& layout, HWND owner, DLGPROC procedure) {
    fake::WindowInfo frame = layout.frame;
    frame.parent = owner;
    HWND dialog = fake::detail::AddWindow(frame, DialogProcOf);
    state.dialogs[dialog] = DialogRecord{procedure, {}};
    for (const fake::detail::TemplateItem& item : layout.items) {
        fake::WindowInfo info = item.info;
        info.parent = dialog;
        HWND control = fake::detail::AddWindow(info, ControlProc);
        state.controls[control] = {dialog, item.id, info.className, info.title, info.style};
        state.dialogs[dialog].controls.push_back(control);
        if (info.style & WS_DISABLED) {
            state.disabled.insert(control);
        }
    }
    return dialog;
}

void Dismantle(HWND dialog) {
    DestroyWindow(dialog);
    for (HWND control : state.dialogs[dialog].controls) {
        state.controls.erase(control);
        state.disabled.erase(control);
    }
    state.dialogs.erase(dialog);
}

// A control the user can reach now: alive, enabled, in a dialog that has not ended.
ControlRecord* Reachable(HWND dialog, int id) {
    DialogRecord* record = FindDialog(dialog);
    HWND control = GetDlgItem(dialog, id);
    if (!record || record->ended || !control || state.disabled.count(control)) {
        return nullptr;
    }
    return FindControl(control);
}

void Command(HWND dialog, int id, WORD code) {
    HWND control = GetDlgItem(dialog, id);
    SendMessageA(dialog, WM_COMMAND,
                 static_cast<WPARAM>(static_cast<WORD>(id)) | WPARAM{code} << 16,
                 reinterpret_cast<LPARAM>(control));
}

bool Open(HWND dialog) {
    DialogRecord* record = FindDialog(dialog);
    return record && !record->ended;
}

} // namespace

namespace fake {

void detail::ResetDialogs() {
    state = DialogState{};
}

void SetDialogScript(std::function<void(HWND dialog)> script) {
    state.script = std::move(script);
}

void Click(HWND dialog, int id) {
    ControlRecord* control = Reachable(dialog, id);
    if (!control || !IsButton(*control) || ButtonType(*control) == BS_GROUPBOX) {
        return;
    }
    HWND window = GetDlgItem(dialog, id);
    SetFocus(window);
    if (ButtonType(*control) == BS_AUTOCHECKBOX) {
        SendMessageA(window, BM_SETCHECK, control->check ? 0 : 1, 0);
    } else if (ButtonType(*control) == BS_AUTO3STATE) {
        SendMessageA(window, BM_SETCHECK, (control->check + 1) % 3, 0);
    }
    Command(dialog, id, BN_CLICKED);
}

void Type(HWND dialog, int id, const std::string& text) {
    ControlRecord* control = Reachable(dialog, id);
    if (!control || control->className != "Edit") {
        return;
    }
    SetFocus(GetDlgItem(dialog, id));
    control->text = text;
    Command(dialog, id, EN_CHANGE);
}

void PressEnter(HWND dialog) {
    if (!Open(dialog)) {
        return;
    }
    ControlRecord* focused = FindControl(GetFocus());
    int id = IDOK;
    if (focused && focused->dialog == dialog && IsPushButton(*focused)) {
        id = focused->id;
    } else {
        for (HWND control : state.dialogs[dialog].controls) {
            const ControlRecord& record = state.controls[control];
            if (IsButton(record) && ButtonType(record) == BS_DEFPUSHBUTTON) {
                id = record.id;
            }
        }
    }
    Command(dialog, id, BN_CLICKED);
}

void PressEscape(HWND dialog) {
    if (Open(dialog)) {
        Command(dialog, IDCANCEL, BN_CLICKED);
    }
}

void CloseBox(HWND dialog) {
    if (Open(dialog)) {
        SendMessageA(dialog, WM_CLOSE, 0, 0);
    }
}

std::vector<ControlInfo> Controls(HWND dialog) {
    std::vector<ControlInfo> controls;
    DialogRecord* record = FindDialog(dialog);
    for (HWND control : record ? record->controls : std::vector<HWND>{}) {
        const ControlRecord& c = state.controls[control];
        controls.push_back(
            {control, c.id, c.className, c.text, c.style, !state.disabled.count(control), c.check});
    }
    return controls;
}

ControlInfo Control(HWND dialog, int id) {
    for (const ControlInfo& control : Controls(dialog)) {
        if (control.id == id) {
            return control;
        }
    }
    return {};
}

bool Enabled(HWND window) {
    return WindowAlive(window) && !state.disabled.count(window);
}

bool DialogEnded(HWND dialog) {
    DialogRecord* record = FindDialog(dialog);
    return record && record->ended;
}

std::vector<MessageBoxCall> MessageBoxes() {
    return state.messageBoxes;
}

} // namespace fake

INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND parent,
                        DLGPROC procedure, LPARAM initParam) {
    DWORD size = 0;
    const BYTE* bytes = instance == fake::Instance()
                            ? fake::ResourceBytes(RT_DIALOG, templateName, &size)
                            : nullptr;
    fake::detail::DialogTemplate layout;
    if (!bytes || !fake::detail::ParseDialogTemplate(bytes, size, &layout) ||
        ShouldFail("DialogBoxParamA")) {
        return -1;
    }
    HWND dialog = Build(layout, parent, procedure);
    HWND first = FirstTabStop(dialog);
    if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) &&
        FindDialog(dialog)) {
        if (HWND focus = FirstTabStop(dialog)) {
            SetFocus(focus);
        }
    }
    std::function<void(HWND)> script = state.script;
    if (script) {
        script(dialog);
    } else {
        fake::PressEscape(dialog);
    }
    INT_PTR result = fake::DialogEnded(dialog) ? state.dialogs[dialog].result : -1;
    Dismantle(dialog);
    return result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogRecord* record = FindDialog(dialog);
    if (!record) {
        return 0;
    }
    record->ended = true;
    record->result = result;
    return 1;
}

HWND GetDlgItem(HWND dialog, int id) {
    DialogRecord* record = FindDialog(dialog);
    for (HWND control : record ? record->controls : std::vector<HWND>{}) {
        if (state.controls[control].id == id && WindowAlive(control)) {
            return control;
        }
    }
    return nullptr;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    BOOL wasDisabled = state.disabled.count(window) ? 1 : 0;
    if (!WindowAlive(window)) {
        return 0;
    }
    if (enable) {
        state.disabled.erase(window);
    } else {
        state.disabled.insert(window);
        if (state.focus == window) {
            state.focus = nullptr; // a disabled window cannot keep the focus
        }
    }
    return wasDisabled;
}

HWND GetFocus() {
    return WindowAlive(state.focus) ? state.focus : nullptr;
}

HWND SetFocus(HWND window) {
    HWND previous = GetFocus();
    if (window && (!WindowAlive(window) || state.disabled.count(window))) {
        return nullptr;
    }
    state.focus = window;
    return previous;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    state.messageBoxes.push_back({owner, text ? text : "", caption ? caption : "Error", type,
                                  GetFocus(), fake::detail::QuitPending()});
    return IDOK;
}

} // namespace polkamoot
