// Placeholder dialogs: every modal dialog is cancelled at once. Replaced by the full fake.
#include "fake/fake_internal.h"

namespace polkamoot {

void fake::detail::ResetDialogs() {}

INT_PTR DialogBoxParamA(HINSTANCE, const char*, HWND, DLGPROC, LPARAM) {
    return 0;
}
BOOL EndDialog(HWND, INT_PTR) {
    return 1;
}

} // namespace polkamoot
