// Modal dialogs, their controls, keyboard focus and message boxes of the fake platform.
// DialogBoxParamA builds the dialog and its controls from the product's own template, sends
// WM_INITDIALOG, focuses the first tab stop that can take it when the procedure asks, then
// lets the test's script act as the user. Check boxes, push buttons and edit fields are
// simulated; an edit takes any text, however narrow it is; GetDlgItemInt converts unsigned
// only; a modal dialog leaves its owner enabled.
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
void Click(HWND dialog, int id); // focuses, toggles an automatic check box, BN_CLICKED
void Type(HWND dialog, int id, const std::string& text); // focuses, replaces, EN_CHANGE
void PressEnter(HWND dialog);  // the focused push button, else the default one
void PressEscape(HWND dialog); // IDCANCEL
void CloseBox(HWND dialog);    // WM_CLOSE, which the dialog manager turns into IDCANCEL

struct ControlInfo {
    HWND window = nullptr;
    int id = 0;
    std::string className;
    std::string text;
    DWORD style = 0;
    bool enabled = false;
    UINT check = 0;
};
std::vector<ControlInfo> Controls(HWND dialog); // in template order
ControlInfo Control(HWND dialog, int id);
bool Enabled(HWND window);
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
