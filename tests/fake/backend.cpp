// What the model asks of its backend, answered from the test's machine: failures on demand, a
// clock and a cursor that move only when the test says, an idle callback instead of waiting,
// and a log of the default procedure and of every drawing.
#include "fake/fake.h"

#include <utility>

namespace polkamoot {

fake::Machine fake::machine;

bool backend::ShouldFail(const char* operation) {
    ++fake::machine.calls[operation];
    auto found = fake::machine.failures.find(operation);
    if (found == fake::machine.failures.end() || found->second-- > 0) {
        return false;
    }
    fake::machine.failures.erase(found);
    return true;
}

bool backend::WaitForMessages(DWORD) {
    fake::machine.starved = !fake::machine.idle || !fake::machine.idle();
    return !fake::machine.starved;
}

DWORD* backend::WindowPixels(HWND, int, int) {
    return nullptr;
}

void backend::Painted(HWND window, const RECT& rect) {
    fake::machine.paintings.push_back({window, rect});
    if (fake::machine.onPaint) {
        fake::machine.onPaint({window, rect});
    }
}

DWORD GetTickCount() {
    return fake::machine.tick;
}

void Sleep(DWORD milliseconds) {
    fake::machine.yields += milliseconds == 0;
    fake::machine.tick += milliseconds;
}

std::time_t time(std::time_t* result) {
    return result ? *result = fake::machine.calendarTime : fake::machine.calendarTime;
}

BOOL GetCursorPos(POINT* point) {
    *point = fake::machine.cursor;
    return 1;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    fake::machine.defaultCalls.push_back(message);
    return model::DefaultWindowProc(window, message, wParam, lParam);
}

namespace {

std::vector<std::string> unreached; // failures asked of a machine since reset

void NoteUnreachedFailures() {
    for (const auto& [operation, successes] : fake::machine.failures) {
        unreached.push_back("FailCall(\"" + operation + "\") never reached");
    }
    fake::machine.failures.clear();
}

} // namespace

void fake::Reset() {
    NoteUnreachedFailures();
    model::Reset();
    machine = Machine{};
    detail::ResetDialogs();
}

std::vector<std::string> fake::TakeComplaints() {
    NoteUnreachedFailures();
    std::vector<std::string> complaints = std::exchange(unreached, {});
    for (std::string& fault : model::TakeFaults()) {
        complaints.push_back("fault: " + fault);
    }
    return complaints;
}

HWND fake::MakeForeignWindow(int width, int height, const std::string& className,
                             const std::string& title, HWND parent) {
    WindowInfo info;
    info.className = className;
    info.title = title;
    info.parent = parent;
    info.width = width;
    info.height = height;
    return model::AddWindow(info);
}

model::Image fake::Surface(HWND window) {
    const model::Canvas* surface = model::Surface(window);
    if (!surface) {
        return Image{};
    }
    std::size_t count = static_cast<std::size_t>(surface->width) * surface->height;
    return Image{surface->width, surface->height, {surface->pixels, surface->pixels + count}};
}

std::vector<MSG> fake::PostedTo(HWND window) {
    std::vector<MSG> found;
    for (const MSG& msg : model::Queue()) {
        if (msg.hwnd == window) {
            found.push_back(msg);
        }
    }
    return found;
}

} // namespace polkamoot
