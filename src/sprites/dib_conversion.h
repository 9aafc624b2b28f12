// Device bitmaps to packed device-independent bitmaps and back, through the screen's drawing
// context. Both hand their result to the caller and leave their input alone.
//
// A 4-bit image asked for with DIB_RGB_COLORS always carries StandardColorTable: each pixel
// becomes the position of the nearest table color, on any display depth. The platform would
// put its own sixteen colors there instead, in an order that differs between systems. Every
// other format is the platform's.
#pragma once

#include "sprites/packed_dib.h"

namespace polkamoot {

// palette null: the stock default palette. bitCount 0: the bitmap's own depth.
PackedDib MakeDibFromBitmap(HBITMAP bitmap, HPALETTE palette, WORD bitCount, DWORD compression,
                            WORD colorUse);

// palette null: whatever the screen context holds. colorUse as the dib was made with.
HBITMAP MakeBitmapFromDib(PackedDib dib, HPALETTE palette, WORD colorUse);

} // namespace polkamoot
