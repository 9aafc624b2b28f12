#include "host_fixture.h"

namespace polkamoot {
namespace {

BOOL PLATFORM_API RefusingVerifier(HWND) {
    return 0;
}

class SaverWindowTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        fake::SetScreenSize(1024, 768);
    }

    // The user closes the saver at the first chance; the loop must end by itself after that.
    void CloseOnFirstIdle() {
        fake::SetIdle([this] {
            if (closed) {
                return false;
            }
            closed = true;
            return PostMessageA(HostState.saverWindow, WM_LBUTTONDOWN, 0, 0) != 0;
        });
    }

    void WantPassword() {
        fake::SetRegistryValue("Control Panel\\Desktop", "ScreenSaveUsePassword", {1, 0, 0, 0});
        fake::InstallLibrary(
            "PASSWORD.CPL", {{"VerifyScreenSavePwd", reinterpret_cast<FARPROC>(RefusingVerifier)}});
    }

    bool closed = false;
};

TEST_F(SaverWindowTest, FullScreenIsATopmostPopupCoveringTheScreen) {
    CloseOnFirstIdle();
    EXPECT_EQ(0, RunSaverWindow(nullptr));
    fake::WindowInfo info = fake::Info(HostState.saverWindow);
    EXPECT_EQ("WindowsScreenSaverClass", info.className);
    EXPECT_EQ("Screen Saver", info.title);
    EXPECT_EQ(0x96000000u, info.style);
    EXPECT_EQ(WS_EX_TOPMOST, info.exStyle);
    EXPECT_EQ(nullptr, info.parent);
    EXPECT_EQ(0, info.x);
    EXPECT_EQ(0, info.y);
    EXPECT_EQ(1024, info.width);
    EXPECT_EQ(768, info.height);
    EXPECT_EQ(HostState.saverWindow, fake::Foreground());
    EXPECT_EQ(0, HostState.isPreview);
    EXPECT_FALSE(fake::LoopStarved());
}

// Monitors left of and above the primary one put the origin of the virtual screen below zero.
TEST_F(SaverWindowTest, FullScreenCoversTheVirtualScreen) {
    fake::SetVirtualScreen(-800, -200, 1824, 968);
    CloseOnFirstIdle();
    EXPECT_EQ(0, RunSaverWindow(nullptr));
    fake::WindowInfo info = fake::Info(HostState.saverWindow);
    EXPECT_EQ((std::vector<int>{-800, -200, 1824, 968}),
              (std::vector<int>{info.x, info.y, info.width, info.height}));
}

TEST_F(SaverWindowTest, PreviewIsAChildFillingTheParentsClientArea) {
    HWND page = fake::MakeForeignWindow(152, 112);
    fake::SetForeground(page);
    fake::SetIdle([page] { return DestroyWindow(page) != 0; });
    EXPECT_EQ(0, RunSaverWindow(page));
    fake::WindowInfo info = fake::Info(HostState.saverWindow);
    EXPECT_EQ("Preview", info.title);
    EXPECT_EQ(0x52000000u, info.style);
    EXPECT_EQ(0u, info.exStyle);
    EXPECT_EQ(page, info.parent);
    EXPECT_EQ(0, info.x);
    EXPECT_EQ(0, info.y);
    EXPECT_EQ(152, info.width);
    EXPECT_EQ(112, info.height);
    EXPECT_EQ(1, HostState.isPreview);
    EXPECT_EQ(page, fake::Foreground());
}

TEST_F(SaverWindowTest, SecondFullScreenRunBringsTheFirstForwardAndTouchesNothing) {
    WantPassword();
    HWND first = fake::MakeForeignWindow(1024, 768, "WindowsScreenSaverClass", "Screen Saver");
    HWND other = fake::MakeForeignWindow(10, 10);
    fake::SetForeground(other);
    std::size_t windows = fake::CreatedWindows().size();

    EXPECT_EQ(0, RunSaverWindow(nullptr));
    EXPECT_EQ(first, fake::Foreground());
    EXPECT_EQ(windows, fake::CreatedWindows().size());
    EXPECT_EQ(0, fake::LoadCount("PASSWORD.CPL"));
    EXPECT_TRUE(fake::NoticeSwitches().empty());
}

