// Shared by the fake's own files; tests use fake.h and its siblings.
#pragma once

#include "fake/fake.h"

#include <cstdint>

namespace polkamoot::fake::detail {

std::uintptr_t NewHandle(Kind kind);
void Release(Kind kind);
bool ShouldFail(const char* operation);

using Procedure = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
// A live window with the given description whose messages go to `procedure` (none: the
// platform's default procedure). Sends nothing.
HWND AddWindow(const WindowInfo& info, Procedure procedure);
bool WindowAlive(HWND window);
RECT ClientRect(HWND window);
DWORD Now();
bool QuitPending();

// Installed by the graphics file: a device bitmap from a packed bitmap resource.
HBITMAP BitmapFromPackedDib(const BYTE* dib, DWORD size);

void ResetWindows();
void ResetSystem();
void ResetGdi();
void ResetDialogs();
void ResetProfile();

} // namespace polkamoot::fake::detail
