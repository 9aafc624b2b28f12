#include "settings/config_dialog.h"

#include "host/host.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"

namespace polkamoot {

namespace {

struct ColorBox {
    int id;
    int SettingsRecord::*field;
    const char* key;
};
// The dialog's own order, Yellow before Green: opening, reading and writing all follow it.
constexpr ColorBox ColorBoxes[] = {
    {IDC_RED, &SettingsRecord::Red, KeyRed},
    {IDC_BLUE, &SettingsRecord::Blue, KeyBlue},
    {IDC_YELLOW, &SettingsRecord::Yellow, KeyYellow},
    {IDC_GREEN, &SettingsRecord::Green, KeyGreen},
    {IDC_MAGENTA, &SettingsRecord::Magenta, KeyMagenta},
};

constexpr UINT RefusalStyle = MB_OK | MB_ICONHAND;

void SetBox(HWND dialog, int id, int value) {
    // A hand-edited value other than 0 or 1 goes to the box as it is.
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

int BoxChecked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) ? 1 : 0;
}

void Enable(HWND dialog, int id, bool enable) {
    EnableWindow(GetDlgItem(dialog, id), enable ? 1 : 0);
}

// The minutes field serves Random mode, the color boxes the fixed troupe.
void ApplyEnablingRule(HWND dialog) {
    Enable(dialog, IDC_MINUTES, Settings.Random != 0);
    for (const ColorBox& box : ColorBoxes) {
        Enable(dialog, box.id, Settings.Random == 0);
    }
}

// The texts come in the user's language, as the platform picks the string table.
INT_PTR Refuse(HWND dialog, int focusId, UINT textId, UINT captionId) {
    char text[256] = "";
    char caption[128] = "";
    LoadStringA(HostState.instance, textId, text, sizeof text);
    LoadStringA(HostState.instance, captionId, caption, sizeof caption);
    SetFocus(GetDlgItem(dialog, focusId));
    MessageBoxA(dialog, text, caption, RefusalStyle);
    return 0;
}

INT_PTR OnInitDialog(HWND dialog) {
    LoadProfileNames();
    ReadSettings();
    SetBox(dialog, IDC_RANDOM, Settings.Random);
    SetDlgItemInt(dialog, IDC_MINUTES, Settings.Minutes, 0);
    Enable(dialog, IDC_MINUTES, Settings.Random != 0);
    for (const ColorBox& box : ColorBoxes) {
        SetBox(dialog, box.id, Settings.*box.field);
        Enable(dialog, box.id, Settings.Random == 0);
    }
    SetBox(dialog, IDC_SOUND, Settings.Sound);
    Enable(dialog, IDC_SOUND, waveOutGetNumDevs() != 0);
    return 1; // the platform focuses the first control that takes it
}

// Every key is written even after a refused one, so as much as possible is kept.
bool SaveSettings() {
    bool saved = true;
    auto write = [&saved](const char* key, UINT value) {
        saved &= WriteSetting(ProfileSection, key, value) != 0;
    };
    for (const ColorBox& box : ColorBoxes) {
        write(box.key, static_cast<UINT>(Settings.*box.field));
    }
    write(KeyRandom, static_cast<UINT>(Settings.Random));
    write(KeyMinutes, Settings.Minutes);
    write(KeySound, static_cast<UINT>(Settings.Sound));
    return saved;
}

INT_PTR OnOk(HWND dialog) {
    // Disabled boxes are read too, so the colors survive a spell of Random mode.
    Settings.Sound = BoxChecked(dialog, IDC_SOUND);
    Settings.Random = BoxChecked(dialog, IDC_RANDOM);
    bool anyBear = Settings.Random != 0;
    for (const ColorBox& box : ColorBoxes) {
        Settings.*box.field = BoxChecked(dialog, box.id);
        anyBear = anyBear || Settings.*box.field != 0;
    }
    if (!anyBear) {
        return Refuse(dialog, IDC_BLUE, IDS_NO_BEAR, IDS_NO_BEAR_CAPTION);
    }
    BOOL isNumber{};
    UINT minutes = GetDlgItemInt(dialog, IDC_MINUTES, &isNumber, 0);
    if (!isNumber || minutes < 1 || minutes > 60) {
        return Refuse(dialog, IDC_MINUTES, IDS_BAD_MINUTES, IDS_BAD_MINUTES_CAPTION);
    }
    Settings.Minutes = static_cast<WORD>(minutes);
    // A write the platform refused must not be reported as saved.
    EndDialog(dialog, SaveSettings() ? 1 : 0);
    return 1;
}

INT_PTR OnRandomClicked(HWND dialog) {
    Settings.Random = BoxChecked(dialog, IDC_RANDOM);
    ApplyEnablingRule(dialog);
    return 0;
}

} // namespace

BOOL PrepareDialogClasses(HINSTANCE) {
    return 1;
}

INT_PTR ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        // The whole parameter: a notification other than a click is left to the platform.
        switch (wParam) {
        case IDOK: return OnOk(dialog);
        case IDCANCEL: EndDialog(dialog, 0); return 1;
        case IDC_RANDOM: return OnRandomClicked(dialog);
        default: return 0;
        }
    default: return 0;
    }
}

} // namespace polkamoot