TEST_F(SaverWindowTest, PreviewNeverBlocksAFullScreenRunNorTheReverse) {
    HWND page = fake::MakeForeignWindow(152, 112);
    fake::MakeForeignWindow(152, 112, "WindowsScreenSaverClass", "Preview", page);
    CloseOnFirstIdle();
    EXPECT_EQ(0, RunSaverWindow(nullptr));
    EXPECT_EQ(nullptr, fake::Info(HostState.saverWindow).parent);

    SetUp();
    page = fake::MakeForeignWindow(152, 112);
    fake::MakeForeignWindow(1024, 768, "WindowsScreenSaverClass", "Screen Saver");
    fake::SetIdle([page] { return DestroyWindow(page) != 0; });
    EXPECT_EQ(0, RunSaverWindow(page));
    EXPECT_EQ(page, fake::Info(HostState.saverWindow).parent);
}

TEST_F(SaverWindowTest, VerifierIsHeldExactlyForTheLifeOfTheLoop) {
    WantPassword();
    std::vector<bool> noticeDuringLoop;
    fake::SetIdle([&] {
        noticeDuringLoop.push_back(fake::SaverRunningNotice());
        if (noticeDuringLoop.size() > 1) {
            HostState.verifier = nullptr; // let the close through
            HostState.passwordLibrary = nullptr;
            FreeLibrary(GetModuleHandleA("PASSWORD.CPL"));
            SetSaverRunning(0);
        }
        return PostMessageA(HostState.saverWindow, WM_KEYDOWN, 0, 0) != 0;
    });
    EXPECT_EQ(0, RunSaverWindow(nullptr));
    ASSERT_GE(noticeDuringLoop.size(), 2u);
    EXPECT_TRUE(noticeDuringLoop[0]);
    EXPECT_FALSE(fake::SaverRunningNotice());
    EXPECT_EQ(0, fake::Live(fake::Kind::Library));
}

TEST_F(SaverWindowTest, PreviewLoadsNoVerifier) {
    WantPassword();
    HWND page = fake::MakeForeignWindow(152, 112);
    fake::SetIdle([page] { return DestroyWindow(page) != 0; });
    RunSaverWindow(page);
    EXPECT_EQ(0, fake::LoadCount("PASSWORD.CPL"));
    EXPECT_TRUE(fake::NoticeSwitches().empty());
}

TEST_F(SaverWindowTest, NoWindowMeansNoLoopAndTheVerifierIsStillReleased) {
    WantPassword();
    for (const char* failing : {"RegisterClassA", "CreateWindowExA"}) {
        SetUp();
        WantPassword();
        fake::FailCall(failing);
        EXPECT_EQ(-1, RunSaverWindow(nullptr)) << failing;
        EXPECT_EQ(std::vector<UINT>({1, 0}), fake::NoticeSwitches()) << failing;
        EXPECT_EQ(0, fake::Live(fake::Kind::Library)) << failing;
        EXPECT_FALSE(fake::LoopStarved()) << failing;
    }
}

TEST_F(SaverWindowTest, ClassIsDescribedAfreshOnEveryRun) {
    CloseOnFirstIdle();
    RunSaverWindow(nullptr);
    // A second process of the same program starts from an unregistered class; the fake keeps
    // one process, so its class table is reset with the machine.
    fake::Reset();
    HostState = HostRecord{};
    HostState.instance = fake::Instance();
    closed = false;
    CloseOnFirstIdle();
    EXPECT_EQ(0, RunSaverWindow(nullptr));
}

} // namespace
} // namespace polkamoot
