// A sprite frame in another coloring: its 4-bit values exchanged from one color map to
// another (recolor_table.h says how). The input is neither changed nor freed; the new bitmap
// belongs to the caller. Null on failure.
#pragma once

#include "platform/platform.h"

namespace polkamoot {

HBITMAP RecolorBitmap(HBITMAP bitmap, const BYTE* fromMap, const BYTE* toMap, int count);

} // namespace polkamoot
