// The page's display: one canvas filling the window, black, with the device's pixels; the
// saver's window is drawn in the model and only the rectangles that changed are shown.
#include "platform/model/model.h"
#include "platform/web/web.h"

#include <algorithm>
#include <vector>

namespace polkamoot {

namespace {

struct Display {
    web::Size size;
    std::vector<DWORD> rgba; // the canvas as shown, bytes red, green, blue, alpha
    std::vector<RECT> damage;
};

Display display;

} // namespace

web::Size web::PageSize() {
    int size[3] = {};
    polkamoot_page_size(size);
    return {std::max(size[0], 1), std::max(size[1], 1), std::max(size[2], 1)};
}

void web::StartDisplay(const Size& size) {
    polkamoot_size_canvas(size.width, size.height);
    model::SetScreenSize(size.width, size.height);
    model::SetScreenDpi(96 * size.scale);
    display.size = size;
    display.rgba.assign(static_cast<std::size_t>(size.width) * size.height, 0xFF000000);
    display.damage.clear();
}

void web::Present(HWND window) {
    const model::Canvas* canvas = model::Surface(window);
    if (!canvas || canvas->width != display.size.width || canvas->height != display.size.height) {
        display.damage.clear();
        return;
    }
    for (const RECT& rect : display.damage) {
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            std::size_t row = static_cast<std::size_t>(y) * canvas->width;
            for (LONG x = rect.left; x < rect.right; ++x) {
                DWORD pixel = canvas->pixels[row + x];
                display.rgba[row + x] =
                    0xFF000000 | (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
            }
        }
        polkamoot_present(display.rgba.data(), canvas->width, canvas->height, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top);
    }
    display.damage.clear();
}

DWORD* backend::WindowPixels(HWND, int, int) {
    return nullptr;
}

void backend::Painted(HWND, const RECT& rect) {
    model::AddDamage(display.damage, rect);
}

} // namespace polkamoot
