// What the model asks of its backend, answered from the test's script: failures on demand, a
// clock and a cursor that move only when the test says, an idle callback instead of waiting,
// and a log of the default procedure and of every drawing.
#include "fake/fake.h"

#include <algorithm>

namespace polkamoot {

namespace {

struct Script {
    std::map<std::string, int> failures; // operation -> successes still allowed
    std::map<std::string, int> calls;
    std::function<bool()> idle;
    bool starved = false;
    std::vector<UINT> defaultCalls;
    std::vector<fake::Painting> paintings;
    std::function<void(fake::Painting)> onPaint;
    DWORD tick = 0;
    int yields = 0;
    std::time_t calendarTime = 0;
    POINT cursor{320, 240};
};

Script script;

} // namespace

bool backend::ShouldFail(const char* operation) {
    ++script.calls[operation];
    auto found = script.failures.find(operation);
    if (found == script.failures.end()) {
        return false;
    }
    if (found->second > 0) {
        --found->second;
        return false;
    }
    script.failures.erase(found);
    return true;
}

bool backend::WaitForMessages(DWORD) {
    if (script.idle && script.idle()) {
        return true;
    }
    script.starved = true;
    return false;
}

DWORD* backend::WindowPixels(HWND, int, int) {
    return nullptr;
}

void backend::Painted(HWND window, const RECT& rect) {
    script.paintings.push_back({window, rect});
    if (script.onPaint) {
        script.onPaint({window, rect});
    }
}

DWORD GetTickCount() {
    return script.tick;
}

void Sleep(DWORD milliseconds) {
    script.yields += milliseconds == 0;
    script.tick += milliseconds;
}

std::time_t time(std::time_t* result) {
    if (result) {
        *result = script.calendarTime;
    }
    return script.calendarTime;
}

BOOL GetCursorPos(POINT* point) {
    *point = script.cursor;
    return 1;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    script.defaultCalls.push_back(message);
    return model::DefaultWindowProc(window, message, wParam, lParam);
}

namespace fake {

void Reset() {
    model::Reset();
    script = Script{};
    detail::ResetSystem();
    detail::ResetDialogs();
}

void FailCall(const std::string& operation, int successes) {
    script.failures[operation] = successes;
}

int Calls(const std::string& operation) {
    return script.calls[operation];
}

HWND MakeForeignWindow(int width, int height, const std::string& className,
                       const std::string& title, HWND parent) {
    WindowInfo info;
    info.className = className;
    info.title = title;
    info.parent = parent;
    info.width = width;
    info.height = height;
    return model::AddWindow(info);
}

Image Surface(HWND window) {
    const model::Canvas* surface = model::Surface(window);
    if (!surface) {
        return Image{};
    }
    std::size_t count = static_cast<std::size_t>(surface->width) * surface->height;
    return Image{surface->width, surface->height, {surface->pixels, surface->pixels + count}};
}

std::vector<Painting> Paintings() {
    return script.paintings;
}

void ClearPaintings() {
    script.paintings.clear();
}

void OnPaint(std::function<void(Painting)> hook) {
    script.onPaint = std::move(hook);
}

std::vector<MSG> PostedTo(HWND window) {
    std::vector<MSG> found;
    for (const MSG& msg : model::Queue()) {
        if (msg.hwnd == window) {
            found.push_back(msg);
        }
    }
    return found;
}

std::vector<UINT> DefaultCalls() {
    return script.defaultCalls;
}

void SetIdle(std::function<bool()> idle) {
    script.idle = std::move(idle);
}

bool LoopStarved() {
    return script.starved;
}

void SetTickCount(DWORD tick) {
    script.tick = tick;
}

void SetCalendarTime(std::time_t seconds) {
    script.calendarTime = seconds;
}

int Yields() {
    return script.yields;
}

void SetCursorPos(int x, int y) {
    script.cursor = {x, y};
}

} // namespace fake

} // namespace polkamoot
