// The browser page: the saver in the canvas that display.cpp keeps. The browser's event loop
// calls the program, never the reverse: a timeout set for the next due timer, and every input
// event, dispatch what the model holds and show the rectangles that changed.
//
// In the page a run is the host's preview run, which input never closes; in the browser's full
// screen it is the host's full-screen run, whose close rules decide when a key, a button or mouse
// travel leaves, and the page then leaves full screen. A change of size or of the screen's density
// sets the troupe up anew, at most once a frame. A hidden page neither steps nor draws; shown
// again, its bears go on from where they were.
// Not supported: a blocking message loop (GetMessageA gives up at once), more than one canvas.
#include "host/host.h"
#include "platform/model/model.h"
#include "platform/web/web.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>
#include <emscripten/html5.h>

namespace polkamoot {

namespace {

struct Run {
    HWND parent = nullptr; // a preview's: the model's stand-in for the page
    HWND window = nullptr;
    bool fullScreen = false;
    bool closing = false; // the page asked the window to close
    web::Size size;
    HCURSOR cursor = nullptr; // in force before the run, and again after it
};

struct Page {
    Run run;
    bool wantFullScreen = false;
    bool refit = false;
    bool pumping = false;
    bool hidden = false;
    bool frameAsked = false;
    long timeout = 0;
};

Page page;

void StartRun() {
    Run run;
    run.fullScreen = page.wantFullScreen;
    run.size = web::PageSize();
    run.cursor = model::Cursor();
    web::StartDisplay(run.size);
    ResetHost(model::Instance());
    model::UnregisterClasses();
    if (!run.fullScreen) {
        model::WindowInfo parent;
        parent.className = "PolkamootPage";
        parent.width = run.size.width;
        parent.height = run.size.height;
        run.parent = model::AddWindow(parent);
    }
    int result = 0;
    run.window = OpenSaverWindow(run.parent, &result);
    if (!run.window) {
        polkamoot_warn("Polkamoot: the bears could not be set up");
    }
    page.run = run;
    web::Audible(true);
}

// The run's window is gone. A run the page did not end ended by itself: a full-screen run by the
// user's input, which leaves full screen; a preview run only by a failure, which is not repeated.
void EndRun() {
    Run ended = page.run;
    UnloadPasswordVerifier();
    SetCursor(ended.cursor);
    if (ended.parent) {
        DestroyWindow(ended.parent);
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
    if (wait != model::INFINITE && !page.hidden) {
        page.timeout = emscripten_set_timeout(OnTimeout, wait, nullptr);
    }
}

void PostInput(UINT message, WPARAM wParam) {
    if (PostSaverInput(message, wParam)) {
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
    web::MoveCursor(POINT{static_cast<LONG>(event->screenX), static_cast<LONG>(event->screenY)});
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

EM_BOOL OnFrame(double, void*) {
    page.frameAsked = false;
    if (web::PageSize() != page.run.size) {
        web::Refit();
    }
    return 0;
}

// A drag of the window's edge sends resizes faster than the troupe can be set up.
void Resized() {
    if (!page.frameAsked) {
        page.frameAsked = true;
        emscripten_request_animation_frame(OnFrame, nullptr);
    }
}

EM_BOOL OnResize(int, const EmscriptenUiEvent*, void*) {
    Resized();
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
    if (page.pumping || page.hidden) {
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
    web::Present(page.run.window);
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

// Nothing can block in a page: whoever waits for a message waits in vain.
bool backend::WaitForMessages(DWORD) {
    return false;
}

} // namespace polkamoot

int main() {
    using namespace polkamoot;
    ResetHost(model::Instance()); // the profile's names are among its strings
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

// The page's own listeners call in here.
extern "C" {

EMSCRIPTEN_KEEPALIVE void polkamoot_page_resized() {
    polkamoot::Resized();
}

// Timers that fell due while hidden fire once, not once per period missed.
EMSCRIPTEN_KEEPALIVE void polkamoot_page_shown(int shown) {
    using namespace polkamoot;
    page.hidden = !shown;
    web::Audible(shown != 0);
    if (shown) {
        web::Pump();
    } else {
        Schedule();
    }
}
}
