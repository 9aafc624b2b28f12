// The configuration dialog as the tests see it: DialogBoxParamA makes a dialog window holding
// the controls the procedure addresses (check boxes, the minutes field, OK and Cancel, in tab
// order), sends WM_INITDIALOG, focuses the first tab stop when the procedure asks, then lets the
// test's script act as the user. Keyboard focus, enabling and message boxes are kept here too.
#pragma once

#include "fake/fake.h"

#include <functional>
#include <string>
#include <vector>

namespace polkamoot::fake {

// What the user does while a modal dialog runs, called once after WM_INITDIALOG. Without a
// script the user presses Escape. A dialog the script leaves open ends with -1.
void SetDialogScript(std::function<void(HWND dialog)> script);

// The user's hands. None of them reaches a disabled control or a dialog that has ended.
void Click(HWND dialog, int id);                         // focuses, toggles a check box, BN_CLICKED
void Type(HWND dialog, int id, const std::string& text); // focuses, replaces, EN_CHANGE
void PressEnter(HWND dialog);  // the focused push button, else the default one
void PressEscape(HWND dialog); // IDCANCEL
void CloseBox(HWND dialog);    // WM_CLOSE, which the dialog manager turns into IDCANCEL

struct ControlInfo {
    HWND window = nullptr;
    int id = 0;
    std::string text;
    bool enabled = false;
    UINT check = 0;
};
std::vector<ControlInfo> Controls(HWND dialog); // in tab order
ControlInfo Control(HWND dialog, int id);
bool DialogEnded(HWND dialog);

// Every message box, in order; each is answered with IDOK at once. A box that meets a pending
// quit request closes by itself before anyone reads it, as it does on the platform.
struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    HWND focus;        // the focused window when it appeared
    bool closedByQuit; // nobody saw it
};
std::vector<MessageBoxCall> MessageBoxes();

} // namespace polkamoot::fake
