// Windows, classes, the message queue, timers and the cursor of the model.
//
// One thread, one queue. A window runs its class procedure; destroying it sends WM_DESTROY,
// destroys its children and stops its timers. GetMessageA returns what was posted first, then
// the quit request, then due timers, and asks the backend to wait when there is nothing. A
// timer fires every period, at least every 10 ms.
// Not modelled: positions on the screen, z-order, visibility, activation, painting messages,
// other threads, class styles, icons and brushes (a window's surface starts black).
#include "platform/model/model_internal.h"

#include <algorithm>
#include <deque>
#include <map>
#include <memory>
#include <new>
#include <utility>

namespace polkamoot {

namespace {

using model::Kind;
using model::Lower;

constexpr UINT ShortestPeriod = 10;
const HCURSOR Arrow = reinterpret_cast<HCURSOR>(std::uintptr_t{0xA770});
const HCURSOR Wait = reinterpret_cast<HCURSOR>(std::uintptr_t{0xBA17});

struct WindowRecord {
    model::WindowInfo info;
    WNDPROC procedure = nullptr;
    bool destroying = false;
    model::Canvas surface;
    std::unique_ptr<DWORD[]> ownPixels;
};

struct TimerRecord {
    HWND window;
    UINT_PTR id;
    UINT period;
    DWORD due;
};

struct Windows {
    std::map<std::string, WNDPROC> classes; // by lower-case name
    std::map<HWND, WindowRecord> windows;
    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;
    std::vector<TimerRecord> timers;
    HCURSOR cursor = Arrow;
    HWND foreground = nullptr;
    int screenWidth = 640;
    int screenHeight = 480;
    RECT virtualScreen{}; // none: a system from before those metrics
};

Windows state;

WindowRecord* Find(HWND window) {
    auto found = state.windows.find(window);
    return found != state.windows.end() && found->second.info.alive ? &found->second : nullptr;
}

HWND Add(const model::WindowInfo& info, WNDPROC procedure) {
    auto window = reinterpret_cast<HWND>(model::NewHandle(Kind::Window));
    WindowRecord& record = state.windows[window];
    record.info = info;
    record.info.alive = true;
    record.procedure = procedure;
    return window;
}

LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = Find(window);
    if (!record) {
        return 0;
    }
    if (!record->procedure) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return record->procedure(window, message, wParam, lParam);
}

// Wrapping tick counts compare by their difference.
bool IsDue(const TimerRecord& timer, DWORD now) {
    return static_cast<LONG>(timer.due - now) <= 0;
}

bool TimerWaiting(const TimerRecord& timer) {
    return std::any_of(state.queue.begin(), state.queue.end(), [&](const MSG& msg) {
        return msg.hwnd == timer.window && msg.message == WM_TIMER && msg.wParam == timer.id;
    });
}

MSG QuitMessage(int code) {
    return MSG{nullptr, WM_QUIT, static_cast<WPARAM>(code), 0, GetTickCount(), {}};
}

} // namespace

namespace model {

void detail::ResetWindows() {
    state = Windows{};
}

bool detail::WindowAlive(HWND window) {
    return Find(window) != nullptr;
}

Canvas* detail::SurfaceOf(HWND window) {
    WindowRecord* record = Find(window);
    if (!record) {
        return nullptr;
    }
    Canvas& surface = record->surface;
    if (!surface.pixels) {
        surface.width = std::max(record->info.width, 0);
        surface.height = std::max(record->info.height, 0);
        std::size_t count = static_cast<std::size_t>(surface.width) * surface.height;
        surface.pixels =
            count ? backend::WindowPixels(window, surface.width, surface.height) : nullptr;
        if (surface.pixels) {
            std::fill_n(surface.pixels, count, 0);
        } else {
            // A window larger than memory allows is left undrawn rather than ending the program.
            record->ownPixels.reset(new (std::nothrow) DWORD[std::max<std::size_t>(count, 1)]());
            surface.pixels = record->ownPixels.get();
        }
    }
    return surface.pixels ? &surface : nullptr;
}

HWND AddWindow(const WindowInfo& info) {
    return Add(info, nullptr);
}

WindowInfo Info(HWND window) {
    auto found = state.windows.find(window);
    return found != state.windows.end() ? found->second.info : WindowInfo{};
}

void SetScreenSize(int width, int height) {
    state.screenWidth = width;
    state.screenHeight = height;
}

void SetVirtualScreen(int x, int y, int width, int height) {
    state.virtualScreen = {x, y, width, height};
}

void SetForeground(HWND window) {
    state.foreground = window;
}

void UnregisterClasses() {
    state.classes.clear();
}

LRESULT DefaultWindowProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_SETTEXT:
        if (WindowRecord* record = Find(window)) {
            record->info.title = reinterpret_cast<const char*>(lParam);
        }
        return 1;
    default: return 0;
    }
}

