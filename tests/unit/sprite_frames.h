// Frames for the sprite tests: images of standard colors drawn in code.
#pragma once

#include "fake/fake.h"
#include "sprites/color_maps.h"
#include "sprites/standard_colors.h"

#include <vector>

namespace polkamoot::frames {

inline DWORD StandardRgb(int value) {
    const RGBQUAD& entry = StandardColorTable[value];
    return fake::Rgb(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
}

// Black ground and the four role colors of map 0 in a pattern that puts every pair of them
// side by side; `others` adds standard colors that no coloring exchanges from map 0.
inline fake::Image RoleFrame(int width, int height, bool others) {
    static const int roles[] = {0, 9, 1, 10, 2, 0, 0};
    static const int withOthers[] = {0, 9, 1, 10, 2, 12, 7, 8, 15, 4, 14};
    fake::Image image{width, height, {}};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int index = x * 3 + y * 5 + x * y % 7;
            image.pixels.push_back(StandardRgb(others ? withOthers[index % 11] : roles[index % 7]));
        }
    }
    return image;
}

// The frame as a recoloring from map `from` to map `to` must leave it, pixel by pixel.
inline fake::Image Recolored(const fake::Image& image, int from, int to) {
    fake::Image result = image;
    for (DWORD& pixel : result.pixels) {
        BYTE value = NearestStandardColor(BYTE(pixel >> 16), BYTE(pixel >> 8), BYTE(pixel));
        for (int k = 0; k < 4; ++k) {
            if (ColorMaps[from][k] == value) {
                pixel = StandardRgb(ColorMaps[to][k]);
                break;
            }
        }
    }
    return result;
}

} // namespace polkamoot::frames
