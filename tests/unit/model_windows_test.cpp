// The model's windows, classes, message queue, timers and cursor.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polkamoot {
namespace {

using fake::Kind, fake::Live;

constexpr UINT WM_USER = 0x0400;

std::vector<std::string> seen; // "name message" for every message a procedure took

LRESULT Note(HWND window, UINT message, WPARAM, LPARAM) {
    seen.push_back(fake::Info(window).title + " " + std::to_string(message));
    return message == WM_CREATE && fake::Info(window).title == "refuses" ? -1 : 7;
}

class Windows : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        seen.clear();
        WNDCLASSA noting{};
        noting.lpfnWndProc = Note;
        noting.lpszClassName = "Noting";
        EXPECT_EQ(0xC001, RegisterClassA(&noting));
    }

    static HWND Make(const char* title, HWND parent = nullptr, const char* className = "nOTING") {
        return CreateWindowExA(0, className, title, WS_CHILD, 1, 2, 30, 20, parent, nullptr,
                               fake::Instance(), nullptr);
    }

    // Every message in the queue, in order, as "message wParam".
    static std::vector<std::string> Queued() {
        std::vector<std::string> queued;
        for (const MSG& msg : fake::Queue()) {
            queued.push_back(std::to_string(msg.message) + " " + std::to_string(msg.wParam));
        }
        return queued;
    }
};

TEST_F(Windows, ClassesByNameAnyCaseMakeWindowsThatRunTheirProcedureTillDestroyed) {
    WNDCLASSA again{};
    again.lpszClassName = "NOTING";
    EXPECT_EQ(0, RegisterClassA(&again)) << "registered";
    HWND top = Make("top");
    HWND child = Make("child", top);
    HWND grandchild = Make("grandchild", child);
    EXPECT_EQ(nullptr, Make("refuses"));
    EXPECT_EQ(nullptr, Make("nameless", nullptr, "Other"));
    fake::FailCall("CreateWindowExA");
    EXPECT_EQ(nullptr, Make("failing"));
    fake::WindowInfo info = fake::Info(child);
    EXPECT_EQ((std::vector<std::string>{"nOTING", "child"}),
              (std::vector{info.className, info.title}));
    EXPECT_EQ(
        (std::vector<LONG>{WS_CHILD, 1, 2, 30, 20, 1}),
        (std::vector<LONG>{LONG(info.style), info.x, info.y, info.width, info.height, info.alive}));
    EXPECT_EQ(top, GetParent(child));
    RECT client{};
    EXPECT_TRUE(GetClientRect(child, &client));
    EXPECT_EQ((std::vector<LONG>{0, 0, 30, 20}),
              (std::vector<LONG>{client.left, client.top, client.right, client.bottom}));
    EXPECT_EQ(7, SendMessageA(child, WM_USER, 0, 0));
    EXPECT_EQ(3, Live(Kind::Window));

    EXPECT_TRUE(DestroyWindow(child));
    EXPECT_FALSE(DestroyWindow(child) || IsWindow(grandchild) || GetParent(child) ||
                 GetClientRect(child, &client) || SendMessageA(child, WM_USER, 0, 0) ||
                 Make("orphan", child));
    EXPECT_EQ("child", fake::Info(child).title) << "kept when gone";
    EXPECT_EQ((std::vector<std::string>{"top 1", "child 1", "grandchild 1", "refuses 1",
                                        "refuses 2", "child 1024", "child 2", "grandchild 2"}),
              seen);
    EXPECT_EQ(1, Live(Kind::Window));
    fake::UnregisterClasses();
    EXPECT_TRUE(RegisterClassA(&again)) << "anew";
    fake::FailCall("RegisterClassA");
    EXPECT_EQ(0, RegisterClassA(&again));
}

LRESULT DestroysItself(HWND window, UINT message, WPARAM, LPARAM) {
    seen.push_back(std::to_string(message));
    return message == WM_DESTROY ? DestroyWindow(window) : 0;
}

