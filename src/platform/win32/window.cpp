// Windows, the message loop, dialogs and the cursor, forwarded to USER32. The saver's window
// and dialog procedures use the compiler's own calling convention, so each reaches the system
// through a thunk; a process registers one window class and runs one dialog at a time.
#include "platform/win32/win32.h"

namespace pk = polkamoot;

namespace {

pk::WNDPROC windowProc;
pk::DLGPROC dialogProc;

LRESULT CALLBACK WindowThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return windowProc(window, message, wParam, lParam);
}

INT_PTR CALLBACK DialogThunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialogProc(dialog, message, wParam, lParam);
}

::MSG ToSystem(const pk::MSG& msg) {
    return {msg.hwnd, msg.message, msg.wParam, msg.lParam, msg.time, {msg.pt.x, msg.pt.y}};
}

void FromSystem(const ::MSG& msg, pk::MSG* out) {
    *out = {msg.hwnd,
            msg.message,
            msg.wParam,
            msg.lParam,
            static_cast<pk::DWORD>(msg.time),
            {static_cast<pk::LONG>(msg.pt.x), static_cast<pk::LONG>(msg.pt.y)}};
}

} // namespace

pk::ATOM pk::RegisterClassA(const WNDCLASSA* windowClass) {
    windowProc = windowClass->lpfnWndProc;
    ::WNDCLASSA real{};
    real.style = windowClass->style;
    real.lpfnWndProc = WindowThunk;
    real.cbClsExtra = windowClass->cbClsExtra;
    real.cbWndExtra = windowClass->cbWndExtra;
    real.hInstance = windowClass->hInstance;
    real.hIcon = windowClass->hIcon;
    real.hCursor = windowClass->hCursor;
    real.hbrBackground = windowClass->hbrBackground;
    real.lpszMenuName = windowClass->lpszMenuName;
    real.lpszClassName = windowClass->lpszClassName;
    return ::RegisterClassA(&real);
}

pk::HWND pk::CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style,
                             int x, int y, int width, int height, HWND parent, std::nullptr_t,
                             HINSTANCE instance, std::nullptr_t) {
    return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, nullptr,
                             instance, nullptr);
}

pk::BOOL pk::DestroyWindow(HWND window) {
    return ::DestroyWindow(window);
}
pk::HWND pk::FindWindowA(const char* className, const char* title) {
    return ::FindWindowA(className, title);
}
pk::BOOL pk::IsWindow(HWND window) {
    return ::IsWindow(window);
}
pk::HWND pk::GetParent(HWND window) {
    return ::GetParent(window);
}
pk::HWND pk::GetForegroundWindow() {
    return ::GetForegroundWindow();
}
pk::BOOL pk::SetForegroundWindow(HWND window) {
    return ::SetForegroundWindow(window);
}
pk::HWND pk::GetFocus() {
    return ::GetFocus();
}
pk::HWND pk::SetFocus(HWND window) {
    return ::SetFocus(window);
}
pk::BOOL pk::EnableWindow(HWND window, BOOL enable) {
    return ::EnableWindow(window, enable);
}

pk::BOOL pk::GetClientRect(HWND window, RECT* rect) {
    return ::GetClientRect(window, reinterpret_cast<::RECT*>(rect));
}

int pk::GetSystemMetrics(int index) {
    return ::GetSystemMetrics(index);
}

pk::LRESULT pk::DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

pk::LRESULT pk::SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageA(window, message, wParam, lParam);
}

pk::BOOL pk::PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(window, message, wParam, lParam);
}

pk::BOOL pk::PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removal) {
    ::MSG real{};
    BOOL found = ::PeekMessageA(&real, window, filterMin, filterMax, removal);
    FromSystem(real, msg);
    return found;
}

pk::BOOL pk::GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    ::MSG real{};
    BOOL result = ::GetMessageA(&real, window, filterMin, filterMax);
    FromSystem(real, msg);
    return result;
}

pk::BOOL pk::TranslateMessage(const MSG* msg) {
    ::MSG real = ToSystem(*msg);
    return ::TranslateMessage(&real);
}

pk::LRESULT pk::DispatchMessageA(const MSG* msg) {
    ::MSG real = ToSystem(*msg);
    return ::DispatchMessageA(&real);
}

void pk::PostQuitMessage(int exitCode) {
    ::PostQuitMessage(exitCode);
}

pk::UINT_PTR pk::SetTimer(HWND window, UINT_PTR id, UINT period, std::nullptr_t) {
    return ::SetTimer(window, id, period, nullptr);
}

pk::BOOL pk::KillTimer(HWND window, UINT_PTR id) {
    return ::KillTimer(window, id);
}

pk::BOOL pk::GetCursorPos(POINT* point) {
    return ::GetCursorPos(reinterpret_cast<::POINT*>(point));
}
pk::HCURSOR pk::SetCursor(HCURSOR cursor) {
    return ::SetCursor(cursor);
}
pk::HCURSOR pk::LoadCursorA(HINSTANCE instance, const char* name) {
    return ::LoadCursorA(instance, name);
}

pk::INT_PTR pk::DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND parent,
                                DLGPROC procedure, LPARAM initParam) {
    DLGPROC outer = dialogProc;
    dialogProc = procedure;
    INT_PTR result = ::DialogBoxParamA(instance, templateName, parent, DialogThunk, initParam);
    dialogProc = outer;
    return result;
}

pk::BOOL pk::EndDialog(HWND dialog, INT_PTR result) {
    return ::EndDialog(dialog, result);
}
pk::HWND pk::GetDlgItem(HWND dialog, int id) {
    return ::GetDlgItem(dialog, id);
}

pk::LRESULT pk::SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    return ::SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

pk::BOOL pk::SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned) {
    return ::SetDlgItemInt(dialog, id, value, isSigned);
}

pk::UINT pk::GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned) {
    return ::GetDlgItemInt(dialog, id, translated, isSigned);
}

pk::UINT pk::IsDlgButtonChecked(HWND dialog, int id) {
    return ::IsDlgButtonChecked(dialog, id);
}

int pk::MessageBoxA(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}
