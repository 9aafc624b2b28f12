#include "host_fixture.h"

#include <string>

namespace polkamoot {
namespace {

struct PasswordChange {
    std::string provider;
    HWND parent;
    DWORD reserved1;
    void* reserved2;
};
std::vector<PasswordChange> changes;

DWORD PLATFORM_API FakePwdChangePassword(const char* provider, HWND parent, DWORD reserved1,
                                         void* reserved2) {
    changes.push_back({provider, parent, reserved1, reserved2});
    return 0;
}

class RunModesTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        changes.clear();
        fake::InstallLibrary(
            "MPR.DLL", {{"PwdChangePasswordA", reinterpret_cast<FARPROC>(FakePwdChangePassword)}});
        foreground = fake::MakeForeignWindow(300, 200);
        fake::SetForeground(foreground);
    }

    static std::string Decimal(HWND window) {
        return std::to_string(reinterpret_cast<std::uintptr_t>(window));
    }

    HWND foreground = nullptr;
};

TEST_F(RunModesTest, ProcessEntryHandsTheArgumentTextAndInstanceToTheMode) {
    fake::SetCommandLine("\"C:\\My Savers\\polkamoot.scr\" /x");
    HostState.instance = nullptr;
    EXPECT_EQ(-1, ProcessEntry());
    EXPECT_EQ(fake::Instance(), HostState.instance);
}

TEST_F(RunModesTest, UnrecognisedTextEndsWithMinusOneAndNoWindow) {
    for (const char* text : {"/x", "/\ts", "\x80", "/?"}) {
        EXPECT_EQ(-1, HostMain(fake::Instance(), text)) << text;
    }
    EXPECT_EQ(1u, fake::CreatedWindows().size()); // the foreground window of the fixture
}

TEST_F(RunModesTest, PreviewWithoutAnExistingWindowEndsWithMinusOne) {
    HWND gone = fake::MakeForeignWindow(10, 10);
    DestroyWindow(gone);
    const std::string texts[] = {"/p", "/p 0", "/p:" + Decimal(foreground), "/p " + Decimal(gone),
                                 "/p -" + Decimal(foreground)};
    for (const std::string& text : texts) {
        EXPECT_EQ(-1, HostMain(fake::Instance(), text.c_str())) << text;
    }
    EXPECT_EQ(2u, fake::CreatedWindows().size());
}

TEST_F(RunModesTest, PreviewRunsInsideTheNamedWindowUntilItIsDestroyed) {
    for (const char* letter : {"/p ", "/l", "P"}) {
        SetUp();
        HWND page = fake::MakeForeignWindow(152, 112);
        fake::SetIdle([page] { return DestroyWindow(page) != 0; });
        std::string text = letter + Decimal(page);
        EXPECT_EQ(0, HostMain(fake::Instance(), text.c_str())) << text;
        ASSERT_TRUE(HostState.saverWindow);
        EXPECT_EQ(page, fake::Info(HostState.saverWindow).parent);
        EXPECT_FALSE(IsWindow(HostState.saverWindow));
        EXPECT_FALSE(fake::LoopStarved());
    }
}

TEST_F(RunModesTest, PreviewHandleLongerThan32BitsWrapsBeforeItIsChecked) {
    HWND page = fake::MakeForeignWindow(152, 112);
    std::uint64_t wrapped = reinterpret_cast<std::uintptr_t>(page) + (std::uint64_t{1} << 32);
    std::string text = "/p " + std::to_string(wrapped);
    fake::SetIdle([page] { return DestroyWindow(page) != 0; });
    EXPECT_EQ(0, HostMain(fake::Instance(), text.c_str()));
    EXPECT_EQ(page, fake::Info(HostState.saverWindow).parent);
}

TEST_F(RunModesTest, ChangePasswordOwnsItsDialogByTheNamedWindowOrElseTheForeground) {
    HWND settings = fake::MakeForeignWindow(100, 100);
    HWND gone = fake::MakeForeignWindow(10, 10);
    DestroyWindow(gone);
    const std::pair<std::string, HWND> cases[] = {
        {"/a", foreground},
        {"/a 0", foreground},
        {"-A " + Decimal(gone), foreground},
        {"/a " + Decimal(settings), settings},
        {"a" + Decimal(settings), settings},
    };
    for (const auto& [text, parent] : cases) {
        changes.clear();
        EXPECT_EQ(0, HostMain(fake::Instance(), text.c_str())) << text;
        ASSERT_EQ(1u, changes.size()) << text;
        EXPECT_EQ("SCRSAVE", changes[0].provider);
        EXPECT_EQ(parent, changes[0].parent) << text;
        EXPECT_EQ(0u, changes[0].reserved1);
        EXPECT_EQ(nullptr, changes[0].reserved2);
    }
    EXPECT_EQ(0, fake::Live(fake::Kind::Library));
}

TEST_F(RunModesTest, ChangePasswordWithoutTheLibraryOrItsEntryStillEndsWithZero) {
    fake::Reset();
    EXPECT_EQ(0, HostMain(fake::Instance(), "/a"));
    fake::InstallLibrary("MPR.DLL", {});
    EXPECT_EQ(0, HostMain(fake::Instance(), "/a"));
    EXPECT_EQ(1, fake::LoadCount("MPR.DLL"));
    EXPECT_EQ(0, fake::Live(fake::Kind::Library));
    EXPECT_TRUE(changes.empty());
}

TEST_F(RunModesTest, SaveRunsTheFullScreenSaverUntilAKeyCloses) {
    bool pressed = false;
    fake::SetIdle([&pressed] {
        if (pressed) {
            return false;
        }
        pressed = true;
        return PostMessageA(HostState.saverWindow, WM_KEYDOWN, 'A', 0) != 0;
    });
    EXPECT_EQ(0, HostMain(fake::Instance(), "-S whatever"));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(fake::LoopStarved());
    EXPECT_FALSE(IsWindow(HostState.saverWindow));
}

} // namespace
} // namespace polkamoot
