// Device-independent bitmaps of the model, in the forms the saver uses them.
//
// GetDIBits completes an info header of 4 or 32 bits (image size, no colors-used count; the
// color table is left to the caller) and copies scan lines at 32 bits. CreateDIBitmap and the
// bitmap resources read uncompressed rows of 4 bits behind an info header and a table of colors
// (DIB_RGB_COLORS), bottom-up or top-down.
// Not modelled (the call fails): other bit counts, compression, core headers, DIB_PAL_COLORS,
// the bitmap's own format (bit count 0), CreateDIBitmap without CBM_INIT.
#include "platform/model/model_internal.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace polkamoot {

namespace {

using model::Image;

constexpr std::size_t Unbounded = std::numeric_limits<std::size_t>::max();
constexpr DWORD InfoHeader = sizeof(BITMAPINFOHEADER);

DWORD Stride(int bits, LONG width) {
    return static_cast<DWORD>((std::int64_t{bits} * width + 31) / 32 * 4);
}

LONG Rows(LONG height) {
    return height < 0 ? -height : height;
}

// A 4-bit image: its size, and where its table and rows begin.
struct FourBitImage {
    LONG width = 0;
    LONG height = 0; // negative: rows from the top
    const BYTE* table = nullptr;
    int colors = 0;
    std::size_t rowsOffset = 0;
};

// The header and table that begin at `at`, of which `available` bytes may be read.
bool ReadFourBitImage(const BYTE* at, std::size_t available, FourBitImage* image) {
    if (available < InfoHeader || ReadDword(at) != InfoHeader) {
        return false;
    }
    image->width = static_cast<LONG>(ReadDword(at, 4));
    image->height = static_cast<LONG>(ReadDword(at, 8));
    DWORD colorsUsed = ReadDword(at, 32);
    image->colors = colorsUsed == 0 ? 16 : static_cast<int>(std::min<DWORD>(colorsUsed, 16));
    image->table = at + InfoHeader;
    image->rowsOffset = InfoHeader + std::size_t{4} * image->colors;
    return ReadWord(at, 14) == 4 && ReadDword(at, 16) == BI_RGB && image->width > 0 &&
           image->height != 0 && image->height != std::numeric_limits<LONG>::min() &&
           available >= image->rowsOffset;
}

Image DecodeRows(const FourBitImage& format, const BYTE* rows) {
    LONG height = Rows(format.height);
    DWORD stride = Stride(4, format.width);
    Image image{format.width, height, {}};
    image.pixels.reserve(static_cast<std::size_t>(format.width) * height);
    for (LONG y = 0; y < height; ++y) {
        const BYTE* row = rows + std::size_t{stride} * (format.height > 0 ? height - 1 - y : y);
        for (LONG x = 0; x < format.width; ++x) {
            int index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15;
            const BYTE* entry = format.table + 4 * index;
            image.pixels.push_back(index < format.colors
                                       ? DWORD{entry[2]} << 16 | DWORD{entry[1]} << 8 | entry[0]
                                       : 0);
        }
    }
    return image;
}

} // namespace

HBITMAP model::detail::BitmapFromPackedDib(const BYTE* dib, DWORD size) {
    FourBitImage format;
    if (!dib || !ReadFourBitImage(dib, size, &format) ||
        size - format.rowsOffset < std::uint64_t{Stride(4, format.width)} * Rows(format.height)) {
        return nullptr;
    }
    return AddBitmap(DecodeRows(format, dib + format.rowsOffset));
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    const Image* source = model::detail::BitmapPixels(bitmap);
    if (backend::ShouldFail("GetDIBits") || !model::detail::DcAlive(dc) || !source || !info ||
        usage != DIB_RGB_COLORS) {
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    WORD depth = header.biBitCount;
    if (header.biSize != InfoHeader || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biHeight == std::numeric_limits<LONG>::min() || header.biCompression != BI_RGB ||
        (depth != 4 && depth != 32) || (bits && depth != 32)) {
        return 0;
    }
    LONG rows = Rows(header.biHeight);
    DWORD stride = Stride(depth, header.biWidth);
    header.biSizeImage = stride * static_cast<DWORD>(rows);
    header.biClrUsed = 0;
    header.biClrImportant = 0;
    if (!bits) {
        return 1;
    }
    auto* out = static_cast<BYTE*>(bits);
    UINT copied = 0;
    for (UINT line = start; line < start + lines && line < UINT(rows); ++line, ++copied) {
        BYTE* row = out + std::size_t{stride} * copied;
        std::memset(row, 0, stride);
        LONG y = header.biHeight > 0 ? rows - 1 - LONG(line) : LONG(line);
        for (LONG x = 0; x < header.biWidth && x < source->width && y < source->height; ++x) {
            DWORD rgb = source->At(x, y);
            BYTE* pixel = row + 4 * x;
            pixel[0] = static_cast<BYTE>(rgb);
            pixel[1] = static_cast<BYTE>(rgb >> 8);
            pixel[2] = static_cast<BYTE>(rgb >> 16);
        }
    }
    return static_cast<int>(copied);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    FourBitImage format;
    if (backend::ShouldFail("CreateDIBitmap") || !model::detail::DcAlive(dc) || !header ||
        !(init & CBM_INIT) || !bits || !info || usage != DIB_RGB_COLORS ||
        !ReadFourBitImage(reinterpret_cast<const BYTE*>(info), Unbounded, &format) ||
        header->biWidth != format.width || header->biHeight != format.height) {
        return nullptr;
    }
    return model::detail::AddBitmap(DecodeRows(format, static_cast<const BYTE*>(bits)));
}

} // namespace polkamoot