TEST_F(Windows, DestroyingDestroysOnceWhateverTheProcedureDoesAndStopsTheTimers) {
    WNDCLASSA selfish{};
    selfish.lpfnWndProc = DestroysItself;
    selfish.lpszClassName = "Selfish";
    RegisterClassA(&selfish);
    HWND window = Make("", nullptr, "Selfish");
    HWND other = Make("other");
    SetTimer(window, 1, 10, nullptr);
    SetTimer(other, 1, 10, nullptr);
    EXPECT_TRUE(DestroyWindow(window));
    EXPECT_EQ((std::vector<std::string>{"1", "other 1", "2"}), seen);
    EXPECT_EQ(1u, fake::Timers().size());
    EXPECT_EQ((std::vector<int>{1, 1}), (std::vector{Live(Kind::Window), Live(Kind::Timer)}));
}

TEST_F(Windows, FindingForegroundMetricsAndTheDefaultProcedure) {
    HWND top = Make("Top");
    HWND child = Make("Child", top);
    HWND foreign = fake::MakeForeignWindow(5, 5, "Foreign", "Page");
    EXPECT_EQ((std::vector<HWND>{top, nullptr, nullptr, nullptr, foreign}),
              (std::vector{FindWindowA("NOTING", "Top"), FindWindowA("Noting", "top"),
                           FindWindowA("Noting", "Child"), FindWindowA("Other", "Top"),
                           FindWindowA("foreign", "Page")}));
    EXPECT_TRUE(SetForegroundWindow(child));
    EXPECT_EQ(child, GetForegroundWindow());
    fake::SetForeground(top);
    EXPECT_EQ(top, GetForegroundWindow());

    EXPECT_EQ(1, SendMessageA(foreign, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed")));
    EXPECT_EQ(0, SendMessageA(foreign, WM_USER, 0, 0));
    EXPECT_EQ("Renamed", fake::Info(foreign).title);
    EXPECT_EQ(0, SendMessageA(foreign, WM_CLOSE, 0, 0));
    EXPECT_FALSE(IsWindow(foreign) || SetForegroundWindow(foreign)) << "closed";
    EXPECT_EQ(top, GetForegroundWindow());
    EXPECT_EQ((std::vector<UINT>{WM_SETTEXT, WM_USER, WM_CLOSE, WM_DESTROY}),
              fake::machine.defaultCalls);

    fake::SetScreenSize(1024, 768);
    std::vector<int> metrics;
    for (int index : {SM_CXSCREEN, SM_CYSCREEN, SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN,
                      SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN, 2}) {
        metrics.push_back(GetSystemMetrics(index));
    }
    EXPECT_EQ((std::vector<int>{1024, 768, 0, 0, 0, 0, 0}), metrics) << "one screen";
    fake::SetVirtualScreen(-800, -10, 1824, 778);
    EXPECT_EQ(
        (std::vector<int>{-800, -10, 1824, 778}),
        (std::vector{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)}));
}

TEST_F(Windows, TheQueueGivesWhatWasPostedFirstThatTheFilterLetsThroughTheQuitRequestLast) {
    HWND a = Make("a"), b = Make("b"), gone = Make("gone");
    DestroyWindow(gone);
    fake::machine.tick = 5;
    EXPECT_TRUE(PostMessageA(a, WM_USER, 1, 0) && PostMessageA(b, WM_USER + 1, 2, 0) &&
                PostMessageA(nullptr, WM_USER + 2, 3, 0));
    EXPECT_FALSE(PostMessageA(gone, WM_USER, 4, 0));
    PostQuitMessage(9);
    MSG msg{};
    auto got = [&](BOOL result) {
        return std::to_string(result) + ": " + std::to_string(msg.message) + " " +
               std::to_string(int(msg.wParam)) +
               (msg.hwnd == a   ? " a"
                : msg.hwnd == b ? " b"
                                : "") +
               " at " + std::to_string(msg.time);
    };
    const std::vector<std::string> results = {
        got(PeekMessageA(&msg, b, 0, 0, PM_NOREMOVE)),
        got(PeekMessageA(&msg, nullptr, WM_USER + 1, WM_USER + 2, PM_REMOVE)),
        got(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)),
        got(PeekMessageA(&msg, a, WM_USER + 3, WM_USER + 9, PM_REMOVE)),
        got(GetMessageA(&msg, nullptr, 0, 0)),
        got(GetMessageA(&msg, nullptr, 0, 0)),
        got(GetMessageA(&msg, nullptr, 0, 0)),
        got(GetMessageA(&msg, nullptr, 0, 0))};
    EXPECT_EQ((std::vector<std::string>{"1: 1025 2 b at 5", "1: 1025 2 b at 5", "1: 18 9 at 5",
                                        "0: 18 9 at 5", "1: 1024 1 a at 5", "1: 1026 3 at 5",
                                        "0: 18 9 at 5", "0: 18 -1 at 5"}),
              results)
        << "the last: nothing will ever come";
    EXPECT_TRUE(fake::machine.starved);
    msg.hwnd = a;
    msg.message = WM_USER;
    EXPECT_EQ(7, DispatchMessageA(&msg));
    EXPECT_EQ(0, TranslateMessage(&msg));
}

