// The configuration dialog's controls, keyboard focus and message boxes. The dialog and its
// controls are windows of the model, so they are counted and die together; their states live
// in the table here.
#include "fake/fake_dialog.h"
#include "resources/resource_ids.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace polkamoot {

namespace {

enum class Role { CheckBox, Edit, PushButton, DefaultButton };

struct ControlRecord {
    HWND window;
    int id;
    Role type;
    std::string text;
    bool enabled = true;
    UINT check = 0;
};

// The controls the procedure addresses, in the template's tab order.
constexpr std::pair<int, Role> Layout[] = {
    {IDC_BLUE, Role::CheckBox},   {IDC_GREEN, Role::CheckBox},   {IDC_YELLOW, Role::CheckBox},
    {IDC_RED, Role::CheckBox},    {IDC_MAGENTA, Role::CheckBox}, {IDC_SOUND, Role::CheckBox},
    {IDC_RANDOM, Role::CheckBox}, {IDC_MINUTES, Role::Edit},     {IDOK, Role::DefaultButton},
    {IDCANCEL, Role::PushButton},
};

constexpr WORD EN_CHANGE = 0x0300;

struct DialogRecord {
    DLGPROC procedure;
    std::vector<ControlRecord> controls;
    bool ended = false;
    INT_PTR result = 0;
};

struct DialogState {
    std::map<HWND, DialogRecord> dialogs;
    HWND focus = nullptr;
    std::function<void(HWND)> script;
    std::vector<fake::MessageBoxCall> messageBoxes;
};

DialogState state;

DialogRecord* FindDialog(HWND dialog) {
    auto found = state.dialogs.find(dialog);
    return found == state.dialogs.end() ? nullptr : &found->second;
}

ControlRecord* FindControl(HWND dialog, int id) {
    DialogRecord* record = FindDialog(dialog);
    if (!record) {
        return nullptr;
    }
    auto found = std::find_if(record->controls.begin(), record->controls.end(),
                              [id](const ControlRecord& c) { return c.id == id; });
    return found == record->controls.end() ? nullptr : &*found;
}

ControlRecord* FindControl(HWND window) {
    for (auto& [dialog, record] : state.dialogs) {
        for (ControlRecord& control : record.controls) {
            if (control.window == window) {
                return &control;
            }
        }
    }
    return nullptr;
}

bool IsButton(const ControlRecord& control) {
    return control.type != Role::Edit;
}

// A control the user can reach now: enabled, in a dialog that has not ended.
ControlRecord* Reachable(HWND dialog, int id) {
    DialogRecord* record = FindDialog(dialog);
    ControlRecord* control = FindControl(dialog, id);
    return record && !record->ended && control && control->enabled ? control : nullptr;
}

INT_PTR Command(HWND dialog, int id, WORD code) {
    return FindDialog(dialog)->procedure(
        dialog, WM_COMMAND, static_cast<WPARAM>(static_cast<WORD>(id)) | WPARAM{code} << 16,
        reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool Open(HWND dialog) {
    DialogRecord* record = FindDialog(dialog);
    return record && !record->ended;
}

HWND FirstTabStop(HWND dialog) {
    for (const ControlRecord& control : FindDialog(dialog)->controls) {
        if (control.enabled) {
            return control.window;
        }
    }
    return nullptr;
}

// Unsigned, as GetDlgItemInt converts without a sign: blanks, a sign, decimal digits up to the
// first other character. More than 32 bits fails; a negative number wraps.
bool DialogInteger(std::string_view text, UINT* value) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]));
         ++digits) {
        magnitude = magnitude * 10 + static_cast<std::uint64_t>(text[digits] - '0');
        if (magnitude > 0xFFFFFFFFu) {
            return false;
        }
    }
    *value = negative ? 0u - static_cast<UINT>(magnitude) : static_cast<UINT>(magnitude);
    return digits > 0;
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
    if (!control || !IsButton(*control)) {
        return;
    }
    SetFocus(control->window);
    if (control->type == Role::CheckBox) {
        control->check = control->check ? 0 : 1;
    }
    Command(dialog, id, BN_CLICKED);
}

void Type(HWND dialog, int id, const std::string& text) {
    ControlRecord* control = Reachable(dialog, id);
    if (!control || IsButton(*control)) {
        return;
    }
    SetFocus(control->window);
    control->text = text;
    Command(dialog, id, EN_CHANGE);
}

