// The browser page: one canvas filling the window, black, the saver's window drawn into it in the
// device's pixels at the integer scale nearest the device pixel ratio. The browser's event loop
// calls the program, never the reverse: a timeout set for the next due timer, and every input
// event, dispatch what the model holds and show the rectangles that changed.
//
// In the page a run is the host's preview run, which input never closes; in the browser's full
// screen it is the host's full-screen run, whose close rules decide when a key, a button or mouse
// travel leaves, and the page then leaves full screen. A change of size sets the troupe up anew.
// Not supported: a blocking message loop (GetMessageA gives up at once), more than one canvas.
#include "host/host.h"
#include "platform/model/model.h"
#include "platform/web/web.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

#include <algorithm>

namespace polkamoot {

namespace {

// In device pixels, and the integer scale nearest the device pixel ratio.
struct Size {
    int width = 0;
    int height = 0;
    int scale = 1;
    bool operator==(const Size&) const = default;
};

struct Run {
    HWND page = nullptr; // the model's stand-in for the page a preview runs in
    HWND window = nullptr;
    bool fullScreen = false;
    bool closing = false; // the page asked the window to close
    Size size;
};

struct Page {
    Run run;
    bool wantFullScreen = false;
    bool refit = false;
    bool pumping = false;
    long timeout = 0;
    POINT cursor{};
    std::vector<DWORD> rgba; // the canvas as shown, bytes red, green, blue, alpha
    std::vector<RECT> damage;
};

Page page;

Size PageSize() {
    int size[3] = {};
    polkamoot_page_size(size);
    return {std::max(size[0], 1), std::max(size[1], 1), std::max(size[2], 1)};
}

void StartRun() {
    Run run;
    run.fullScreen = page.wantFullScreen;
    run.size = PageSize();
    const Size& size = run.size;
    polkamoot_size_canvas(size.width, size.height);
    HostState = HostRecord{}; // every run starts as a fresh process would
    HostState.instance = model::Instance();
    model::UnregisterClasses();
    model::SetScreenSize(size.width, size.height);
    model::SetScreenDpi(96 * size.scale);
    page.rgba.assign(static_cast<std::size_t>(size.width) * size.height, 0xFF000000);
    page.damage.clear();
    if (!run.fullScreen) {
        model::WindowInfo info;
        info.className = "PolkamootPage";
        info.width = size.width;
        info.height = size.height;
        run.page = model::AddWindow(info);
    }
    int result = 0;
    run.window = OpenSaverWindow(run.page, &result);
    if (!run.window) {
        polkamoot_warn("Polkamoot: the bears could not be set up");
    }
    page.run = run;
}

// The run's window is gone. A run the page did not end ended by itself: a full-screen run by the
// user's input, which leaves full screen; a preview run only by a failure, which is not repeated.
void EndRun() {
    Run ended = page.run;
    UnloadPasswordVerifier();
    if (ended.page) {
        DestroyWindow(ended.page);
    }
    page.run = Run{};
    if (ended.fullScreen && !ended.closing) {
        page.wantFullScreen = false;
        polkamoot_leave_full_screen();
    }
    if (ended.closing || ended.fullScreen) {
        StartRun();
    }
}

void Present() {
    const model::Canvas* canvas = model::Surface(page.run.window);
    if (!canvas || canvas->width != page.run.size.width || canvas->height != page.run.size.height) {
        page.damage.clear();
        return;
    }
    for (const RECT& rect : page.damage) {
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            std::size_t row = static_cast<std::size_t>(y) * canvas->width;
            for (LONG x = rect.left; x < rect.right; ++x) {
                DWORD pixel = canvas->pixels[row + x];
                page.rgba[row + x] =
                    0xFF000000 | (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
            }
        }
        polkamoot_present(page.rgba.data(), canvas->width, canvas->height, rect.left, rect.top,
                          rect.right - rect.left, rect.bottom - rect.top);
    }
    page.damage.clear();
}

void OnTimeout(void*) {
    page.timeout = 0;
    web::Pump();
}

void Schedule() {
    if (page.timeout) {
        emscripten_clear_timeout(page.timeout);
        page.timeout = 0;
    }
    DWORD wait = model::TimeToNextTimer();
    if (wait != model::INFINITE) {
        page.timeout = emscripten_set_timeout(OnTimeout, wait, nullptr);
    }
}

// Only the full-screen run takes input, as the saver's own: it decides what leaves.
void PostInput(UINT message, WPARAM wParam) {
    if (page.run.fullScreen && page.run.window) {
        PostMessageA(page.run.window, message, wParam, 0);
        web::Pump();
    }
}

EM_BOOL OnKey(int, const EmscriptenKeyboardEvent* event, void*) {
    web::Gesture();
    PostInput(WM_KEYDOWN, event->keyCode);
    return 0;
}

EM_BOOL OnMouse(int type, const EmscriptenMouseEvent* event, void*) {
    // Screen coordinates, as the host measures travel: the page's own move into full screen
    // moves no cursor.
    page.cursor = POINT{static_cast<LONG>(event->screenX), static_cast<LONG>(event->screenY)};
    if (type == EMSCRIPTEN_EVENT_MOUSEMOVE) {
        PostInput(WM_MOUSEMOVE, 0);
        return 0;
    }
    web::Gesture();
    PostInput(event->button == 2   ? WM_RBUTTONDOWN
              : event->button == 1 ? WM_MBUTTONDOWN
                                   : WM_LBUTTONDOWN,
              0);
    return 0;
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
    if (PageSize() != page.run.size) {
        web::Refit();
    }
    return 0;
}

EM_BOOL OnFullScreen(int, const EmscriptenFullscreenChangeEvent* event, void*) {
    page.wantFullScreen = event->isFullscreen != 0;
    if (page.wantFullScreen && web::PanelOpen()) {
        web::PanelCommand(IDCANCEL);
    }
    if (page.wantFullScreen != page.run.fullScreen) {
        web::Refit();
    }
    return 0;
}

} // namespace

void web::Pump() {
    if (page.pumping) {
        return;
    }
    page.pumping = true;
    if (page.refit) {
        page.refit = false;
        if (!page.run.window) {
            StartRun();
        } else if (!page.run.closing) {
            page.run.closing = true;
            PostMessageA(page.run.window, WM_CLOSE, 0, 0);
        }
    }
    model::PostDueTimers();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            EndRun();
            model::PostDueTimers();
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Present();
    polkamoot_set_cursor(model::Cursor() != nullptr);
    Schedule();
    page.pumping = false;
}

void web::Refit() {
    page.refit = true;
    Pump();
}

bool web::InFullScreen() {
    return page.run.fullScreen;
}

DWORD* backend::WindowPixels(HWND, int, int) {
    return nullptr;
}

// A bear's sprite and the strips it left touch: one rectangle for all three.
void backend::Painted(HWND, const RECT& rect) {
    for (RECT& other : page.damage) {
        if (rect.left <= other.right && other.left <= rect.right && rect.top <= other.bottom &&
            other.top <= rect.bottom) {
            other = RECT{std::min(other.left, rect.left), std::min(other.top, rect.top),
                         std::max(other.right, rect.right), std::max(other.bottom, rect.bottom)};
            return;
        }
    }
    page.damage.push_back(rect);
}

// Nothing can block in a page: whoever waits for a message waits in vain.
bool backend::WaitForMessages(DWORD) {
    return false;
}

BOOL GetCursorPos(POINT* point) {
    *point = page.cursor;
    return 1;
}

DWORD GetTickCount() {
    return static_cast<DWORD>(static_cast<unsigned long long>(emscripten_get_now()));
}

// Nothing waits in a page; yielding is what returning does.
void Sleep(DWORD) {}

} // namespace polkamoot

int main() {
    using namespace polkamoot;
    HostState.instance = model::Instance(); // the profile's names are among its strings
    web::LoadSettings();
    polkamoot_page_open();
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, 0, OnKey);
    emscripten_set_mousedown_callback(window, nullptr, 0, OnMouse);
    emscripten_set_mousemove_callback(window, nullptr, 0, OnMouse);
    emscripten_set_resize_callback(window, nullptr, 0, OnResize);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, 0,
                                             OnFullScreen);
    web::Refit();
    return 0;
}
