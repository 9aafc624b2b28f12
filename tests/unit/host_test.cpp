#include "host/command_line.h"

#include "fake/fake_dialog.h"
#include "host/host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace polkamoot {
namespace {

// A fresh machine and host state, and a saver window made the way the host makes one.
class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake::Reset();
        HostState = HostRecord{};
        HostState.instance = fake::Instance();
    }

    static HWND CreateSaver(HWND parent = nullptr) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostFrameProc;
        windowClass.lpszClassName = "WindowsScreenSaverClass";
        RegisterClassA(&windowClass);
        HostState.isPreview = parent != nullptr;
        return CreateWindowExA(0, windowClass.lpszClassName, parent ? "Preview" : "Screen Saver",
                               parent ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE, 0, 0, 640,
                               480, parent, nullptr, HostState.instance, nullptr);
    }

    static int CountOf(const std::vector<UINT>& messages, UINT message) {
        return static_cast<int>(std::count(messages.begin(), messages.end(), message));
    }
};

TEST(ArgumentText, FollowsTheProgramNameAndTheBlanksBehindIt) {
    const CPINFO western{1, {'?', 0}, {}};
    const CPINFO japanese{2, {'?', 0}, {0x81, 0x9F, 0xE0, 0xFC}};
    const std::tuple<const CPINFO&, const char*, const char*> rows[] = {
        {western, "p\xE9\xFF.scr /s x", "/s x"},
        {western, "polkamoot.scr\t\x01 /s", "/s"},
        {western, "polkamoot.scr\0/s", ""},
        {western, "\"C:\\My Savers\\polkamoot.scr\" /c", "/c"},
        {japanese, "\"\x81\"\x9F\"\xE0\"\xFC\"\xE5\"a\" /s", "/s"}, // lead bytes take the quotes
        {japanese, "\"\x81\0\" /s", ""},                            // but not the end
    };
    for (auto [codePage, line, arguments] : rows) {
        EXPECT_STREQ(arguments, ArgumentText(line, codePage)) << line;
    }
}

std::string ran; // what the run showed, over which window

std::string Over(HWND window) {
    return window ? " over " + fake::Info(window).title : "";
}

DWORD PLATFORM_API ChangePassword(const char* provider, HWND parent, DWORD zero, void* none) {
    ran = provider + std::string(zero || none ? " and more" : "") + Over(parent);
    return 0;
}

using CommandLine = HostTest;

TEST_F(CommandLine, FirstLetterPastSpacesHyphensAndSlashesPicksTheModeItsWindowAndExitCode) {
    // The text, then the page's handle plus this, or none.
    constexpr std::int64_t None = -1, NoWindow = 1, Past32Bits = std::int64_t{1} << 32;
    const std::tuple<const char*, std::int64_t, int, std::string> rows[] = {
        {"", None, 1, "dialog"},
        {"/c:1234", None, 1, "dialog over foreground"},
        {"-/ S anything", None, 0, "saver"},
        {"/p", Past32Bits, 0, "saver over page"},
        {"/L  ", 0, 0, "saver over page"},
        {"/p ", NoWindow, -1, ""},
        {"-A ", NoWindow, 0, "SCRSAVE over foreground"},
        {"a", 0, 0, "SCRSAVE over page"},
        {"/x", None, -1, ""},
        {"/\x80s", None, -1, ""},
    };
    for (auto [letter, handle, exitCode, shown] : rows) {
        SetUp();
        ran.clear();
        auto entry = reinterpret_cast<FARPROC>(ChangePassword);
        fake::machine.libraries["MPR.DLL"] = {{{"PwdChangePasswordA", entry}}};
        fake::SetForeground(fake::MakeForeignWindow(300, 200, "Program", "foreground"));
        auto page = reinterpret_cast<std::uintptr_t>(fake::MakeForeignWindow(152, 112, "", "page"));
        fake::Dialog.script = [] {
            ran = "dialog" + Over(GetParent(fake::Dialog.dialog));
            EndDialog(fake::Dialog.dialog, 1);
        };
        fake::machine.idle = [] { // closes the saver when its loop first waits
            bool first = ran.empty();
            ran = "saver" + Over(GetParent(HostState.saverWindow));
            return first && PostMessageA(HostState.saverWindow, WM_CLOSE, 0, 0);
        };
        std::string text = letter + (handle == None ? "" : std::to_string(page + handle));
        fake::machine.codePage =
            932; // the quote behind 0x81 is a trail byte, not the end of the name
        fake::machine.commandLine = "\"C:\\\x81\"\\polkamoot.scr\" " + text;
        EXPECT_EQ(exitCode, ProcessEntry()) << text;
        EXPECT_EQ(shown, ran) << text;
        EXPECT_EQ(shown == "dialog over foreground", ParseCommand(text.c_str()).overForeground);
        EXPECT_EQ(nullptr, fake::machine.faultFilter) << text;
        EXPECT_EQ(0, fake::Live(fake::Kind::Library)) << text;
    }
}

