// One modal dialog at a time: DialogBoxParamA makes the controls as windows of the model, sends
// WM_INITDIALOG, runs the script as the user, then presses Escape if the dialog is still open.
#pragma once

#include "fake/fake.h"

#include <optional>

namespace polkamoot::fake {

struct DialogControl {
    HWND window = nullptr;
    std::string text{}; // as typed by the user or put by SetDlgItemInt
    bool enabled = true;
    UINT check = 0; // as BM_SETCHECK or a click left it
};

// Answered with IDOK at once; one meeting a pending quit request closes unread, as it does.
struct MessageBoxCall {
    HWND owner;
    std::string text, caption;
    UINT type;
    bool closedByQuit;
};

struct DialogState {
    std::function<void()> script = [] {}; // the user while the dialog runs
    HWND dialog = nullptr, focus = nullptr;
    DLGPROC procedure = nullptr;
    std::map<int, DialogControl> controls;
    std::optional<INT_PTR> result;     // once ended
    std::vector<MessageBoxCall> boxes; // every message box, in order
};
extern DialogState Dialog;

inline std::vector<MessageBoxCall> MessageBoxes() {
    return Dialog.boxes;
}

// Toggles a check box and returns the procedure's answer. Escape and the close box are Cancel.
INT_PTR Click(int id);

} // namespace polkamoot::fake
