// Device-independent bitmaps in the fake: GetDIBits, CreateDIBitmap and the bitmap resources.
// Uncompressed rows of 1, 4, 8, 16 (5-5-5), 24 and 32 bits; info and core headers where the
// platform reads them.
#include "fake/gdi_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace polkamoot {

namespace {

using fake::Kind;
using fake::detail::ShouldFail;
using fake::gdi::BitmapRecord;

constexpr DWORD BitfieldsCompression = 3;
constexpr std::size_t Unbounded = std::numeric_limits<std::size_t>::max();

DWORD ReadDword(const BYTE* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | DWORD{at[3]} << 24;
}
WORD ReadWord(const BYTE* at) {
    return static_cast<WORD>(at[0] | at[1] << 8);
}

bool SupportedBits(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

DWORD Stride(int bits, LONG width) {
    return static_cast<DWORD>((std::int64_t{bits} * width + 31) / 32 * 4);
}

struct DibFormat {
    LONG width = 0;
    LONG height = 0; // negative: rows from the top
    int bits = 0;
    DWORD compression = BI_RGB;
    DWORD headerSize = 0;
    int tableEntries = 0;
    int entryBytes = 4; // in a packed bitmap: 3 behind a core header
};

bool ReadFormat(const BYTE* at, std::size_t available, DibFormat* format) {
    if (available < 4) {
        return false;
    }
    format->headerSize = ReadDword(at);
    DWORD colorsUsed = 0;
    if (format->headerSize == 12 && available >= 12) {
        format->width = ReadWord(at + 4);
        format->height = ReadWord(at + 6);
        format->bits = ReadWord(at + 10);
        format->entryBytes = 3;
    } else if (format->headerSize >= 40 && available >= 40) {
        format->width = static_cast<LONG>(ReadDword(at + 4));
        format->height = static_cast<LONG>(ReadDword(at + 8));
        format->bits = ReadWord(at + 14);
        format->compression = ReadDword(at + 16);
        colorsUsed = ReadDword(at + 32);
    } else {
        return false;
    }
    format->tableEntries = colorsUsed          ? static_cast<int>(std::min<DWORD>(colorsUsed, 256))
                           : format->bits <= 8 ? 1 << format->bits
                                               : 0;
    return format->width > 0 && format->height != 0 && SupportedBits(format->bits) &&
           format->compression == BI_RGB;
}

// The colors the table stands for: quads (or triples) of blue, green, red, or with
// DIB_PAL_COLORS 16-bit indices into the context's palette.
std::vector<DWORD> TableColors(const BYTE* table, const DibFormat& format, UINT usage) {
    std::vector<DWORD> colors;
    for (int i = 0; i < format.tableEntries; ++i) {
        if (usage == DIB_PAL_COLORS) {
            WORD index = ReadWord(table + 2 * i);
            colors.push_back(
                index < fake::gdi::DefaultPaletteSize ? fake::gdi::DefaultPaletteColors[index] : 0);
        } else {
            const BYTE* entry = table + i * format.entryBytes;
            colors.push_back(fake::Rgb(entry[2], entry[1], entry[0]));
        }
    }
    return colors;
}

DWORD ReadPixel(const BYTE* row, int x, int bits, const std::vector<DWORD>& table) {
    std::size_t index = 0;
    switch (bits) {
    case 1: index = (row[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: index = (row[x / 2] >> (x % 2 ? 0 : 4)) & 15; break;
    case 8: index = row[x]; break;
    case 16: {
        WORD word = ReadWord(row + 2 * x);
        DWORD rgb = 0;
        for (int channel = 0; channel < 3; ++channel) {
            DWORD five = (word >> (5 * channel)) & 31;
            rgb |= (five << 3 | five >> 2) << (8 * channel);
        }
        return rgb;
    }
    case 24: return fake::Rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default: return fake::Rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
    return index < table.size() ? table[index] : 0;
}

void WritePixel(BYTE* row, int x, int bits, DWORD rgb, const std::vector<DWORD>& table) {
    BYTE red = static_cast<BYTE>(rgb >> 16), green = static_cast<BYTE>(rgb >> 8),
         blue = static_cast<BYTE>(rgb);
    switch (bits) {
    case 16: {
        auto word = static_cast<WORD>((red >> 3) << 10 | (green >> 3) << 5 | blue >> 3);
        row[2 * x] = static_cast<BYTE>(word);
        row[2 * x + 1] = static_cast<BYTE>(word >> 8);
        return;
    }
    case 24:
    case 32: {
        BYTE* at = row + x * (bits / 8);
        at[0] = blue, at[1] = green, at[2] = red;
        return;
    }
    }
    auto index = static_cast<BYTE>(
        fake::gdi::NearestColor(rgb, table.data(), static_cast<int>(table.size())));
    switch (bits) {
    case 1: row[x / 8] |= static_cast<BYTE>(index << (7 - x % 8)); break;
    case 4: row[x / 2] |= static_cast<BYTE>(index << (x % 2 ? 0 : 4)); break;
    default: row[x] = index; break;
    }
}

// The table the platform writes for a request of `bits` with DIB_RGB_COLORS: black and white;
// sixteen colors with dark gray before light gray; or the default palette's twenty around a
// cube of 236 colors.
std::vector<DWORD> PlatformTable(int bits) {
    if (bits == 1) {
        return {0x000000, 0xFFFFFF};
    }
    if (bits == 4) {
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    }
    std::vector<DWORD> table(256);
    for (int i = 0; i < 256; ++i) {
        if (i < 10) {
            table[i] = fake::gdi::DefaultPaletteColors[i];
        } else if (i >= 246) {
            table[i] = fake::gdi::DefaultPaletteColors[i - 236];
        } else {
            table[i] =
                fake::Rgb(static_cast<BYTE>((i & 7) * 32), static_cast<BYTE>(((i >> 3) & 7) * 32),
                          static_cast<BYTE>((i >> 6) * 64));
        }
    }
    return table;
}

// Rows of the image in `format` into top-down pixels of a bitmap of the same size.
std::vector<DWORD> DecodeRows(const DibFormat& format, const BYTE* rows,
                              const std::vector<DWORD>& table, int keptBits) {
    LONG height = format.height < 0 ? -format.height : format.height;
    DWORD stride = Stride(format.bits, format.width);
    std::vector<DWORD> pixels(static_cast<std::size_t>(format.width) * height);
    for (LONG y = 0; y < height; ++y) {
        const BYTE* row = rows + std::size_t{stride} * (format.height > 0 ? height - 1 - y : y);
        for (LONG x = 0; x < format.width; ++x) {
            pixels[static_cast<std::size_t>(y) * format.width + x] =
                fake::gdi::KeptColor(ReadPixel(row, x, format.bits, table), keptBits);
        }
    }
    return pixels;
}

HBITMAP AddDecoded(const DibFormat& format, const BYTE* rows, const std::vector<DWORD>& table,
                   int bits) {
    LONG height = format.height < 0 ? -format.height : format.height;
    std::vector<DWORD> pixels = DecodeRows(format, rows, table, bits);
    HBITMAP bitmap = fake::gdi::AddBitmap(format.width, height, bits);
    fake::gdi::FindBitmap(bitmap)->pixels = std::move(pixels);
    return bitmap;
}

} // namespace

HBITMAP fake::detail::BitmapFromPackedDib(const BYTE* dib, DWORD size) {
    DibFormat format;
    if (!dib || !ReadFormat(dib, size, &format)) {
        return nullptr;
    }
    std::size_t tableBytes = std::size_t(format.tableEntries) * format.entryBytes;
    std::size_t offset = format.headerSize + tableBytes;
    LONG height = format.height < 0 ? -format.height : format.height;
    if (size < offset + std::size_t{Stride(format.bits, format.width)} * height) {
        return nullptr;
    }
    std::vector<DWORD> table = TableColors(dib + format.headerSize, format, DIB_RGB_COLORS);
    return AddDecoded(format, dib + offset, table, gdi::DisplayBits());
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
    BitmapRecord* source = fake::gdi::FindBitmap(bitmap);
    if (ShouldFail("GetDIBits") || !fake::gdi::DcAlive(dc) || !source || source->deletePending ||
        !info || info->bmiHeader.biSize != 40 || usage > DIB_PAL_COLORS) {
        return 0;
    }
    BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount == 0) {
        // A description of the bitmap's own format.
        if (bits) {
            return 0;
        }
        header.biWidth = source->width;
        header.biHeight = source->height;
        header.biPlanes = 1;
        header.biBitCount = static_cast<WORD>(source->bits);
        header.biCompression = source->bits >= 16 ? BitfieldsCompression : BI_RGB;
        header.biSizeImage = Stride(source->bits, source->width) * DWORD(source->height);
        return 1;
    }
    if (header.biWidth <= 0 || header.biHeight == 0 || !SupportedBits(header.biBitCount) ||
        header.biCompression != BI_RGB) {
        return 0;
    }
    LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    DWORD stride = Stride(header.biBitCount, header.biWidth);
    header.biSizeImage = stride * DWORD(rows);
    header.biClrUsed = 0;
    header.biClrImportant = 0;

    std::vector<DWORD> table;
    if (header.biBitCount <= 8) {
        int entries = 1 << header.biBitCount;
        auto* colors = reinterpret_cast<BYTE*>(info->bmiColors);
        if (usage == DIB_PAL_COLORS) {
            for (int i = 0; i < entries; ++i) {
                colors[2 * i] = static_cast<BYTE>(i);
                colors[2 * i + 1] = static_cast<BYTE>(i >> 8);
            }
            int known = std::min(entries, fake::gdi::DefaultPaletteSize);
            table.assign(fake::gdi::DefaultPaletteColors, fake::gdi::DefaultPaletteColors + known);
        } else {
            table = PlatformTable(header.biBitCount);
            for (int i = 0; i < entries; ++i) {
                const RGBQUAD quad{static_cast<BYTE>(table[i]), static_cast<BYTE>(table[i] >> 8),
                                   static_cast<BYTE>(table[i] >> 16), 0};
                std::memcpy(colors + 4 * i, &quad, 4);
            }
        }
    }
    if (!bits) {
        return 1;
    }
    auto* out = static_cast<BYTE*>(bits);
    UINT copied = 0;
    for (UINT line = start; line < start + lines && line < UINT(rows); ++line, ++copied) {
        BYTE* row = out + std::size_t{stride} * copied;
        std::memset(row, 0, stride);
        LONG y = header.biHeight > 0 ? rows - 1 - LONG(line) : LONG(line);
        for (LONG x = 0; x < header.biWidth; ++x) {
            DWORD rgb = x < source->width && y < source->height
                            ? source->pixels[static_cast<std::size_t>(y) * source->width + x]
                            : 0;
            WritePixel(row, x, header.biBitCount, rgb, table);
        }
    }
    return static_cast<int>(copied);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    DibFormat size;
    if (ShouldFail("CreateDIBitmap") || !header || (dc && !fake::gdi::DcAlive(dc)) ||
        usage > DIB_PAL_COLORS ||
        !ReadFormat(reinterpret_cast<const BYTE*>(header), Unbounded, &size)) {
        return nullptr;
    }
    // With no context the platform makes a monochrome bitmap.
    int kept = dc ? fake::gdi::CompatibleBits(dc) : 1;
    if (!(init & CBM_INIT)) {
        return fake::gdi::AddBitmap(size.width, size.height < 0 ? -size.height : size.height, kept);
    }
    DibFormat format;
    auto* infoBytes = reinterpret_cast<const BYTE*>(info);
    if (!bits || !info || !ReadFormat(infoBytes, Unbounded, &format) ||
        format.width != size.width || format.height != size.height) {
        return nullptr;
    }
    std::vector<DWORD> table = TableColors(infoBytes + format.headerSize, format, usage);
    return AddDecoded(format, static_cast<const BYTE*>(bits), table, kept);
}

} // namespace polkamoot