LPTOP_LEVEL_EXCEPTION_FILTER afterFault;

// A fault that meets no handler makes the platform call the installed filter.
int Faulting(const char*) {
    fake::machine.faultFilter(nullptr);
    afterFault = fake::machine.faultFilter;
    return 7;
}

TEST_F(CommandLine, FaultGuardSwitchesTheNoticeOffWhenTheReportAsksAndPutsTheOuterFilterBackFirst) {
    const auto outer = reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(std::uintptr_t{0xF00});
    const std::tuple<LONG, std::vector<UINT>> rows[] = {{EXCEPTION_EXECUTE_HANDLER, {0}},
                                                        {EXCEPTION_CONTINUE_SEARCH, {}}};
    for (auto [verdict, switches] : rows) {
        SetUp();
        SetUnhandledExceptionFilter(outer);
        fake::machine.faultVerdict = verdict;
        EXPECT_EQ(7, RunGuarded(Faulting, ""));
        EXPECT_EQ(switches, fake::machine.noticeSwitches);
        EXPECT_EQ(outer, afterFault) << "the report must not come back to the guard";
        EXPECT_EQ(outer, fake::machine.faultFilter);
    }
}

BOOL PLATFORM_API Verifier(HWND) {
    return 1;
}

class SaverWindow : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        fake::SetScreenSize(1024, 768);
        fake::SetForeground(other = fake::MakeForeignWindow(300, 200));
        fake::machine.registry["Control Panel\\Desktop"]["ScreenSaveUsePassword"] = {1, 0, 0, 0};
        fake::machine.libraries["PASSWORD.CPL"] = {VerifierLibrary};
    }

    const std::map<std::string, FARPROC> VerifierLibrary{
        {"VerifyScreenSavePwd", reinterpret_cast<FARPROC>(Verifier)}};
    HWND other = nullptr;
};

TEST_F(SaverWindow, CoversTheScreenOrItsParentAndHoldsTheVerifierInFullScreenOnly) {
    // Without the virtual-screen metrics, monitors left of and above the primary one, a preview.
    const std::tuple<RECT, bool, std::vector<int>> rows[] = {
        {{0, 0, 0, 0}, false, {0, 0, 1024, 768, WS_EX_TOPMOST, 0}},
        {{-800, -200, 1824, 968}, false, {-800, -200, 1824, 968, WS_EX_TOPMOST, 0}},
        {{0, 0, 0, 0}, true, {0, 0, 152, 112, 0, 1}}};
    for (auto [screen, preview, placement] : rows) {
        SetUp();
        fake::SetVirtualScreen(screen.left, screen.top, screen.right, screen.bottom);
        fake::machine.idle = [waits = 0]() mutable {
            return !waits++ && PostMessageA(HostState.saverWindow, WM_CLOSE, 0, 0);
        };
        EXPECT_EQ(0, RunSaverWindow(preview ? fake::MakeForeignWindow(152, 112) : nullptr));
        fake::WindowInfo info = fake::Info(HostState.saverWindow);
        EXPECT_EQ(placement,
                  (std::vector<int>{info.x, info.y, info.width, info.height,
                                    static_cast<int>(info.exStyle), HostState.isPreview}));
        EXPECT_EQ(preview ? other : HostState.saverWindow, GetForegroundWindow());
        EXPECT_EQ((preview ? std::vector<UINT>{} : std::vector<UINT>{1, 0}),
                  fake::machine.noticeSwitches);
    }
}

TEST_F(SaverWindow, RunWithoutAWindowOfItsOwnEndsAtOnceHoldingNoVerifier) {
    // Another full-screen saver already showing, or a class or a window that will not come.
    const std::tuple<const char*, int, std::vector<UINT>> rows[] = {
        {"", 0, {}}, {"RegisterClassA", -1, {1, 0}}, {"CreateWindowExA", -1, {1, 0}}};
    for (auto [failing, exitCode, switches] : rows) {
        SetUp();
        HWND first = fake::MakeForeignWindow(1024, 768, "WindowsScreenSaverClass",
                                             *failing ? "Not a saver" : "Screen Saver");
        if (*failing) {
            fake::FailCall(failing);
        }
        EXPECT_EQ(exitCode, RunSaverWindow(nullptr)) << failing;
        EXPECT_EQ(*failing ? other : first, GetForegroundWindow()) << failing;
        EXPECT_EQ(switches, fake::machine.noticeSwitches) << failing;
    }
}

