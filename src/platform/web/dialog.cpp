// The settings panel: the configuration dialog's own procedure, with its choices, refusals and
// writes, over the page's controls instead of a dialog template. The panel is a dialog of the
// model whose controls are windows of the model, each standing for the page's control of the
// same id. It is not modal: the bears dance on behind it, and a saved choice sets them up anew
// at once and is kept in the browser; a choice the browser refuses to keep is undone, and the
// panel stays open saying so.
// Not supported: modal dialogs (DialogBoxParamA fails), message boxes owned by anything but the
// panel, which go to the console.
#include "platform/model/model.h"
#include "platform/web/web.h"
#include "resources/resource_ids.h"
#include "settings/config_dialog.h"
#include "settings/settings_store.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>

namespace polkamoot {

namespace {

constexpr int ControlIds[] = {IDC_BLUE,  IDC_GREEN,  IDC_YELLOW,  IDC_RED, IDC_MAGENTA,
                              IDC_SOUND, IDC_RANDOM, IDC_MINUTES, IDOK,    IDCANCEL};

constexpr INT_PTR Open = -1;

struct Panel {
    HWND dialog = nullptr;
    std::map<HWND, int> controls;
    HWND focus = nullptr;
    SettingsRecord settings{};
    INT_PTR result = Open; // EndDialog's, acted on once the procedure has returned
};

Panel panel;

// The dialog's procedure edits the process's one settings record, and its opening fills the
// troupe's roster, as it may where no saver runs beside it. Here the scene dancing behind the
// panel steps that roster and tears down by that record, so the procedure is lent the panel's
// own record for each call and the scene gets its own back.
INT_PTR CallDialog(UINT message, WPARAM wParam) {
    SettingsRecord scene = Settings;
    int count = BearCount;
    Bear bears[MaxBears];
    std::copy(std::begin(Bears), std::end(Bears), bears);
    Settings = panel.settings;
    INT_PTR result = ConfigDialogProc(panel.dialog, message, wParam, 0);
    panel.settings = Settings;
    Settings = scene;
    BearCount = count;
    std::copy(std::begin(bears), std::end(bears), Bears);
    return result;
}

int IdOf(HWND control) {
    auto found = panel.controls.find(control);
    return found != panel.controls.end() ? found->second : 0;
}

void ClosePanel() {
    polkamoot_panel_show(0);
    DestroyWindow(panel.dialog);
    panel = Panel{};
}

// A save the browser refuses is taken back from the profile too, so that no later setup dances
// what was never kept.
bool Keep(const std::string& before) {
    switch (web::StoreSettings()) {
    case web::Stored::Kept: return true;
    case web::Stored::Nowhere:
        polkamoot_warn("Polkamoot: this browser keeps no settings for the page; the new ones "
                       "last until it is closed");
        return true;
    case web::Stored::Refused:
        model::SetProfileText(ProfileFile, before);
        polkamoot_panel_note("not-kept", 1);
        return false;
    }
    return false;
}

// Blanks around the digits only; anything else is not a number.
bool ParseUnsigned(const char* text, UINT* value) {
    while (*text == ' ') {
        ++text;
    }
    unsigned long long number = 0;
    const char* digits = text;
    for (; *text >= '0' && *text <= '9' && number <= 0xFFFFFFFFu; ++text) {
        number = number * 10 + static_cast<unsigned>(*text - '0');
    }
    bool any = text != digits;
    while (*text == ' ') {
        ++text;
    }
    *value = static_cast<UINT>(number);
    return any && *text == '\0' && number <= 0xFFFFFFFFu;
}

} // namespace

void web::OpenPanel() {
    if (panel.dialog || InFullScreen()) {
        return;
    }
    model::WindowInfo info;
    info.className = "#32770";
    info.title = "Polkamoot";
    panel.dialog = model::AddWindow(info);
    for (int id : ControlIds) {
        model::WindowInfo control;
        control.className = id == IDC_MINUTES ? "Edit" : "Button";
        control.parent = panel.dialog;
        panel.controls[model::AddWindow(control)] = id;
    }
    polkamoot_panel_message("", "");
    polkamoot_panel_show(1);
    CallDialog(WM_INITDIALOG, 0);
}

bool web::PanelOpen() {
    return panel.dialog != nullptr;
}

// A saved choice dances at once. OK is a gesture that lets the page sound, should the new
// choice want it.
void web::PanelCommand(int id) {
    if (!panel.dialog) {
        return;
    }
    polkamoot_panel_message("", "");
    polkamoot_panel_note("not-kept", 0);
    std::string before = model::ProfileText(ProfileFile);
    CallDialog(WM_COMMAND, static_cast<WPARAM>(id));
    if (panel.result == 1 && !Keep(before)) {
        panel.result = Open;
    }
    if (panel.result == Open) {
        return;
    }
    bool saved = panel.result == 1;
    ClosePanel();
    if (saved) {
        Refit();
        Gesture();
    }
}

INT_PTR DialogBoxParamA(HINSTANCE, const char*, HWND, DLGPROC, LPARAM) {
    return -1;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!dialog || dialog != panel.dialog) {
        return 0;
    }
    panel.result = result;
    return 1;
}

HWND GetDlgItem(HWND dialog, int id) {
    for (const auto& [control, controlId] : panel.controls) {
        if (dialog == panel.dialog && controlId == id) {
            return control;
        }
    }
    return nullptr;
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM) {
    if (!GetDlgItem(dialog, id)) {
        return 0;
    }
    switch (message) {
    case BM_SETCHECK: polkamoot_control_check(id, wParam != 0); return 0;
    case BM_GETCHECK: return polkamoot_control_checked(id) ? BST_CHECKED : 0;
    default: return 0;
    }
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL) {
    if (!GetDlgItem(dialog, id)) {
        return 0;
    }
    polkamoot_control_set_text(id, std::to_string(value).c_str());
    return 1;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    UINT value = 0;
    char* text = GetDlgItem(dialog, id) ? polkamoot_control_text(id) : nullptr;
    bool number = text && !isSigned && ParseUnsigned(text, &value);
    std::free(text);
    if (translated) {
        *translated = number ? 1 : 0;
    }
    return number ? value : 0;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return GetDlgItem(dialog, id) && polkamoot_control_checked(id) ? BST_CHECKED : 0;
}

BOOL EnableWindow(HWND window, BOOL enable) {
    if (int id = IdOf(window)) {
        polkamoot_control_enable(id, enable != 0);
    }
    return 0;
}

HWND GetFocus() {
    return panel.focus;
}

HWND SetFocus(HWND window) {
    HWND previous = panel.focus;
    if (int id = IdOf(window)) {
        panel.focus = window;
        polkamoot_control_focus(id);
    }
    return previous;
}

int MessageBoxA(HWND owner, const char* text, const char* caption, UINT) {
    if (owner && owner == panel.dialog) {
        polkamoot_panel_message(caption ? caption : "", text ? text : "");
    } else {
        polkamoot_warn((std::string("Polkamoot: ") + (text ? text : "")).c_str());
    }
    return IDOK;
}

} // namespace polkamoot

// The page's controls call in here.
extern "C" {

EMSCRIPTEN_KEEPALIVE void polkamoot_open_panel() {
    polkamoot::web::OpenPanel();
}

EMSCRIPTEN_KEEPALIVE void polkamoot_panel_command(int id) {
    polkamoot::web::PanelCommand(id);
}
}
