// The operations of platform.h that the page answers itself about time and the cursor, beside
// the model, the display and what any program over the model answers (model/standalone.cpp).
#include "platform/model/model.h"
#include "platform/web/web.h"

#include <emscripten/emscripten.h>

namespace polkamoot {

namespace {

POINT cursor;

} // namespace

void web::MoveCursor(POINT at) {
    cursor = at;
}

BOOL GetCursorPos(POINT* point) {
    *point = cursor;
    return 1;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(static_cast<unsigned long long>(emscripten_get_now()));
}

// Nothing waits in a page; yielding is what returning does.
void Sleep(DWORD) {}

} // namespace polkamoot
