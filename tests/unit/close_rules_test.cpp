#include "host_fixture.h"

namespace polkamoot {
namespace {

// The verifier's script: its answers in turn, and what it does while its dialog is open.
struct VerifierScript {
    std::vector<BOOL> answers;
    DWORD dialogMs = 0;
    std::function<void(HWND)> whileOpen;
    int calls = 0;
};
VerifierScript script;

BOOL PLATFORM_API ScriptedVerifier(HWND window) {
    BOOL answer = script.answers.at(static_cast<std::size_t>(script.calls++));
    if (script.whileOpen) {
        script.whileOpen(window);
    }
    fake::SetTickCount(GetTickCount() + script.dialogMs);
    return answer;
}

class CloseRulesTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        script = VerifierScript{};
        fake::SetCursorPos(100, 100);
        window = CreateSaver();
    }

    void UseVerifier(std::vector<BOOL> answers) {
        script.answers = std::move(answers);
        HostState.verifier = ScriptedVerifier;
    }

    void MoveCursor(int dx, int dy) {
        POINT at{};
        GetCursorPos(&at);
        fake::SetCursorPos(at.x + dx, at.y + dy);
        SendMessageA(window, WM_MOUSEMOVE, 0, 0);
    }

    HWND window = nullptr;
};

TEST_F(CloseRulesTest, KeyAndButtonPressesPostOneCloseEachReleasesNone) {
    for (UINT press : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
        SendMessageA(window, press, 0, 0);
    }
    SendMessageA(window, WM_KEYUP, 0, 0);
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(5, ClosesPosted(window));
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_KEYDOWN));
}

TEST_F(CloseRulesTest, MouseTravelIsTheSumOfBothDistancesFromTheAnchor) {
    MoveCursor(3, 1);
    EXPECT_EQ(0, ClosesPosted(window));
    MoveCursor(0, 1);
    EXPECT_EQ(1, ClosesPosted(window));
    EXPECT_EQ(103, HostState.cursorAnchor.x);
    EXPECT_EQ(102, HostState.cursorAnchor.y);
}

TEST_F(CloseRulesTest, SmallMovesAddUpUntilTheyPassFourPixels) {
    MoveCursor(2, 0);
    MoveCursor(2, 0);
    EXPECT_EQ(0, ClosesPosted(window));
    MoveCursor(2, 0);
    EXPECT_EQ(1, ClosesPosted(window));
}

TEST_F(CloseRulesTest, DiagonalTravelCountsBothAxes) {
    MoveCursor(-3, -3);
    EXPECT_EQ(1, ClosesPosted(window));
}

TEST_F(CloseRulesTest, MouseMessageWithoutTravelPostsNothing) {
    SendMessageA(window, WM_MOUSEMOVE, 0, 0x00FF00FF);
    EXPECT_EQ(0, ClosesPosted(window));
}

TEST_F(CloseRulesTest, CursorMessagesHideTheCursor) {
    SetCursor(fake::WaitCursor());
    EXPECT_EQ(1, SendMessageA(window, WM_SETCURSOR, 0, 0));
    EXPECT_TRUE(fake::CursorHidden());
    EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_SETCURSOR));

    SetCursor(fake::WaitCursor());
    SendMessageA(window, WM_SHOWWINDOW, 0, 0);
    EXPECT_FALSE(fake::CursorHidden());
    SendMessageA(window, WM_SHOWWINDOW, 1, 0);
    EXPECT_TRUE(fake::CursorHidden());
    EXPECT_EQ(2, CountOf(fake::DefaultCalls(), WM_SHOWWINDOW));
}

TEST_F(CloseRulesTest, PreviewLeavesEveryInputToTheDefault) {
    HWND parent = fake::MakeForeignWindow(200, 150);
    HWND preview = CreateSaver(parent);
    HostState.verifier = ScriptedVerifier;
    SendMessageA(preview, WM_KEYDOWN, 0, 0);
    fake::SetCursorPos(500, 400);
    SendMessageA(preview, WM_MOUSEMOVE, 0, 0);
    SetCursor(fake::WaitCursor());
    SendMessageA(preview, WM_SETCURSOR, 0, 0);
    EXPECT_EQ(0, ClosesPosted(preview));
    EXPECT_FALSE(fake::CursorHidden());

    SendMessageA(preview, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(preview));
    EXPECT_EQ(0, script.calls);
}

