#include "fake/fake_dialog.h"
#include "resources/resource_ids.h"

#include <cstdlib>
#include <utility>

namespace polkamoot {

using fake::Dialog;

fake::DialogState fake::Dialog;

void fake::detail::ResetDialogs() {
    Dialog = DialogState{};
}

INT_PTR fake::Click(int id) {
    DialogControl& control = Dialog.controls.at(id);
    control.check = id == IDOK || id == IDCANCEL ? 0 : !control.check;
    return Dialog.procedure(Dialog.dialog, WM_COMMAND, static_cast<WPARAM>(id),
                            reinterpret_cast<LPARAM>(control.window));
}

INT_PTR DialogBoxParamA(HINSTANCE, const char*, HWND parent, DLGPROC procedure, LPARAM initParam) {
    Dialog.dialog = fake::MakeForeignWindow(0, 0, "#32770", "", parent);
    Dialog.procedure = procedure;
    Dialog.result.reset();
    for (int id : {IDC_BLUE, IDC_GREEN, IDC_YELLOW, IDC_RED, IDC_MAGENTA, IDC_SOUND, IDC_RANDOM,
                   IDC_MINUTES, IDOK, IDCANCEL}) {
        Dialog.controls[id] = {fake::MakeForeignWindow(0, 0, "Control", "", Dialog.dialog)};
    }
    procedure(Dialog.dialog, WM_INITDIALOG, 0, initParam);
    Dialog.script();
    if (!Dialog.result) {
        fake::Click(IDCANCEL);
    }
    DestroyWindow(Dialog.dialog);
    return *Dialog.result;
}

BOOL EndDialog(HWND, INT_PTR result) {
    return (Dialog.result = result).has_value();
}

HWND GetDlgItem(HWND, int id) {
    return Dialog.controls.at(id).window;
}

LRESULT SendDlgItemMessageA(HWND, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    UINT& check = Dialog.controls.at(id).check; // the platform wants the unused part zero
    check = message == BM_SETCHECK && lParam == 0 ? static_cast<UINT>(wParam) : check;
    return 0;
}

BOOL SetDlgItemInt(HWND, int id, UINT value, BOOL) {
    Dialog.controls.at(id).text = std::to_string(value);
    return 1;
}

UINT GetDlgItemInt(HWND, int id, BOOL* translated, BOOL isSigned) {
    const char* text = Dialog.controls.at(id).text.c_str();
    char* end = nullptr;
    unsigned long long value = std::strtoull(text, &end, 10);
    *translated = !isSigned && end != text && value <= 0xFFFFFFFFu;
    return static_cast<UINT>(value);
}

UINT IsDlgButtonChecked(HWND, int id) {
    return Dialog.controls.at(id).check;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    for (auto& [id, control] : Dialog.controls) {
        control.enabled = control.window == window ? enable != 0 : control.enabled;
    }
    return 0;
}

HWND GetFocus() {
    return IsWindow(Dialog.focus) ? Dialog.focus : nullptr;
}

HWND SetFocus(HWND window) {
    return std::exchange(Dialog.focus, window);
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    MSG quit{};
    bool quitting = PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, 0) != 0;
    Dialog.boxes.push_back({owner, text, caption ? caption : "Error", type, quitting});
    return IDOK;
}

} // namespace polkamoot
