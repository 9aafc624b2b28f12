// Any header through the bitmap readers, and any image size, content, maps and count through
// the recoloring, with any one of its platform steps failing: a new bitmap of the same size
// or null, the input untouched, nothing held afterwards.
#include "fuzz_support.h"

#include "fake/fake.h"
#include "sprites/packed_dib.h"
#include "sprites/recolor.h"
#include "sprites/standard_colors.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

using namespace polkamoot;

namespace {

// Reads the input front to back; past its end every byte is zero.
struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    std::uint8_t Byte() { return at < size ? data[at++] : 0; }
    int Word() { return Byte() | Byte() << 8; }
};

void ReadHeader(Reader& input) {
    std::uint8_t header[InfoHeaderSize] = {};
    for (std::uint8_t& byte : header) {
        byte = input.Byte();
    }
    bool infoHeader = header[0] == InfoHeaderSize && !header[1] && !header[2] && !header[3];
    fuzz::Require(DibColorTableSize(header) == DibColorCount(header) * (infoHeader ? 4u : 3u),
                  "table entries of the header's kind");
    (void)DibImageWidth(header);
    (void)DibImageHeight(header);
    (void)DibRowBytes(DibBitCount(header), DibImageWidth(header));
}

const char* const FailingSteps[] = {"GlobalAlloc",       "GlobalReAlloc",  "GlobalLock",
                                    "GetDIBits",         "CreateDIBitmap", "GetDC",
                                    "CreateCompatibleDC"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshProcess();
    Reader input{data, size};
    ReadHeader(input);

    fake::Image image;
    image.width = 1 + input.Word() % 300;
    image.height = 1 + input.Word() % 200;
    for (int i = 0; i < image.width * image.height; ++i) {
        std::uint8_t pick = input.Byte();
        const RGBQUAD& standard = StandardColorTable[pick % 16];
        image.pixels.push_back(pick < 0xF0
                                   ? fake::Rgb(standard.rgbRed, standard.rgbGreen, standard.rgbBlue)
                                   : fake::Rgb(input.Byte(), input.Byte(), pick));
    }
    int count = static_cast<std::int8_t>(input.Byte());
    std::vector<BYTE> fromMap(std::max(count, 4)), toMap(fromMap.size());
    for (std::size_t i = 0; i < fromMap.size(); ++i) {
        fromMap[i] = input.Byte();
        toMap[i] = input.Byte();
    }
    std::uint8_t failure = input.Byte();
    if (failure < std::size(FailingSteps) * 8) {
        fake::FailCall(FailingSteps[failure % std::size(FailingSteps)], failure / 8 % 4);
    }

    HBITMAP source = fake::MakeBitmap(image);
    fake::Image before = fake::BitmapImage(source);
    HBITMAP result = RecolorBitmap(source, fromMap.data(), toMap.data(), count);
    fuzz::Require(fake::BitmapImage(source) == before, "the input is untouched");
    if (result) {
        fake::Image after = fake::BitmapImage(result);
        fuzz::Require(after.width == image.width && after.height == image.height, "same size");
        DeleteObject(result);
    }
    DeleteObject(source);
    fuzz::RequireNothingHeld("the recoloring");
    return 0;
}
