// The operations the saver asks of its platform, under the platform's own names, argument
// orders and meanings. Each of the four programs links exactly one backend that defines them:
//   the Windows saver, polkamoot.scr    win32/, which forwards to the system
//   the Linux program, polkamoot        sdl/, on SDL2 and Xlib over model/, the platform in memory
//   the web page, polkamoot.wasm        web/, on the browser over model/
//   the unit tests                      tests/fake/, model/ under each test's control
// Nothing outside a backend includes a system header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// Handle tags carry the system headers' names, so a backend hands handles across unchanged.
struct HWND__;
struct HDC__;
struct HBITMAP__;
struct HBRUSH__;
struct HPALETTE__;
struct HICON__;
struct HINSTANCE__;
struct HRSRC__;
struct HKEY__;
struct HIMC__;
struct _EXCEPTION_POINTERS;

// Entries found by name at run time follow the system's calling convention.
#if defined(_WIN32) && !defined(_WIN64)
#define PLATFORM_API __attribute__((stdcall))
#else
#define PLATFORM_API
#endif

namespace polkamoot {

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using ATOM = WORD;

using HWND = HWND__*;
using HDC = HDC__*;
using HBITMAP = HBITMAP__*;
using HBRUSH = HBRUSH__*;
using HPALETTE = HPALETTE__*;
using HICON = HICON__*;
using HCURSOR = HICON;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
using HRSRC = HRSRC__*;
using HKEY = HKEY__*;
using HIMC = HIMC__*;
using HGDIOBJ = void*;
using HGLOBAL = void*;
using EXCEPTION_POINTERS = ::_EXCEPTION_POINTERS;

using FARPROC = void (*)();
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);
using LPTOP_LEVEL_EXCEPTION_FILTER = LONG(PLATFORM_API*)(EXCEPTION_POINTERS*);

struct POINT {
    LONG x, y;
};

struct RECT {
    LONG left, top, right, bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
};

struct CPINFO {
    UINT MaxCharSize;
    BYTE DefaultChar[2];
    BYTE LeadByte[12];
};

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;
};

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct BITMAPCOREHEADER {
    DWORD bcSize;
    WORD bcWidth;
    WORD bcHeight;
    WORD bcPlanes;
    WORD bcBitCount;
};

struct RGBQUAD {
    BYTE rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

inline const char* MAKEINTRESOURCEA(unsigned id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(const char* name) {
    return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}
inline WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}

// The platform's numbers lie in its files and resources little-endian, aligned or not.
inline WORD ReadWord(const void* data, std::size_t offset = 0) {
    const BYTE* at = static_cast<const BYTE*>(data) + offset;
    return static_cast<WORD>(at[0] | at[1] << 8);
}
inline DWORD ReadDword(const void* data, std::size_t offset = 0) {
    return ReadWord(data, offset) | DWORD{ReadWord(data, offset + 2)} << 16;
}

// Window messages and their arguments.
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_HELP = 0x0053;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_SYSKEYDOWN = 0x0104;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_APP = 0x8000;

inline constexpr WPARAM SC_NEXTWINDOW = 0xF040;
inline constexpr WPARAM SC_PREVWINDOW = 0xF050;
inline constexpr WPARAM SC_SCREENSAVE = 0xF140;

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;
inline constexpr UINT PM_NOYIELD = 0x0002;

// Window classes and styles.
inline constexpr UINT CS_VREDRAW = 0x0001;
inline constexpr UINT CS_HREDRAW = 0x0002;
inline constexpr UINT CS_DBLCLKS = 0x0008;
inline constexpr UINT CS_OWNDC = 0x0020;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;
inline constexpr int SM_XVIRTUALSCREEN = 76;
inline constexpr int SM_YVIRTUALSCREEN = 77;
inline constexpr int SM_CXVIRTUALSCREEN = 78;
inline constexpr int SM_CYVIRTUALSCREEN = 79;

// Dialogs, controls and message boxes.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr UINT BM_GETCHECK = 0x00F0;
inline constexpr UINT BM_SETCHECK = 0x00F1;
inline constexpr UINT BST_CHECKED = 1;
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_ICONHAND = 0x0010;

// Graphics.
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int DEFAULT_PALETTE = 15;
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int LOGPIXELSX = 88;
inline constexpr UINT DIB_RGB_COLORS = 0;
inline constexpr DWORD BI_RGB = 0;
inline constexpr DWORD CBM_INIT = 4;

// Memory, sound, system settings, registry, faults.
inline constexpr UINT GMEM_MOVEABLE = 0x0002;
inline constexpr UINT GMEM_ZEROINIT = 0x0040;
inline constexpr UINT SND_ASYNC = 0x0001;
inline constexpr UINT SND_NODEFAULT = 0x0002;
inline constexpr UINT SND_MEMORY = 0x0004;
inline constexpr UINT SND_NOSTOP = 0x0010;
inline constexpr UINT SPI_SCREENSAVERRUNNING = 97;
inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG EXCEPTION_EXECUTE_HANDLER = 1;
inline constexpr LONG EXCEPTION_CONTINUE_SEARCH = 0;

inline const char* const IDC_WAIT = MAKEINTRESOURCEA(32514);
inline const char* const RT_BITMAP = MAKEINTRESOURCEA(2);
inline const char* const RT_STRING = MAKEINTRESOURCEA(6);
inline const char* const RT_GROUP_ICON = MAKEINTRESOURCEA(14);
// The system writes this key as a sign-extended 32-bit value.
inline HKEY const HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000001u)));

