#include "settings/config_dialog.h"

namespace polkamoot {

BOOL PrepareDialogClasses(HINSTANCE) {
    return 1;
}

INT_PTR ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) {
        return 1;
    }
    if (message == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL)) {
        EndDialog(dialog, 0);
        return 1;
    }
    return 0;
}

} // namespace polkamoot
