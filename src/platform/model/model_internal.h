// Shared by the model's own files.
#pragma once

#include "platform/model/model.h"

namespace polkamoot::model::detail {

void Fault(std::string what);

bool WindowAlive(HWND window);
// The window's surface, made black at the size of its client area when first asked for, in
// memory the backend lends or the model's own; null for a window that is not alive, or when
// there is no memory for it.
Canvas* SurfaceOf(HWND window);

bool DcAlive(HDC dc);
// A counted bitmap holding the image.
HBITMAP AddBitmap(Image image);
// The pixels of a live bitmap, or null.
const Image* BitmapPixels(HGDIOBJ bitmap);
// A bitmap from a packed device-independent bitmap, as a bitmap resource holds one; null for a
// form the model does not read.
HBITMAP BitmapFromPackedDib(const BYTE* dib, DWORD size);

void ResetWindows();
void ResetGdi();
void ResetMemory();
void ResetResources();
void ResetProfiles();

} // namespace polkamoot::model::detail