// Process, modules and libraries.
const char* GetCommandLineA();
UINT GetACP();
BOOL GetCPInfo(UINT codePage, CPINFO* info);
HMODULE GetModuleHandleA(const char* name);
HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
std::time_t time(std::time_t* result);
LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter);
LONG UnhandledExceptionFilter(EXCEPTION_POINTERS* fault);

// Windows, classes and the message loop.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, std::nullptr_t menu,
                     HINSTANCE instance, std::nullptr_t createData);
BOOL DestroyWindow(HWND window);
HWND FindWindowA(const char* className, const char* title);
BOOL IsWindow(HWND window);
HWND GetParent(HWND window);
HWND GetForegroundWindow();
BOOL SetForegroundWindow(HWND window);
HWND GetFocus();
HWND SetFocus(HWND window);
BOOL EnableWindow(HWND window, BOOL enable);
BOOL GetClientRect(HWND window, RECT* rect);
int GetSystemMetrics(int index);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removal);
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
void PostQuitMessage(int exitCode);
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT period, std::nullptr_t callback);
BOOL KillTimer(HWND window, UINT_PTR id);

// Cursor and input.
BOOL GetCursorPos(POINT* point);
HCURSOR SetCursor(HCURSOR cursor);
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);

// Dialogs.
INT_PTR DialogBoxParamA(HINSTANCE instance, const char* templateName, HWND parent,
                        DLGPROC dialogProc, LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
HWND GetDlgItem(HWND dialog, int id);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
UINT IsDlgButtonChecked(HWND dialog, int id);
int MessageBoxA(HWND owner, const char* text, const char* caption, UINT type);

// Resources.
HICON LoadIconA(HINSTANCE instance, const char* name);
HBITMAP LoadBitmapA(HINSTANCE instance, const char* name);
int LoadStringA(HINSTANCE instance, UINT id, char* buffer, int bufferSize);
HRSRC FindResourceA(HMODULE module, const char* name, const char* type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
void* LockResource(HGLOBAL resource);
BOOL FreeResource(HGLOBAL resource);

// Graphics.
HGDIOBJ GetStockObject(int object);
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
HDC CreateCompatibleDC(HDC dc);
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
int GetObjectA(HGDIOBJ object, int size, void* description);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, DWORD rop);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int SetStretchBltMode(HDC dc, int mode);
int GetDeviceCaps(HDC dc, int index);
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground);
UINT RealizePalette(HDC dc);
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage);
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);

// Movable memory.
HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
HGLOBAL GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags);
void* GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);

// Profile file, registry and system settings.
UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* file);
BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* text,
                                const char* file);
LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result);
LONG RegQueryValueExA(HKEY key, const char* name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegCloseKey(HKEY key);
BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* pvParam, UINT winIni);

// Sound.
BOOL sndPlaySoundA(const char* sound, UINT flags);
UINT waveOutGetNumDevs();

} // namespace polkamoot
