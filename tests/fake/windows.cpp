#include "fake/fake_internal.h"

#include <algorithm>
#include <cctype>
#include <deque>

namespace polkamoot {

namespace {

using fake::Kind;
using fake::detail::NewHandle;
using fake::detail::ShouldFail;

struct WindowRecord {
    fake::WindowInfo info;
    fake::detail::Procedure procedure;
    bool destroying = false;
};

struct TimerRecord {
    HWND window;
    UINT_PTR id;
    UINT period;
    DWORD due;
};

struct Machine {
    std::map<std::string, WNDCLASSA> classes;
    std::map<HWND, WindowRecord> windows;
    std::vector<HWND> created;
    std::deque<MSG> queue;
    bool quitPending = false;
    int quitCode = 0;
    std::vector<UINT> defaultCalls;
    std::function<bool()> idle;
    bool starved = false;
    std::vector<TimerRecord> timers;
    DWORD tick = 0;
    int yields = 0;
    POINT cursorPos{320, 240};
    HCURSOR cursor = reinterpret_cast<HCURSOR>(std::uintptr_t{0xA770});
    HWND foreground = nullptr;
    int screenWidth = 640;
    int screenHeight = 480;
    struct {
        int x, y, width, height;
    } virtualScreen{}; // none, as on systems before those metrics
};

Machine machine;

const HCURSOR waitCursor = reinterpret_cast<HCURSOR>(std::uintptr_t{0xBA17});

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

WindowRecord* Find(HWND window) {
    auto found = machine.windows.find(window);
    return found != machine.windows.end() && found->second.info.alive ? &found->second : nullptr;
}

LRESULT Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowRecord* record = Find(window);
    if (!record) {
        return 0;
    }
    if (!record->procedure) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    // A copy: the procedure may destroy the window and with it the record.
    fake::detail::Procedure procedure = record->procedure;
    return procedure(window, message, wParam, lParam);
}

bool TimerPending(const TimerRecord& timer) {
    return std::any_of(machine.queue.begin(), machine.queue.end(), [&](const MSG& msg) {
        return msg.hwnd == timer.window && msg.message == WM_TIMER && msg.wParam == timer.id;
    });
}

} // namespace

namespace fake {

void detail::ResetWindows() {
    machine = Machine{};
}

HWND detail::AddWindow(const WindowInfo& info, Procedure procedure) {
    auto window = reinterpret_cast<HWND>(NewHandle(Kind::Window));
    WindowRecord record{info, std::move(procedure)};
    record.info.alive = true;
    machine.windows[window] = record;
    machine.created.push_back(window);
    return window;
}

bool detail::WindowAlive(HWND window) {
    return Find(window) != nullptr;
}

RECT detail::ClientRect(HWND window) {
    WindowRecord* record = Find(window);
    return record ? RECT{0, 0, record->info.width, record->info.height} : RECT{};
}

DWORD detail::Now() {
    return machine.tick;
}

bool detail::QuitPending() {
    return machine.quitPending;
}

WindowInfo Info(HWND window) {
    auto found = machine.windows.find(window);
    return found != machine.windows.end() ? found->second.info : WindowInfo{};
}

std::vector<HWND> CreatedWindows() {
    return machine.created;
}

HWND MakeForeignWindow(int width, int height, const std::string& className,
                       const std::string& title, HWND parent) {
    WindowInfo info;
    info.className = className;
    info.title = title;
    info.parent = parent;
    info.width = width;
    info.height = height;
    return detail::AddWindow(info, nullptr);
}

void SetScreenSize(int width, int height) {
    machine.screenWidth = width;
    machine.screenHeight = height;
}

void SetVirtualScreen(int x, int y, int width, int height) {
    machine.virtualScreen = {x, y, width, height};
}

void SetForeground(HWND window) {
    machine.foreground = window;
}
HWND Foreground() {
    return machine.foreground;
}

std::vector<MSG> Posted() {
    return {machine.queue.begin(), machine.queue.end()};
}

std::vector<MSG> PostedTo(HWND window) {
    std::vector<MSG> found;
    std::copy_if(machine.queue.begin(), machine.queue.end(), std::back_inserter(found),
                 [&](const MSG& msg) { return msg.hwnd == window; });
    return found;
}

std::vector<UINT> DefaultCalls() {
    return machine.defaultCalls;
}
void SetIdle(std::function<bool()> idle) {
    machine.idle = std::move(idle);
}
bool LoopStarved() {
    return machine.starved;
}

void DispatchAll() {
    while (!machine.queue.empty()) {
        MSG msg = machine.queue.front();
        machine.queue.pop_front();
        DispatchMessageA(&msg);
    }
}

void SetTickCount(DWORD tick) {
    machine.tick = tick;
}

void AdvanceTime(DWORD milliseconds) {
    DWORD end = machine.tick + milliseconds;
    for (;;) {
        auto next = std::min_element(
            machine.timers.begin(), machine.timers.end(),
            [](const TimerRecord& a, const TimerRecord& b) { return a.due < b.due; });
        if (next == machine.timers.end() || next->due - machine.tick > end - machine.tick) {
            break;
        }
        machine.tick = next->due;
        if (!TimerPending(*next)) {
            machine.queue.push_back({next->window, WM_TIMER, next->id, 0, machine.tick, {}});
        }
        next->due += std::max<UINT>(next->period, 10); // the platform's shortest period
    }
    machine.tick = end;
}

std::vector<TimerInfo> Timers() {
    std::vector<TimerInfo> timers;
    for (const TimerRecord& timer : machine.timers) {
        timers.push_back({timer.window, timer.id, timer.period});
    }
    return timers;
}

int Yields() {
    return machine.yields;
}
void SetCursorPos(int x, int y) {
    machine.cursorPos = {x, y};
}
HCURSOR CurrentCursor() {
    return machine.cursor;
}
bool CursorHidden() {
    return machine.cursor == nullptr;
}
HCURSOR WaitCursor() {
    return waitCursor;
}

} // namespace fake

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    std::string name = Lower(windowClass->lpszClassName);
    if (ShouldFail("RegisterClassA") || machine.classes.count(name)) {
        return 0;
    }
    machine.classes[name] = *windowClass;
    return static_cast<ATOM>(0xC000 + machine.classes.size());
}

HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                     int y, int width, int height, HWND parent, std::nullptr_t, HINSTANCE,
                     std::nullptr_t) {
    auto found = machine.classes.find(Lower(className));
    if (found == machine.classes.end() || ShouldFail("CreateWindowExA") ||
        (parent && !Find(parent))) {
        return nullptr;
    }
    fake::WindowInfo info{className, title, style, exStyle, parent, x, y, width, height, true};
    HWND window = fake::detail::AddWindow(info, found->second.lpfnWndProc);
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
    for (auto& [child, childRecord] : machine.windows) {
        if (childRecord.info.parent == window && childRecord.info.alive) {
            DestroyWindow(child);
        }
    }
    auto& timers = machine.timers;
    for (auto timer = timers.begin(); timer != timers.end();) {
        if (timer->window == window) {
            fake::detail::Release(Kind::Timer);
            timer = timers.erase(timer);
        } else {
            ++timer;
        }
    }
    machine.windows[window].info.alive = false;
    fake::detail::Release(Kind::Window);
    return 1;
}

HWND FindWindowA(const char* className, const char* title) {
    for (auto& [window, record] : machine.windows) {
        const fake::WindowInfo& info = record.info;
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
    return machine.foreground;
}

BOOL SetForegroundWindow(HWND window) {
    if (!Find(window)) {
        return 0;
    }
    machine.foreground = window;
    return 1;
}

BOOL GetClientRect(HWND window, RECT* rect) {
    if (!Find(window)) {
        return 0;
    }
    *rect = fake::detail::ClientRect(window);
    return 1;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN: return machine.screenWidth;
    case SM_CYSCREEN: return machine.screenHeight;
    case SM_XVIRTUALSCREEN: return machine.virtualScreen.x;
    case SM_YVIRTUALSCREEN: return machine.virtualScreen.y;
    case SM_CXVIRTUALSCREEN: return machine.virtualScreen.width;
    case SM_CYVIRTUALSCREEN: return machine.virtualScreen.height;
    default: return 0;
    }
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM lParam) {
    machine.defaultCalls.push_back(message);
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

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !Find(window)) {
        return 0;
    }
    machine.queue.push_back({window, message, wParam, lParam, machine.tick, {}});
    return 1;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removal) {
    for (auto queued = machine.queue.begin(); queued != machine.queue.end(); ++queued) {
        bool windowMatches = !window || queued->hwnd == window;
        bool messageMatches = (filterMin == 0 && filterMax == 0) ||
                              (queued->message >= filterMin && queued->message <= filterMax);
        if (windowMatches && messageMatches) {
            *msg = *queued;
            if (removal & PM_REMOVE) {
                machine.queue.erase(queued);
            }
            return 1;
        }
    }
    // The quit request comes after everything posted, as GetMessageA sees it.
    bool quitMatches =
        (filterMin == 0 && filterMax == 0) || (WM_QUIT >= filterMin && WM_QUIT <= filterMax);
    if (machine.quitPending && quitMatches) {
        *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(machine.quitCode), 0, machine.tick, {}};
        if (removal & PM_REMOVE) {
            machine.quitPending = false;
        }
        return 1;
    }
    return 0;
}

BOOL GetMessageA(MSG* msg, HWND, UINT, UINT) {
    for (;;) {
        if (!machine.queue.empty()) {
            *msg = machine.queue.front();
            machine.queue.pop_front();
            return msg->message != WM_QUIT;
        }
        if (machine.quitPending) {
            machine.quitPending = false;
            *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(machine.quitCode), 0, machine.tick, {}};
            return 0;
        }
        if (!machine.idle || !machine.idle()) {
            machine.starved = true;
            *msg = {nullptr, WM_QUIT, static_cast<WPARAM>(-99), 0, machine.tick, {}};
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
    machine.quitPending = true;
    machine.quitCode = exitCode;
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT period, std::nullptr_t) {
    if (!Find(window) || ShouldFail("SetTimer")) {
        return 0;
    }
    auto existing =
        std::find_if(machine.timers.begin(), machine.timers.end(),
                     [&](const TimerRecord& t) { return t.window == window && t.id == id; });
    if (existing != machine.timers.end()) {
        machine.timers.erase(existing);
    } else {
        NewHandle(Kind::Timer);
    }
    machine.timers.push_back({window, id, period, machine.tick + std::max<UINT>(period, 10)});
    return id ? id : 1;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto found =
        std::find_if(machine.timers.begin(), machine.timers.end(),
                     [&](const TimerRecord& t) { return t.window == window && t.id == id; });
    if (found == machine.timers.end()) {
        return 0;
    }
    machine.timers.erase(found);
    fake::detail::Release(Kind::Timer);
    return 1;
}

void Sleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        ++machine.yields;
    }
    machine.tick += milliseconds;
}

DWORD GetTickCount() {
    return machine.tick;
}

BOOL GetCursorPos(POINT* point) {
    *point = machine.cursorPos;
    return 1;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR previous = machine.cursor;
    machine.cursor = cursor;
    return previous;
}

HCURSOR LoadCursorA(HINSTANCE instance, const char* name) {
    return !instance && name == IDC_WAIT ? waitCursor : nullptr;
}

} // namespace polkamoot