const Canvas* Surface(HWND window) {
    WindowRecord* record = Find(window);
    return record && record->surface.pixels ? &record->surface : nullptr;
}

std::vector<MSG> Queue() {
    return {state.queue.begin(), state.queue.end()};
}

void PostDueTimers() {
    DWORD now = GetTickCount();
    for (;;) {
        auto next = std::min_element(state.timers.begin(), state.timers.end(),
                                     [](const TimerRecord& a, const TimerRecord& b) {
                                         return static_cast<LONG>(a.due - b.due) < 0;
                                     });
        if (next == state.timers.end() || !IsDue(*next, now)) {
            return;
        }
        if (!TimerWaiting(*next)) {
            state.queue.push_back(MSG{next->window, WM_TIMER, next->id, 0, next->due, {}});
        }
        UINT period = std::max(next->period, ShortestPeriod);
        next->due += ((now - next->due) / period + 1) * period;
    }
}

DWORD TimeToNextTimer() {
    DWORD now = GetTickCount();
    DWORD wait = INFINITE;
    for (const TimerRecord& timer : state.timers) {
        wait = std::min(wait, IsDue(timer, now) ? 0 : timer.due - now);
    }
    return wait;
}

std::vector<TimerInfo> Timers() {
    std::vector<TimerInfo> timers;
    for (const TimerRecord& timer : state.timers) {
        timers.push_back({timer.window, timer.id, timer.period});
    }
    return timers;
}

HCURSOR Cursor() {
    return state.cursor;
}

HCURSOR WaitCursor() {
    return Wait;
}

} // namespace model

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    std::string name = Lower(windowClass->lpszClassName);
    if (backend::ShouldFail("RegisterClassA") || state.classes.count(name)) {
        return 0;
    }
    state.classes[name] = windowClass->lpfnWndProc;
    return static_cast<ATOM>(0xC000 + state.classes.size());
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, std::nullptr_t, HINSTANCE,
                     std::nullptr_t) {
    auto found = state.classes.find(Lower(className));
    if (found == state.classes.end() || backend::ShouldFail("CreateWindowExA") ||
        (parent && !Find(parent))) {
        return nullptr;
    }
    model::WindowInfo info{className, title, style, exStyle, parent, x, y, width, height, true};
    HWND window = Add(info, found->second);
    if (Deliver(window, WM_CREATE, 0, 0) == -1 && Find(window)) {
        DestroyWindow(window);
    }
    return Find(window) ? window : nullptr;
}

BOOL DestroyWindow(HWND window) {
    WindowRecord* record = Find(window);
    if (!record || record->destroying) {
        return 0;
    }
    record->destroying = true;
    Deliver(window, WM_DESTROY, 0, 0);
    for (auto& [child, childRecord] : state.windows) {
        if (childRecord.info.parent == window && childRecord.info.alive) {
            DestroyWindow(child);
        }
    }
    for (auto timer = state.timers.begin(); timer != state.timers.end();) {
        if (timer->window == window) {
            model::Release(Kind::Timer);
            timer = state.timers.erase(timer);
        } else {
            ++timer;
        }
    }
    WindowRecord& gone = state.windows[window];
    gone.info.alive = false;
    gone.surface = model::Canvas{};
    gone.ownPixels.reset();
    model::Release(Kind::Window);
    return 1;
}