TEST_F(CloseRulesTest, WithoutAVerifierTheFirstCloseIsGranted) {
    EXPECT_EQ(1, SendMessageA(window, VerifyPasswordMessage, 0, 0));
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, HostState.isClosing);
}

TEST_F(CloseRulesTest, RefusalKeepsTheSaverHidesTheCursorAndMovesTheAnchor) {
    UseVerifier({0});
    script.dialogMs = 1000;
    fake::SetTickCount(5000);
    fake::SetCursorPos(300, 200);
    SetCursor(fake::WaitCursor());
    EXPECT_EQ(0, SendMessageA(window, WM_CLOSE, 0, 0));
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(fake::CursorHidden());
    EXPECT_EQ(6000u, HostState.lastVerifyTick);
    EXPECT_EQ(300, HostState.cursorAnchor.x);
    EXPECT_EQ(0, HostState.isClosing);
    EXPECT_EQ(0, HostState.isVerifying);
}

TEST_F(CloseRulesTest, SecondRequestWithin200MsOfTheAnswerIsRefusedWithoutAsking) {
    UseVerifier({0, 1});
    fake::SetTickCount(1000);
    SendMessageA(window, WM_CLOSE, 0, 0);
    fake::SetTickCount(1199);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, script.calls);
    EXPECT_TRUE(IsWindow(window));

    fake::SetTickCount(1200);
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(2, script.calls);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(CloseRulesTest, RefractoryTimeIsMeasuredAcrossTheTickCountWrap) {
    UseVerifier({0, 0, 0});
    fake::SetTickCount(0xFFFFFF9C); // 100 ms before the wrap
    ConfirmClose(window);
    fake::SetTickCount(99);
    EXPECT_EQ(0, ConfirmClose(window));
    EXPECT_EQ(1, script.calls);
    fake::SetTickCount(100);
    ConfirmClose(window);
    EXPECT_EQ(2, script.calls);
}

TEST_F(CloseRulesTest, VerifierAnswerIsHeldAsItCame) {
    UseVerifier({7});
    EXPECT_EQ(7, ConfirmClose(window));
    EXPECT_EQ(7, HostState.isClosing);
}

TEST_F(CloseRulesTest, AtMostTwoPendingTimerTicksAreDroppedBeforeAsking) {
    UseVerifier({0});
    for (int tick = 0; tick < 3; ++tick) {
        PostMessageA(window, WM_TIMER, 200, 0);
    }
    PostMessageA(window, WM_PAINT, 0, 0);
    ConfirmClose(window);
    auto posted = fake::PostedTo(window);
    ASSERT_EQ(2u, posted.size());
    EXPECT_EQ(WM_TIMER, posted[0].message);
    EXPECT_EQ(WM_PAINT, posted[1].message);
}

TEST_F(CloseRulesTest, WhileTheVerifierRunsInputAndClosesAskNothingMore) {
    UseVerifier({0});
    script.whileOpen = [](HWND saver) {
        fake::SetCursorPos(900, 900);
        SendMessageA(saver, WM_KEYDOWN, 0, 0);
        SendMessageA(saver, WM_MOUSEMOVE, 0, 0);
        SetCursor(fake::WaitCursor());
        SendMessageA(saver, WM_SETCURSOR, 0, 0);
        EXPECT_FALSE(fake::CursorHidden());
        EXPECT_EQ(0, SendMessageA(saver, WM_CLOSE, 0, 0));
        EXPECT_EQ(900, HostState.cursorAnchor.x);
    };
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(1, script.calls);
    EXPECT_EQ(0, ClosesPosted(window));
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(CloseRulesTest, GrantClosesAndLetsTheWindowGo) {
    UseVerifier({1});
    PostMessageA(window, WM_KEYDOWN, 0, 0);
    fake::DispatchAll();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(1, script.calls);
}

} // namespace
} // namespace polkamoot
