// Checks the committed art, cries and icon against the formats the saver relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadResourceFile(const std::string& name) {
    std::ifstream in(std::string(POLKAMOOT_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le16(const Bytes& b, std::size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return Le16(b, at) | Le16(b, at + 2) << 16;
}

std::string Tag(const Bytes& b, std::size_t at) {
    return std::string(b.begin() + at, b.begin() + at + 4);
}

using Rgb = std::array<std::uint8_t, 3>;

// The sprites' stored table: entry i of the file.
const std::array<Rgb, 16> kStoredTable = {{{0, 0, 0},
                                           {0, 0, 128},
                                           {0, 128, 0},
                                           {0, 128, 128},
                                           {128, 0, 0},
                                           {128, 0, 128},
                                           {128, 128, 0},
                                           {128, 128, 128},
                                           {192, 192, 192},
                                           {0, 0, 255},
                                           {0, 255, 0},
                                           {0, 255, 255},
                                           {255, 0, 0},
                                           {255, 0, 255},
                                           {255, 255, 0},
                                           {255, 255, 255}}};

// The order in which the program reads 4-bit values; the icon carries it.
const std::array<Rgb, 16> kStandardTable = {{{0, 0, 0},
                                             {128, 0, 0},
                                             {0, 128, 0},
                                             {128, 128, 0},
                                             {0, 0, 128},
                                             {128, 0, 128},
                                             {0, 128, 128},
                                             {192, 192, 192},
                                             {128, 128, 128},
                                             {255, 0, 0},
                                             {0, 255, 0},
                                             {255, 255, 0},
                                             {0, 0, 255},
                                             {255, 0, 255},
                                             {0, 255, 255},
                                             {255, 255, 255}}};

void ExpectColorTable(const Bytes& b, std::size_t at, const std::array<Rgb, 16>& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::size_t e = at + 4 * i;
        EXPECT_EQ((Rgb{b.at(e + 2), b.at(e + 1), b.at(e)}), table[i]) << "entry " << i;
        EXPECT_EQ(b.at(e + 3), 0) << "entry " << i;
    }
}

// Standard value of a color, or -1 when the color is not in the table.
int StandardValue(const Rgb& color) {
    const auto it = std::find(kStandardTable.begin(), kStandardTable.end(), color);
    return it == kStandardTable.end() ? -1 : static_cast<int>(it - kStandardTable.begin());
}

constexpr int kSpriteWidth = 148;
constexpr int kSpriteHeight = 127;
constexpr int kSpriteStride = 76;
constexpr std::size_t kPixelsAt = 14 + 40 + 64;

struct Sprite {
    Bytes file;
    // Stored index of the pixel at column x of row y, counted from the top.
    int At(int x, int y) const {
        const std::uint8_t byte =
            file.at(kPixelsAt + (kSpriteHeight - 1 - y) * kSpriteStride + x / 2);
        return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
    }
    int StandardAt(int x, int y) const { return StandardValue(kStoredTable[At(x, y)]); }
};

Sprite LoadSprite(int frame, char facing) {
    return {ReadResourceFile("sprites/bear" + std::to_string(frame) + facing + ".bmp")};
}

TEST(SpriteFiles, HeaderAndColorTableAreThePackedFourBitLayout) {
    for (int frame = 1; frame <= 5; ++frame) {
        for (char facing : {'r', 'l'}) {
            SCOPED_TRACE(std::to_string(frame) + facing);
            const Bytes b = LoadSprite(frame, facing).file;
            ASSERT_EQ(b.size(), 14u + 9756u);
            EXPECT_EQ(b[0], 'B');
            EXPECT_EQ(b[1], 'M');
            EXPECT_EQ(Le32(b, 2), 9770u);
            EXPECT_EQ(Le32(b, 10), kPixelsAt);
            const std::array<std::uint32_t, 11> expected = {40,   148,  127,  1, 4, 0,
                                                            9652, 3780, 3780, 0, 0};
            const std::array<std::uint32_t, 11> actual = {
                Le32(b, 14), Le32(b, 18), Le32(b, 22), Le16(b, 26), Le16(b, 28), Le32(b, 30),
                Le32(b, 34), Le32(b, 38), Le32(b, 42), Le32(b, 46), Le32(b, 50)};
            EXPECT_EQ(actual, expected);
            ExpectColorTable(b, 54, kStoredTable);
        }
    }
}

TEST(SpriteFiles, PixelsUseOnlyTheRoleColorsWithBlackBordersAndZeroPadding) {
    const std::set<int> roles = {0, 1, 2, 9, 10};
    for (int frame = 1; frame <= 5; ++frame) {
        for (char facing : {'r', 'l'}) {
            SCOPED_TRACE(std::to_string(frame) + facing);
            const Sprite s = LoadSprite(frame, facing);
            std::array<int, 16> count{};
            for (int y = 0; y < kSpriteHeight; ++y) {
                for (int x = 0; x < kSpriteWidth; ++x) {
                    const int v = s.StandardAt(x, y);
                    ASSERT_TRUE(roles.count(v)) << "value " << v << " at " << x << ", " << y;
                    ++count[v];
                    const bool border =
                        x == 0 || y == 0 || x == kSpriteWidth - 1 || y == kSpriteHeight - 1;
                    if (border) {
                        EXPECT_EQ(v, 0) << "border pixel " << x << ", " << y;
                    }
                }
                const std::size_t row = kPixelsAt + y * kSpriteStride;
                EXPECT_EQ(s.file.at(row + 74), 0);
                EXPECT_EQ(s.file.at(row + 75), 0);
            }
            // The body dominates its outline, and the collar shows in both greens.
            EXPECT_GT(count[9], count[1]);
            EXPECT_GT(count[1], 0);
            EXPECT_GT(count[10], count[2]);
            EXPECT_GT(count[2], 0);
            EXPECT_GT(count[0], kSpriteWidth * kSpriteHeight / 3);
        }
    }
}

TEST(SpriteFiles, LeftFramesMirrorRightFrames) {
    for (int frame = 1; frame <= 5; ++frame) {
        SCOPED_TRACE(frame);
        const Sprite right = LoadSprite(frame, 'r');
        const Sprite left = LoadSprite(frame, 'l');
        int differences = 0;
        for (int y = 0; y < kSpriteHeight; ++y) {
            for (int x = 0; x < kSpriteWidth; ++x) {
                differences += right.At(x, y) != left.At(kSpriteWidth - 1 - x, y);
            }
        }
        EXPECT_EQ(differences, 0);
    }
}

TEST(SpriteFiles, BearsStandOnOneGroundLineAndFillTheFrame) {
    std::set<int> groundRows;
    for (int frame = 1; frame <= 5; ++frame) {
        const Sprite s = LoadSprite(frame, 'r');
        int top = kSpriteHeight, bottom = -1;
        for (int y = 0; y < kSpriteHeight; ++y) {
            for (int x = 0; x < kSpriteWidth; ++x) {
                if (s.At(x, y) != 0) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        groundRows.insert(bottom);
        EXPECT_GT(bottom - top, kSpriteHeight * 9 / 10) << "frame " << frame;
    }
    EXPECT_EQ(groundRows.size(), 1u);
}

struct Chunk {
    std::string tag;
    std::size_t at; // of the body
    std::uint32_t size;
};

// The chunks of a RIFF file in order; a pad byte follows odd chunks unless the file ends.
std::vector<Chunk> Chunks(const Bytes& b) {
    std::vector<Chunk> chunks;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        chunks.push_back({Tag(b, at), at + 8, Le32(b, at + 4)});
        at += 8 + chunks.back().size + (chunks.back().size & 1);
    }
    return chunks;
}

struct Cry {
    const char* file;
    std::vector<std::string> layout;
    std::uint32_t fmtSize;
};

const Cry kCries[] = {{"snd_ow.wav", {"fmt ", "fact", "data"}, 18},
                      {"snd_ooh.wav", {"fmt ", "data"}, 16},
                      {"snd_mmm.wav", {"fmt ", "data"}, 16},
                      {"snd_hey.wav", {"fmt ", "data"}, 16},
                      {"snd_ooh2.wav", {"fmt ", "data"}, 16}};

TEST(CryFiles, ChunkLayoutsAndFormat) {
    for (const Cry& cry : kCries) {
        SCOPED_TRACE(cry.file);
        const Bytes b = ReadResourceFile(std::string("sounds/") + cry.file);
        ASSERT_GT(b.size(), 44u);
        EXPECT_EQ(Tag(b, 0), "RIFF");
        EXPECT_EQ(Tag(b, 8), "WAVE");
        EXPECT_EQ(Le32(b, 4), b.size() - 8);
        const std::vector<Chunk> chunks = Chunks(b);
        std::vector<std::string> tags;
        for (const Chunk& c : chunks) {
            tags.push_back(c.tag);
        }
        ASSERT_EQ(tags, cry.layout);
        const Chunk& fmt = chunks.front();
        ASSERT_EQ(fmt.size, cry.fmtSize);
        const std::array<std::uint32_t, 6> format = {Le16(b, fmt.at),      Le16(b, fmt.at + 2),
                                                     Le32(b, fmt.at + 4),  Le32(b, fmt.at + 8),
                                                     Le16(b, fmt.at + 12), Le16(b, fmt.at + 14)};
        EXPECT_EQ(format, (std::array<std::uint32_t, 6>{1, 1, 22050, 22050, 1, 8}));
        const Chunk& data = chunks.back();
        EXPECT_EQ(data.at + data.size, b.size()) << "the data chunk ends the file, unpadded";
        if (cry.fmtSize == 18) {
            EXPECT_EQ(Le16(b, fmt.at + 16), 0u);
            EXPECT_EQ(chunks[1].size, 4u);
            EXPECT_EQ(Le32(b, chunks[1].at), data.size);
        }
        const bool hey = std::string(cry.file) == "snd_hey.wav";
        EXPECT_EQ(data.size % 2, hey ? 1u : 0u);
    }
}

TEST(CryFiles, LastAShortMomentAndAreAudibleButUnclipped) {
    for (const Cry& cry : kCries) {
        SCOPED_TRACE(cry.file);
        const Bytes b = ReadResourceFile(std::string("sounds/") + cry.file);
        const Chunk data = Chunks(b).back();
        ASSERT_EQ(data.tag, "data");
        const double ms = data.size * 1000.0 / 22050;
        EXPECT_GE(ms, 117.0);
        EXPECT_LE(ms, 321.0);
        const auto begin = b.begin() + data.at;
        const auto end = begin + data.size;
        const auto [low, high] = std::minmax_element(begin, end);
        EXPECT_GE(*high - 128, 64) << "too quiet";
        EXPECT_GE(128 - *low, 64) << "too quiet";
        EXPECT_GT(*low, 0) << "clipped";
        EXPECT_LT(*high, 255) << "clipped";
        // Faded in and out, so playback starts and stops without a click.
        EXPECT_LE(std::abs(*begin - 128), 4);
        EXPECT_LE(std::abs(*(end - 1) - 128), 4);
    }
}

TEST(IconFile, OneSixteenColorImageWithMask) {
    const Bytes b = ReadResourceFile("icon/polkamoot.ico");
    ASSERT_EQ(b.size(), 6u + 16u + 744u);
    EXPECT_EQ((std::array<std::uint32_t, 3>{Le16(b, 0), Le16(b, 2), Le16(b, 4)}),
              (std::array<std::uint32_t, 3>{0, 1, 1}));
    EXPECT_EQ((std::array<std::uint32_t, 8>{b[6], b[7], b[8], b[9], Le16(b, 10), Le16(b, 12),
                                            Le32(b, 14), Le32(b, 18)}),
              (std::array<std::uint32_t, 8>{32, 32, 16, 0, 1, 4, 744, 22}));
    EXPECT_EQ((std::array<std::uint32_t, 5>{Le32(b, 22), Le32(b, 26), Le32(b, 30), Le16(b, 34),
                                            Le16(b, 36)}),
              (std::array<std::uint32_t, 5>{40, 32, 64, 1, 4}));
    EXPECT_EQ(Le32(b, 38), 0u) << "uncompressed";
    ExpectColorTable(b, 62, kStandardTable);
}

TEST(IconFile, RedBearWithBlackOutlineAndGreenCollarOnClearGround) {
    const Bytes b = ReadResourceFile("icon/polkamoot.ico");
    ASSERT_EQ(b.size(), 766u);
    constexpr std::size_t image = 22 + 40 + 64;
    constexpr std::size_t mask = image + 512;
    // Pixel value at (x, y) from the top, or -1 where the mask makes it transparent.
    auto at = [&](int x, int y) {
        if (x < 0 || y < 0 || x > 31 || y > 31) {
            return -1;
        }
        const int row = 31 - y;
        if (b[mask + row * 4 + x / 8] & (0x80 >> x % 8)) {
            return -1;
        }
        const std::uint8_t byte = b[image + row * 16 + x / 2];
        return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
    };
    std::array<int, 16> count{};
    int clear = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int v = at(x, y);
            if (v < 0) {
                ++clear;
                const int row = 31 - y;
                EXPECT_EQ(b[image + row * 16 + x / 2] >> (x % 2 == 0 ? 4 : 0) & 0x0F, 0)
                    << "transparent pixels hold black, " << x << ", " << y;
                continue;
            }
            ASSERT_TRUE(v == 0 || v == 9 || v == 10) << "value " << v << " at " << x << ", " << y;
            ++count[v];
            if (v != 0) {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    EXPECT_NE(at(x + dx, y + dy), -1) << "unoutlined pixel at " << x << ", " << y;
                }
            }
        }
    }
    EXPECT_GT(clear, 1024 / 3);
    EXPECT_GT(count[9], count[10]);
    EXPECT_GT(count[10], 0);
    EXPECT_GT(count[0], 0);
}

} // namespace
