#include "sprites/recolor.h"

#include "sprites/dib_conversion.h"
#include "sprites/recolor_table.h"

#include <cstdlib>

namespace polkamoot {

HBITMAP RecolorBitmap(HBITMAP bitmap, const BYTE* fromMap, const BYTE* toMap, int count) {
    // Explicit table colors: values then mean StandardColorTable entries on every display.
    PackedDib dib = MakeDibFromBitmap(bitmap, nullptr, 4, BI_RGB, DIB_RGB_COLORS);
    if (!dib) {
        return nullptr;
    }
    void* header = GlobalLock(dib);
    if (!header) {
        GlobalFree(dib);
        return nullptr;
    }
    auto rows = static_cast<DWORD>(std::abs(DibImageHeight(header)));
    DWORD stride = DibRowBytes(DibBitCount(header), DibImageWidth(header));
    RecolorPixelBytes(DibPixels(header), std::size_t{stride} * rows,
                      MakeRecolorTable(fromMap, toMap, count));
    GlobalUnlock(dib);
    HBITMAP recolored = MakeBitmapFromDib(dib, nullptr, DIB_RGB_COLORS);
    GlobalFree(dib);
    return recolored;
}

} // namespace polkamoot