TEST_F(Windows, TimersFireEveryPeriodOnceWhenLateNeverTwiceQueuedAcrossTheTickWrap) {
    HWND window = Make("w"), gone = Make("gone");
    DestroyWindow(gone);
    const DWORD start = 0xFFFFFFF0;
    fake::machine.tick = start;
    EXPECT_EQ(fake::INFINITE, fake::TimeToNextTimer());
    EXPECT_EQ((std::vector<UINT_PTR>{1, 2, 1, 0}),
              (std::vector{SetTimer(window, 1, 5, nullptr), SetTimer(window, 2, 100, nullptr),
                           SetTimer(window, 0, 1000, nullptr), SetTimer(gone, 3, 10, nullptr)}));
    EXPECT_TRUE(KillTimer(window, 0));
    fake::FailCall("SetTimer");
    EXPECT_EQ(0u, SetTimer(window, 3, 10, nullptr));
    std::vector<std::string> steps; // the wait left after each tick, and the queue
    for (DWORD tick : {9, 10, 35, 100}) {
        fake::machine.tick = start + tick;
        fake::PostDueTimers();
        steps.push_back(std::to_string(fake::TimeToNextTimer()));
        for (const std::string& queued : Queued()) {
            steps.back() += ", " + queued;
        }
    }
    EXPECT_EQ((std::vector<std::string>{"1", "10, 275 1", "5, 275 1", "10, 275 1, 275 2"}), steps)
        << "due every 10, the shortest period";
    EXPECT_EQ((std::vector<DWORD>{start + 10, start + 100}),
              (std::vector{fake::Queue()[0].time, fake::Queue()[1].time}));

    EXPECT_EQ(2u, SetTimer(window, 2, 50, nullptr)) << "set again";
    EXPECT_EQ(10u, fake::TimeToNextTimer()) << "timer 1 first";
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    fake::machine.idle = [] { return fake::machine.tick += 25, true; };
    EXPECT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_EQ((std::vector<UINT_PTR>{WM_TIMER, 1}),
              (std::vector{UINT_PTR(msg.message), msg.wParam}))
        << "after a wait";
    std::vector<UINT> periods;
    for (const fake::TimerInfo& timer : fake::Timers()) {
        periods.push_back(timer.window == window ? timer.period * 10 + UINT(timer.id) : 0);
    }
    EXPECT_EQ((std::vector<UINT>{51, 502}), periods);
    EXPECT_EQ(2, Live(Kind::Timer));
    EXPECT_TRUE(KillTimer(window, 2) && KillTimer(window, 1));
    EXPECT_FALSE(KillTimer(window, 1));
    EXPECT_EQ(0, Live(Kind::Timer));
}

TEST_F(Windows, TheCursorIsTheOneSetAndTheWaitCursorTheSystemsOwn) {
    HCURSOR arrow = fake::Cursor();
    EXPECT_TRUE(arrow && arrow != fake::WaitCursor());
    EXPECT_EQ(fake::WaitCursor(), LoadCursorA(nullptr, IDC_WAIT));
    EXPECT_FALSE(LoadCursorA(fake::Instance(), IDC_WAIT) ||
                 LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
    EXPECT_EQ(arrow, SetCursor(nullptr));
    EXPECT_EQ(nullptr, SetCursor(fake::WaitCursor()));
    EXPECT_EQ(fake::WaitCursor(), fake::Cursor());
}

} // namespace
} // namespace polkamoot
