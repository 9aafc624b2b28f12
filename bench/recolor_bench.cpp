// The recoloring pass over a sprite's pixel bytes: the byte table against the two nibble
// searches it replaces, for one frame and for the fifty frames of a five-bear setup.
#include "sprites/color_maps.h"
#include "sprites/recolor_table.h"
#include "sprites/standard_colors.h"

#include "literal_recolor.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace polkamoot {
namespace {

constexpr int Width = 148;
constexpr int Height = 127;
constexpr std::size_t Stride = 76;
constexpr std::size_t FrameBytes = Stride * Height; // 9652
constexpr int Bears = 5;
constexpr int FramesPerBear = 10;

// 4-bit rows in the sprites' proportions: about 60% black, 25% body, 10% outline, 5% collar.
std::vector<BYTE> SpriteRows(unsigned start) {
    std::vector<BYTE> rows(FrameBytes, 0);
    unsigned state = start;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            state = state * 214013 + 2531011;
            unsigned roll = (state >> 16) % 100;
            BYTE value = roll < 60 ? 0 : roll < 85 ? 9 : roll < 95 ? 1 : roll < 98 ? 10 : 2;
            rows[y * Stride + x / 2] |= static_cast<BYTE>(x % 2 ? value : value << 4);
        }
    }
    return rows;
}

void TableRecolor(BYTE* pixels, std::size_t size, const BYTE* from, const BYTE* to) {
    RecolorPixelBytes(pixels, size, MakeRecolorTable(from, to, 4));
}

void LiteralRecolor(BYTE* pixels, std::size_t size, const BYTE* from, const BYTE* to) {
    reference::LiteralRecolorRows(pixels, size, from, to, 4);
}

// Back and forth between map 0 and map 4, so every pass meets frames in role colors.
template <auto Recolor> void OneFrame(benchmark::State& state) {
    std::vector<BYTE> frame = SpriteRows(1);
    int from = 0, to = 4;
    for (auto _ : state) {
        Recolor(frame.data(), frame.size(), ColorMaps[from], ColorMaps[to]);
        benchmark::DoNotOptimize(frame.data());
        std::swap(from, to);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{FrameBytes});
}

// Ten frames as loaded, recolored from map 0 for each of five bears of colors 0 to 4.
template <auto Recolor> void FiveBearSetup(benchmark::State& state) {
    std::vector<std::vector<BYTE>> loaded;
    for (int frame = 0; frame < FramesPerBear; ++frame) {
        loaded.push_back(SpriteRows(100u + frame));
    }
    std::vector<std::vector<BYTE>> work(Bears * FramesPerBear);
    for (auto _ : state) {
        state.PauseTiming();
        for (std::size_t i = 0; i < work.size(); ++i) {
            work[i] = loaded[i % FramesPerBear];
        }
        state.ResumeTiming();
        for (std::size_t i = 0; i < work.size(); ++i) {
            Recolor(work[i].data(), work[i].size(), ColorMaps[0], ColorMaps[i / FramesPerBear]);
        }
        benchmark::DoNotOptimize(work.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{FrameBytes} * Bears * FramesPerBear);
}

// The other pass of a recoloring: a frame read at 32 bits, indexed by color.
void IndexOneFrame(benchmark::State& state) {
    std::vector<BYTE> indexed = SpriteRows(1);
    std::vector<BYTE> rgb;
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            BYTE value =
                x % 2 ? indexed[y * Stride + x / 2] & 15 : indexed[y * Stride + x / 2] >> 4;
            const RGBQUAD& color = StandardColorTable[value];
            rgb.insert(rgb.end(), {color.rgbBlue, color.rgbGreen, color.rgbRed, 0});
        }
    }
    for (auto _ : state) {
        IndexRowsByStandardColors(rgb.data(), Width, Height, indexed.data());
        benchmark::DoNotOptimize(indexed.data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(rgb.size()));
}

BENCHMARK(IndexOneFrame)->Name("OneFrame/IndexByColor");
BENCHMARK(OneFrame<TableRecolor>)->Name("OneFrame/ByteTable");
BENCHMARK(OneFrame<LiteralRecolor>)->Name("OneFrame/NibbleSearch");
BENCHMARK(FiveBearSetup<TableRecolor>)->Name("FiveBearSetup/ByteTable");
BENCHMARK(FiveBearSetup<LiteralRecolor>)->Name("FiveBearSetup/NibbleSearch");

} // namespace
} // namespace polkamoot

BENCHMARK_MAIN();