TEST_F(SaverWindow, VerifierIsHeldWithTheNoticeOnOnlyWhenWantedAndPresent) {
    // The setting, whether the library has the entry, whether the verifier is held.
    const std::tuple<std::vector<BYTE>, bool, bool> rows[] = {
        {{1, 0, 0, 0}, 1, 1},    {{1}, 1, 1},         {{}, 1, 0}, {{0, 0, 0, 0}, 1, 0},
        {{1, 0, 0, 0, 0}, 1, 0}, {{1, 0, 0, 0}, 0, 0}};
    for (auto [setting, entry, held] : rows) {
        HostTest::SetUp();
        fake::machine.registry["Control Panel\\Desktop"]["ScreenSaveUsePassword"] = setting;
        fake::machine.libraries["PASSWORD.CPL"] = {entry ? VerifierLibrary
                                                         : decltype(VerifierLibrary){}};
        LoadPasswordVerifier();
        LoadPasswordVerifier(); // lets the first go before it loads again
        EXPECT_EQ(held, fake::Live(fake::Kind::Library)) << setting.size();
        EXPECT_EQ(0, fake::Live(fake::Kind::Key));
        UnloadPasswordVerifier();
        EXPECT_EQ((held ? std::vector<UINT>{1, 0, 1, 0} : std::vector<UINT>{}),
                  fake::machine.noticeSwitches);
        EXPECT_EQ(0, fake::Live(fake::Kind::Library));
    }
}

enum Mode { Watching, Preview, Closing, Verifying };

class CloseRules : public HostTest {
  protected:
    // A saver window in the mode, created with a visible cursor at (100, 100).
    HWND Saver(Mode mode) {
        SetUp();
        fake::machine.cursor = {100, 100};
        SetCursor(fake::WaitCursor());
        HWND window = CreateSaver(mode == Preview ? fake::MakeForeignWindow(200, 150) : nullptr);
        EXPECT_EQ(mode != Preview, fake::CursorHidden()) << "created in mode " << mode;
        HostState.isClosing = mode == Closing;
        HostState.isVerifying = mode == Verifying;
        return window;
    }

    static int ClosesPosted(HWND window) {
        auto posted = fake::PostedTo(window);
        return static_cast<int>(std::count_if(posted.begin(), posted.end(), [](const MSG& msg) {
            return msg.message == WM_CLOSE && msg.wParam == 0 && msg.lParam == 0;
        }));
    }

    // The result; D: the default ran, C: a close posted, H: cursor hidden, Y: yielded, P: parent.
    static std::string Outcome(HWND window, UINT message, WPARAM wParam) {
        std::size_t forwards = fake::PostedTo(GetParent(window)).size();
        SetCursor(fake::WaitCursor());
        int defaults = CountOf(fake::machine.defaultCalls, message);
        int closes = ClosesPosted(window);
        int yields = fake::machine.yields;
        LRESULT result = SendMessageA(window, message, wParam, reinterpret_cast<LPARAM>("Title"));
        return std::to_string(result) +
               (CountOf(fake::machine.defaultCalls, message) > defaults ? "D" : "") +
               (ClosesPosted(window) > closes ? "C" : "") + (fake::CursorHidden() ? "H" : "") +
               (fake::machine.yields > yields ? "Y" : "") +
               (fake::PostedTo(GetParent(window)).size() > forwards ? "P" : "");
    }
};

TEST_F(CloseRules, MessageChainByMode) {
    // Sent in order to one window per mode: watching, preview, closing, verifying.
    const std::tuple<UINT, WPARAM, std::string> rows[] = {
        {WM_KEYDOWN, 0, "0DC 0D 0D 0D"},
        {WM_SYSKEYDOWN, 0, "0DC 0D 0D 0D"},
        {WM_LBUTTONDOWN, 0, "0DC 0D 0D 0D"},
        {WM_RBUTTONDOWN, 0, "0DC 0D 0D 0D"},
        {WM_MBUTTONDOWN, 0, "0DC 0D 0D 0D"},
        {WM_KEYUP, 0, "0D 0D 0D 0D"},
        {WM_MOUSEMOVE, 0, "0DC 0D 0D 0D"},
        {WM_SETCURSOR, 0, "1H 0D 0D 0D"},
        {WM_SHOWWINDOW, 1, "0DH 0D 0D 0D"},
        {WM_PAINT, 0, "0DH 0D 0D 0DH"},
        {WM_SETTEXT, 0, "0 0 0 0"},
        {WM_CONTEXTMENU, 0, "0D 1P 0D 0D"},
        {WM_SYSCOMMAND, SC_NEXTWINDOW, "0 0D 0 0"},
        {WM_SYSCOMMAND, SC_PREVWINDOW, "0 0D 0 0"},
        {WM_SYSCOMMAND, SC_SCREENSAVE, "0 0D 0 0"},
        {WM_SYSCOMMAND, SC_SCREENSAVE | 1, "0D 0D 0D 0D"},
        {WM_TIMER, 7, "0DY 0DY 0 0DY"},
        {WM_ERASEBKGND, 0, "0 0 0 0"},
        {VerifyPasswordMessage, 0, "1 0D 0D 1"},
        {WM_CLOSE, 0, "0D 0D 0D 0"},
    };
    std::string seen[std::size(rows)];
    for (Mode mode : {Watching, Preview, Closing, Verifying}) {
        HWND window = Saver(mode);
        fake::machine.cursor = {103, 102}; // 5 pixels of travel
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            auto [message, wParam, expected] = rows[i];
            seen[i] += (mode ? " " : "") + Outcome(window, message, wParam);
        }
        EXPECT_EQ(mode == Watching || mode == Closing, HostState.isClosing) << "after the close";
    }
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(std::get<2>(rows[i]), seen[i]) << "row " << i;
    }
}

