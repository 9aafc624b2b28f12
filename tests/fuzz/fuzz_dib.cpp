// Any header through the bitmap readers; any size, pixels, maps and count through the
// recoloring: a new bitmap of the same size, and nothing held afterwards. The bytes: a header,
// width, height, count, the two maps, a gray a pixel.
#include "fuzz_support.h"

#include "sprites/packed_dib.h"
#include "sprites/recolor.h"

#include <algorithm>
#include <vector>

using namespace polkamoot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshProcess();
    std::size_t at = 0;
    auto next = [&] { return at < size ? data[at++] : BYTE{0}; };
    BYTE header[InfoHeaderSize];
    std::generate(std::begin(header), std::end(header), next);
    bool info = header[0] == InfoHeaderSize && !header[1] && !header[2] && !header[3];
    fuzz::Require(DibColorTableSize(header) == DibColorCount(header) * (info ? 4u : 3u),
                  "a table of the header's kind");
    (void)DibRowBytes(DibBitCount(header), DibImageWidth(header) | DibImageHeight(header));
    fake::Image image{1 + next() % 160, 1 + next() % 130, {}};
    int count = static_cast<std::int8_t>(next());
    std::vector<BYTE> maps(2 * std::max(count, 1));
    std::generate(maps.begin(), maps.end(), next);
    for (int i = 0; i < image.width * image.height; ++i) {
        image.pixels.push_back(next() * 0x010101u);
    }
    HBITMAP source = fake::MakeBitmap(image);
    HBITMAP result = RecolorBitmap(source, maps.data(), maps.data() + maps.size() / 2, count);
    fuzz::Require(fake::BitmapImage(result).height == image.height, "the same size");
    DeleteObject(result);
    DeleteObject(source);
    fuzz::RequireNothingHeld("the recoloring");
    return 0;
}
