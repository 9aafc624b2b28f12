// The dialog item helpers, all by way of the item's own window procedure.
#include "fake/fake_internal.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string_view>

namespace polkamoot {

namespace {

// The platform reads a dialog item's text for GetDlgItemInt into 30 characters.
constexpr int DialogIntBuffer = 30;

// The unsigned conversion GetDlgItemInt relies on: blanks, a sign, decimal digits up to the
// first other character. Too large fails; a negative number wraps, and one beyond 32 bits
// comes out as 1. The platform leaves an earlier overflow's error standing, so there a later
// text worth 4294967295 fails too; here every conversion is the first.
UINT DialogInteger(std::string_view text, BOOL* translated) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) {
        return 0;
    }
    constexpr std::uint64_t Largest = 0xFFFFFFFFu;
    std::uint64_t magnitude = 0;
    for (std::size_t i = 0; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
         ++i) {
        magnitude =
            std::min(magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0'), Largest + 1);
    }
    if (!negative && magnitude > Largest) {
        return 0;
    }
    *translated = 1;
    if (negative) {
        return magnitude > Largest ? 1 : static_cast<UINT>(0 - magnitude);
    }
    return static_cast<UINT>(magnitude);
}

} // namespace

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    char text[16];
    std::snprintf(text, sizeof text, isSigned ? "%d" : "%u", value);
    return SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    BOOL converted = 0;
    char text[DialogIntBuffer];
    UINT value = 0;
    if (!isSigned &&
        SendDlgItemMessageA(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text))) {
        value = DialogInteger(text, &converted);
    }
    if (translated) {
        *translated = converted;
    }
    return value;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    return static_cast<UINT>(SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0));
}

} // namespace polkamoot