HWND FindWindowA(const char* className, const char* title) {
    for (auto& [window, record] : state.windows) {
        const model::WindowInfo& info = record.info;
        if (info.alive && !info.parent && Lower(info.className) == Lower(className) &&
            info.title == title) {
            return window;
        }
    }
    return nullptr;
}

BOOL IsWindow(HWND window) {
    return Find(window) != nullptr;
}

HWND GetParent(HWND window) {
    WindowRecord* record = Find(window);
    return record ? record->info.parent : nullptr;
}

HWND GetForegroundWindow() {
    return state.foreground;
}

BOOL SetForegroundWindow(HWND window) {
    if (!Find(window)) {
        return 0;
    }
    state.foreground = window;
    return 1;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    WindowRecord* record = Find(window);
    if (!record) {
        return 0;
    }
    *rect = RECT{0, 0, record->info.width, record->info.height};
    return 1;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return state.screenWidth;
    case SM_CYSCREEN: return state.screenHeight;
    case SM_XVIRTUALSCREEN: return state.virtualScreen.left;
    case SM_YVIRTUALSCREEN: return state.virtualScreen.top;
    case SM_CXVIRTUALSCREEN: return state.virtualScreen.right;
    case SM_CYVIRTUALSCREEN: return state.virtualScreen.bottom;
    default: return 0;
    }
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !Find(window)) {
        return 0;
    }
    state.queue.push_back(MSG{window, message, wParam, lParam, GetTickCount(), {}});
    return 1;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removal) {
    auto matches = [&](UINT message) {
        return (filterMin == 0 && filterMax == 0) || (message >= filterMin && message <= filterMax);
    };
    for (auto queued = state.queue.begin(); queued != state.queue.end(); ++queued) {
        if ((!window || queued->hwnd == window) && matches(queued->message)) {
            *msg = *queued;
            if (removal & PM_REMOVE) {
                state.queue.erase(queued);
            }
            return 1;
        }
    }
    if (state.quitPending && matches(WM_QUIT)) {
        *msg = QuitMessage(state.quitCode);
        if (removal & PM_REMOVE) {
            state.quitPending = false;
        }
        return 1;
    }
    return 0;
}

// What the filter lets through, the quit request behind everything else; waits for it.
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
    for (;;) {
        if (PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
            return msg->message != WM_QUIT;
        }
        model::PostDueTimers();
        if (!PeekMessageA(msg, window, filterMin, filterMax, PM_NOREMOVE) &&
            !backend::WaitForMessages(model::TimeToNextTimer())) {
            *msg = QuitMessage(-1);
            return 0;
        }
    }
}

BOOL TranslateMessage(const MSG*) {
    return 0;
}

LRESULT DispatchMessageA(const MSG* msg) {
    return Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

void PostQuitMessage(int exitCode) {
    state.quitPending = true;
    state.quitCode = exitCode;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT period, std::nullptr_t) {
    if (!Find(window) || backend::ShouldFail("SetTimer")) {
        return 0;
    }
    auto existing =
        std::find_if(state.timers.begin(), state.timers.end(),
                     [&](const TimerRecord& t) { return t.window == window && t.id == id; });
    if (existing != state.timers.end()) {
        state.timers.erase(existing);
    } else {
        model::NewHandle(Kind::Timer);
    }
    state.timers.push_back({window, id, period, GetTickCount() + std::max(period, ShortestPeriod)});
    return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto found = std::find_if(state.timers.begin(), state.timers.end(), [&](const TimerRecord& t) {
        return t.window == window && t.id == id;
    });
    if (found == state.timers.end()) {
        return 0;
    }
    state.timers.erase(found);
    model::Release(Kind::Timer);
    return 1;
}

HCURSOR SetCursor(HCURSOR cursor) {
    return std::exchange(state.cursor, cursor);
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name) {
    return !instance && name == IDC_WAIT ? Wait : nullptr;
}

} // namespace polkamoot