TEST_F(CloseRules, MouseTravelAddsUpFromTheAnchorWhichMovesOnlyWhenItCloses) {
    HWND window = Saver(Watching);
    // 2, 4 and 6 from (100, 100); then 3 + 1 and 3 + 2 from (106, 100); then none.
    const std::tuple<int, int, int> moves[] = {{102, 100, 0}, {104, 100, 0}, {106, 100, 1},
                                               {103, 101, 1}, {103, 102, 2}, {103, 102, 2}};
    for (auto [x, y, closes] : moves) {
        fake::machine.cursor = {x, y};
        SendMessageA(window, WM_MOUSEMOVE, 0, 0x03000300); // its own coordinates count for nothing
        EXPECT_EQ(closes, ClosesPosted(window)) << x << ", " << y;
    }
}

int verifierCalls;

// Refuses once, watching the saver while its dialog is open; every answer takes 50 ms.
BOOL PLATFORM_API ScriptedVerifier(HWND saver) {
    if (++verifierCalls == 1) {
        EXPECT_EQ(1u, fake::PostedTo(saver).size()) << "two of the three ticks dropped";
        EXPECT_EQ(0, SendMessageA(saver, WM_CLOSE, 0, 0));
        fake::machine.cursor = {300, 200};
        SetCursor(fake::WaitCursor());
    }
    fake::machine.tick = GetTickCount() + 50;
    return verifierCalls > 1;
}

TEST_F(CloseRules, VerifierRunsAloneAndIsAskedAgain200MsAfterItRefusedAcrossTheTickWrap) {
    HWND window = Saver(Watching);
    HostState.verifier = ScriptedVerifier;
    verifierCalls = 0;
    for (int tick = 0; tick < 3; ++tick) {
        PostMessageA(window, WM_TIMER, 7, 0);
    }
    fake::machine.tick = 0xFFFFFF6A; // the refusal comes 100 ms before the wrap
    EXPECT_EQ(0, SendMessageA(window, WM_CLOSE, 0, 0));
    EXPECT_TRUE(fake::CursorHidden());
    EXPECT_EQ(300, HostState.cursorAnchor.x) << "travel counts from where the refusal left it";

    fake::machine.tick = 99;
    EXPECT_EQ(0, SendMessageA(window, WM_CLOSE, 0, 0));
    EXPECT_EQ(1, verifierCalls);
    fake::machine.tick = 100;
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(2, verifierCalls);
    EXPECT_FALSE(IsWindow(window));
}

std::vector<HIMC> associated;
HIMC detached;

HIMC PLATFORM_API Associate(HWND, HIMC context) {
    associated.push_back(context);
    return context ? nullptr : detached;
}

TEST_F(CloseRules, InputMethodAlreadyLoadedIsDetachedForTheWindowsLifeAndNeverLoaded) {
    const HIMC saved = reinterpret_cast<HIMC>(std::uintptr_t{0x1234});
    const std::tuple<bool, HIMC, std::vector<HIMC>> rows[] = {
        {true, saved, {nullptr, saved}}, {true, nullptr, {nullptr}}, {false, saved, {}}};
    for (auto [loaded, context, expected] : rows) {
        SetUp();
        associated.clear();
        detached = context;
        auto entry = reinterpret_cast<FARPROC>(Associate);
        fake::machine.libraries["IMM32.DLL"] = {{{"ImmAssociateContext", entry}}, loaded};
        DestroyWindow(CreateSaver());
        EXPECT_EQ(expected, associated) << loaded;
    }
}

} // namespace
} // namespace polkamoot