void PressEnter(HWND dialog) {
    if (!Open(dialog)) {
        return;
    }
    ControlRecord* focused = FindControl(GetFocus());
    bool pushButton = focused && GetParent(focused->window) == dialog &&
                      (focused->type == Role::PushButton || focused->type == Role::DefaultButton);
    Command(dialog, pushButton ? focused->id : IDOK, BN_CLICKED);
}

void PressEscape(HWND dialog) {
    if (Open(dialog)) {
        Command(dialog, IDCANCEL, BN_CLICKED);
    }
}

void CloseBox(HWND dialog) {
    if (Open(dialog) && !FindDialog(dialog)->procedure(dialog, WM_CLOSE, 0, 0)) {
        Command(dialog, IDCANCEL, BN_CLICKED);
    }
}

std::vector<ControlInfo> Controls(HWND dialog) {
    std::vector<ControlInfo> controls;
    if (DialogRecord* record = FindDialog(dialog)) {
        for (const ControlRecord& c : record->controls) {
            controls.push_back({c.window, c.id, c.text, c.enabled, c.check});
        }
    }
    return controls;
}

ControlInfo Control(HWND dialog, int id) {
    ControlRecord* c = FindControl(dialog, id);
    return c ? ControlInfo{c->window, c->id, c->text, c->enabled, c->check} : ControlInfo{};
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
    if (instance != model::Instance() || !model::ResourceBytes(RT_DIALOG, templateName, nullptr) ||
        backend::ShouldFail("DialogBoxParamA")) {
        return -1;
    }
    model::WindowInfo frame;
    frame.className = "#32770";
    frame.parent = parent;
    HWND dialog = model::AddWindow(frame);
    DialogRecord& record = state.dialogs[dialog];
    record.procedure = procedure;
    for (auto [id, type] : Layout) {
        model::WindowInfo info;
        info.parent = dialog;
        record.controls.push_back({model::AddWindow(info), id, type, ""});
    }
    HWND first = FirstTabStop(dialog);
    if (procedure(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam)) {
        SetFocus(FirstTabStop(dialog));
    }
    std::function<void(HWND)> script = state.script;
    if (script) {
        script(dialog);
    } else {
        fake::PressEscape(dialog);
    }
    INT_PTR result = record.ended ? record.result : -1;
    DestroyWindow(dialog);
    state.dialogs.erase(dialog);
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
    ControlRecord* control = FindControl(dialog, id);
    return control ? control->window : nullptr;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlRecord* control = FindControl(dialog, id);
    if (!control) {
        return 0;
    }
    switch (message) {
    case BM_GETCHECK: return IsButton(*control) ? control->check : 0;
    case BM_SETCHECK:
        // A state beyond what the box can show is shown as its highest.
        if (control->type == Role::CheckBox) {
            control->check = static_cast<UINT>(std::min<WPARAM>(wParam, 1));
        }
        return 0;
    case WM_SETTEXT: control->text = reinterpret_cast<const char*>(lParam); return 1;
    default: return 0;
    }
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    std::snprintf(text, sizeof text, isSigned ? "%d" : "%u", value);
    return SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    ControlRecord* control = FindControl(dialog, id);
    UINT value = 0;
    bool converted = control && !isSigned && DialogInteger(control->text, &value);
    if (translated) {
        *translated = converted;
    }
    return converted ? value : 0;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

BOOL EnableWindow(HWND window, BOOL enable) {
    ControlRecord* control = FindControl(window);
    if (!control) {
        return 0;
    }
    BOOL wasDisabled = !control->enabled;
    control->enabled = enable != 0;
    if (!enable && state.focus == window) {
        state.focus = nullptr; // a disabled window cannot keep the focus
    }
    return wasDisabled;
}

HWND GetFocus() {
    return IsWindow(state.focus) ? state.focus : nullptr;
}

HWND SetFocus(HWND window) {
    HWND previous = GetFocus();
    ControlRecord* control = FindControl(window);
    if (window && (!IsWindow(window) || (control && !control->enabled))) {
        return nullptr;
    }
    state.focus = window;
    return previous;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    MSG quit{};
    bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, 0) != 0;
    state.messageBoxes.push_back(
        {owner, text ? text : "", caption ? caption : "Error", type, GetFocus(), quitting});
    return IDOK;
}

} // namespace polkamoot
