// Any size, pixels, maps and count through the recoloring: a new bitmap of the same size, and
// nothing held afterwards. The bytes: width, height, count, the two maps, a gray a pixel.
#include "fuzz_support.h"

#include "sprites/recolor.h"

#include <algorithm>
#include <vector>

using namespace polkamoot;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FreshProcess();
    std::size_t at = 0;
    auto next = [&] { return at < size ? data[at++] : BYTE{0}; };
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
