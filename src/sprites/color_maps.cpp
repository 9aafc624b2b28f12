#include "sprites/color_maps.h"

namespace polkamoot {

const ColorMap ColorMaps[ColorMapCount] = {
    {9, 1, 10, 2},  // red, green collar
    {12, 4, 11, 3}, // blue, yellow collar
    {10, 2, 9, 1},  // green, red collar
    {11, 3, 12, 4}, // yellow, blue collar
    {13, 5, 14, 6}, // magenta, cyan collar
    {14, 6, 13, 5}, // cyan, magenta collar
};

} // namespace polkamoot
