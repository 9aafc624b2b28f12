// Private to the win32 backend: the saver's declarations first, so that the system header's
// macros (WM_CREATE, LOWORD, ...) cannot rewrite them.
#pragma once

#include "platform/platform.h"

#define WIN32_LEAN_AND_MEAN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <mmsystem.h>

static_assert(sizeof(polkamoot::BITMAP) == sizeof(::BITMAP));
static_assert(sizeof(polkamoot::BITMAPINFOHEADER) == sizeof(::BITMAPINFOHEADER));
static_assert(sizeof(polkamoot::BITMAPINFO) == sizeof(::BITMAPINFO));
static_assert(sizeof(polkamoot::RECT) == sizeof(::RECT));
static_assert(sizeof(polkamoot::POINT) == sizeof(::POINT));
static_assert(sizeof(polkamoot::CPINFO) == sizeof(::CPINFO));
