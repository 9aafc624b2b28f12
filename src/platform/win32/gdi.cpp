// Graphics, forwarded to GDI32 and USER32. The saver's bitmap records share the system's
// layout, so they pass by address.
#include "platform/win32/win32.h"

namespace pk = polkamoot;

pk::HGDIOBJ pk::GetStockObject(int object) {
    return ::GetStockObject(object);
}
pk::HDC pk::GetDC(HWND window) {
    return ::GetDC(window);
}
int pk::ReleaseDC(HWND window, HDC dc) {
    return ::ReleaseDC(window, dc);
}
pk::HDC pk::CreateCompatibleDC(HDC dc) {
    return ::CreateCompatibleDC(dc);
}
pk::HBITMAP pk::CreateCompatibleBitmap(HDC dc, int width, int height) {
    return ::CreateCompatibleBitmap(dc, width, height);
}
pk::BOOL pk::DeleteDC(HDC dc) {
    return ::DeleteDC(dc);
}
pk::HGDIOBJ pk::SelectObject(HDC dc, HGDIOBJ object) {
    return ::SelectObject(dc, object);
}
pk::BOOL pk::DeleteObject(HGDIOBJ object) {
    return ::DeleteObject(object);
}

int pk::GetObjectA(HGDIOBJ object, int size, void* description) {
    return ::GetObjectA(object, size, description);
}

pk::BOOL pk::StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX,
                        int sourceY, int sourceWidth, int sourceHeight, DWORD rop) {
    return ::StretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                        sourceHeight, rop);
}

int pk::GetDeviceCaps(HDC dc, int index) {
    return ::GetDeviceCaps(dc, index);
}

int pk::FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    return ::FillRect(dc, reinterpret_cast<const ::RECT*>(rect), brush);
}

int pk::SetStretchBltMode(HDC dc, int mode) {
    return ::SetStretchBltMode(dc, mode);
}

pk::HPALETTE pk::SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
    return ::SelectPalette(dc, palette, forceBackground);
}

pk::UINT pk::RealizePalette(HDC dc) {
    return ::RealizePalette(dc);
}

int pk::GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
                  UINT usage) {
    return ::GetDIBits(dc, bitmap, start, lines, bits, reinterpret_cast<::BITMAPINFO*>(info),
                       usage);
}

pk::HBITMAP pk::CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                               const BITMAPINFO* info, UINT usage) {
    return ::CreateDIBitmap(dc, reinterpret_cast<const ::BITMAPINFOHEADER*>(header), init, bits,
                            reinterpret_cast<const ::BITMAPINFO*>(info), usage);
}
