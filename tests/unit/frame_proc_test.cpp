#include "host_fixture.h"

namespace polkamoot {
namespace {

HWND associatedWith;
HIMC associatedContext;
int associations;
const HIMC imeContext = reinterpret_cast<HIMC>(std::uintptr_t{0x1234});

HIMC PLATFORM_API FakeImmAssociateContext(HWND window, HIMC context) {
    ++associations;
    associatedWith = window;
    associatedContext = context;
    return context ? nullptr : imeContext;
}

class FrameProcTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        associations = 0;
        associatedWith = nullptr;
        associatedContext = nullptr;
    }

    void InstallInputMethod(FARPROC entry) {
        std::map<std::string, FARPROC> entries;
        if (entry) {
            entries["ImmAssociateContext"] = entry;
        }
        fake::InstallLibrary("IMM32.DLL", entries, true);
    }

    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(window, message, wParam, lParam);
    }
};

TEST_F(FrameProcTest, CreationDetachesTheInputMethodAndDestructionReattachesIt) {
    InstallInputMethod(reinterpret_cast<FARPROC>(FakeImmAssociateContext));
    HWND window = CreateSaver();
    ASSERT_TRUE(window);
    EXPECT_EQ(1, associations);
    EXPECT_EQ(window, associatedWith);
    EXPECT_EQ(nullptr, associatedContext);
    EXPECT_EQ(imeContext, HostState.savedImeContext);

    DestroyWindow(window);
    EXPECT_EQ(2, associations);
    EXPECT_EQ(imeContext, associatedContext);
}

TEST_F(FrameProcTest, InputMethodThatIsNotLoadedIsNeverLoaded) {
    fake::InstallLibrary(
        "IMM32.DLL", {{"ImmAssociateContext", reinterpret_cast<FARPROC>(FakeImmAssociateContext)}});
    HWND window = CreateSaver();
    DestroyWindow(window);
    EXPECT_EQ(0, fake::LoadCount("IMM32.DLL"));
    EXPECT_EQ(0, associations);
    EXPECT_EQ(nullptr, HostState.imeLibrary);
}

TEST_F(FrameProcTest, NothingIsReattachedWhenNoContextWasAttached) {
    InstallInputMethod(nullptr);
    DestroyWindow(CreateSaver());
    EXPECT_NE(nullptr, HostState.imeLibrary);
    EXPECT_EQ(0, associations);
}

TEST_F(FrameProcTest, CreationAnchorsTheCursorAndHidesItOutsidePreview) {
    fake::SetCursorPos(17, 23);
    CreateSaver();
    EXPECT_EQ(17, HostState.cursorAnchor.x);
    EXPECT_EQ(23, HostState.cursorAnchor.y);
    EXPECT_TRUE(fake::CursorHidden());
}

TEST_F(FrameProcTest, PreviewLeavesTheCursorVisible) {
    HWND window = CreateSaver(fake::MakeForeignWindow(152, 112));
    Send(window, WM_PAINT);
    EXPECT_FALSE(fake::CursorHidden());
}

TEST_F(FrameProcTest, DestructionPostsTheQuitRequest) {
    DestroyWindow(CreateSaver());
    MSG msg{};
    EXPECT_FALSE(GetMessageA(&msg, nullptr, 0, 0));
    EXPECT_FALSE(fake::LoopStarved());
    EXPECT_EQ(WM_QUIT, msg.message);
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(FrameProcTest, TitleNeverChanges) {
    HWND window = CreateSaver();
    EXPECT_EQ(0, Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Renamed")));
    EXPECT_EQ("Screen Saver", fake::Info(window).title);
    EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_SETTEXT));
}

TEST_F(FrameProcTest, PaintHidesTheCursorUntilClosing) {
    HWND window = CreateSaver();
    SetCursor(fake::WaitCursor());
    Send(window, WM_PAINT);
    EXPECT_TRUE(fake::CursorHidden());

    HostState.isClosing = 1;
    SetCursor(fake::WaitCursor());
    Send(window, WM_PAINT);
    EXPECT_FALSE(fake::CursorHidden());
    EXPECT_EQ(2, CountOf(fake::DefaultCalls(), WM_PAINT));
}

TEST_F(FrameProcTest, HelpInPreviewGoesToTheParentWithItsOwnHandle) {
    HWND parent = fake::MakeForeignWindow(152, 112);
    HWND window = CreateSaver(parent);
    EXPECT_EQ(1, Send(window, WM_HELP, 5, 99));
    EXPECT_EQ(1, Send(window, WM_CONTEXTMENU, 5, 98));
    auto posted = fake::PostedTo(parent);
    ASSERT_EQ(2u, posted.size());
    EXPECT_EQ(WM_HELP, posted[0].message);
    EXPECT_EQ(reinterpret_cast<WPARAM>(parent), posted[0].wParam);
    EXPECT_EQ(99, posted[0].lParam);
    EXPECT_EQ(WM_CONTEXTMENU, posted[1].message);
    EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_HELP));
}

TEST_F(FrameProcTest, HelpWithoutAParentIsDroppedButStillAnswered) {
    HWND window = CreateSaver();
    HostState.isPreview = 1;
    EXPECT_EQ(1, HostFrameProc(window, WM_HELP, 0, 0));
    EXPECT_TRUE(fake::Posted().empty());
}

TEST_F(FrameProcTest, HelpOutsidePreviewPassesOn) {
    HWND window = CreateSaver();
    Send(window, WM_HELP);
    Send(window, WM_CONTEXTMENU);
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_HELP));
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_CONTEXTMENU));
}

TEST_F(FrameProcTest, InputWhileClosingGoesStraightToTheDefault) {
    HWND window = CreateSaver();
    HostState.isClosing = 1;
    for (UINT input : {WM_KEYDOWN, WM_SYSKEYDOWN, WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN,
                       WM_MOUSEMOVE}) {
        Send(window, input);
        EXPECT_EQ(1, CountOf(fake::DefaultCalls(), input));
    }
    EXPECT_EQ(0, ClosesPosted(window));
}

TEST_F(FrameProcTest, SwitchAwayCommandsAreSwallowedOnlyInFullScreenAndOnlyWhole) {
    HWND window = CreateSaver();
    for (WPARAM command : {SC_NEXTWINDOW, SC_PREVWINDOW, SC_SCREENSAVE}) {
        EXPECT_EQ(0, Send(window, WM_SYSCOMMAND, command));
    }
    EXPECT_EQ(0, CountOf(fake::DefaultCalls(), WM_SYSCOMMAND));
    Send(window, WM_SYSCOMMAND, SC_SCREENSAVE | 1);
    Send(window, WM_SYSCOMMAND, SC_NEXTWINDOW | 0xF);
    EXPECT_EQ(2, CountOf(fake::DefaultCalls(), WM_SYSCOMMAND));

    HostState.isPreview = 1;
    Send(window, WM_SYSCOMMAND, SC_SCREENSAVE);
    EXPECT_EQ(3, CountOf(fake::DefaultCalls(), WM_SYSCOMMAND));
}

TEST_F(FrameProcTest, TimerYieldsFirstAndStopsOnceClosing) {
    HWND window = CreateSaver();
    Send(window, WM_TIMER, 12345);
    EXPECT_EQ(1, fake::Yields());
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_TIMER));

    HostState.isClosing = 1;
    EXPECT_EQ(0, Send(window, WM_TIMER, 12345));
    EXPECT_EQ(1, fake::Yields());
    EXPECT_EQ(1, CountOf(fake::DefaultCalls(), WM_TIMER));
}

} // namespace
} // namespace polkamoot
