// The bear colorings: for each color index, the 4-bit values that the sprite's four color
// roles take (body, body outline, collar, collar outline).
#pragma once

#include "platform/platform.h"

namespace polkamoot {

using ColorMap = BYTE[4];

inline constexpr int ColorMapCount = 6;
// Index 0 is the coloring the sprites are drawn in. No map holds 0, so black stays black.
extern const ColorMap ColorMaps[ColorMapCount];

} // namespace polkamoot
