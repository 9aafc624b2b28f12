#include "host_fixture.h"

namespace polkamoot {
namespace {

BOOL PLATFORM_API Verifier(HWND) {
    return 1;
}

class PasswordTest : public HostTest {
  protected:
    void InstallVerifier(bool withEntry = true) {
        std::map<std::string, FARPROC> entries;
        if (withEntry) {
            entries["VerifyScreenSavePwd"] = reinterpret_cast<FARPROC>(Verifier);
        }
        fake::InstallLibrary("PASSWORD.CPL", entries);
    }

    static void SetUsePassword(std::vector<BYTE> value) {
        fake::SetRegistryValue("Control Panel\\Desktop", "ScreenSaveUsePassword", value);
    }

    static void ExpectNoPassword() {
        EXPECT_EQ(nullptr, HostState.passwordLibrary);
        EXPECT_EQ(nullptr, HostState.verifier);
        EXPECT_TRUE(fake::NoticeSwitches().empty());
        EXPECT_EQ(0, fake::Live(fake::Kind::Library));
        EXPECT_EQ(0, fake::Live(fake::Kind::Key));
    }
};

TEST_F(PasswordTest, VerifierIsLoadedAndTheNoticeOnWhileTheUserWantsAPassword) {
    InstallVerifier();
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    EXPECT_EQ(Verifier, HostState.verifier);
    EXPECT_TRUE(fake::SaverRunningNotice());
    EXPECT_EQ(0, fake::Live(fake::Kind::Key));

    UnloadPasswordVerifier();
    EXPECT_EQ(nullptr, HostState.verifier);
    EXPECT_EQ(nullptr, HostState.passwordLibrary);
    EXPECT_EQ(std::vector<UINT>({1, 0}), fake::NoticeSwitches());
    EXPECT_EQ(0, fake::Live(fake::Kind::Library));
}

TEST_F(PasswordTest, AnyNonzeroSettingAsksForThePassword) {
    InstallVerifier();
    SetUsePassword({0, 0, 0, 0x80});
    LoadPasswordVerifier();
    EXPECT_TRUE(HostState.verifier);
    UnloadPasswordVerifier();
}

TEST_F(PasswordTest, NoPasswordWhenTheSettingIsMissingZeroOrTooLong) {
    InstallVerifier();
    LoadPasswordVerifier(); // no key at all
    ExpectNoPassword();

    fake::SetRegistryValue("Control Panel\\Desktop", "Wallpaper", {0});
    LoadPasswordVerifier(); // key without the value
    ExpectNoPassword();

    for (std::vector<BYTE> value :
         {std::vector<BYTE>{0, 0, 0, 0}, std::vector<BYTE>{1, 0, 0, 0, 0}}) {
        SetUsePassword(value);
        LoadPasswordVerifier();
        ExpectNoPassword();
    }
    EXPECT_EQ(0, fake::LoadCount("PASSWORD.CPL"));
}

TEST_F(PasswordTest, ShortSettingIsReadIntoAZeroedNumber) {
    InstallVerifier();
    SetUsePassword({1});
    LoadPasswordVerifier();
    EXPECT_TRUE(HostState.verifier);
    UnloadPasswordVerifier();
}

TEST_F(PasswordTest, MissingLibraryMeansNoPassword) {
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    ExpectNoPassword();
}

TEST_F(PasswordTest, LibraryWithoutTheEntryIsFreedAtOnceAndTheNoticeLeftAlone) {
    InstallVerifier(false);
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    EXPECT_EQ(1, fake::LoadCount("PASSWORD.CPL"));
    ExpectNoPassword();
}

TEST_F(PasswordTest, LoadingAgainReleasesTheEarlierVerifierFirst) {
    InstallVerifier();
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    LoadPasswordVerifier();
    EXPECT_EQ(std::vector<UINT>({1, 0, 1}), fake::NoticeSwitches());
    EXPECT_EQ(1, fake::Live(fake::Kind::Library));
    UnloadPasswordVerifier();
    EXPECT_EQ(0, fake::Live(fake::Kind::Library));
}

TEST_F(PasswordTest, UnloadingWithNothingLoadedDoesNothing) {
    UnloadPasswordVerifier();
    ExpectNoPassword();
}

TEST_F(PasswordTest, OneSaverRuleLoadsNothing) {
    InstallVerifier();
    SetUsePassword({1, 0, 0, 0});
    fake::MakeForeignWindow(640, 480, "WindowsScreenSaverClass", "Screen Saver");
    EXPECT_EQ(0, HostMain(fake::Instance(), "/s"));
    EXPECT_EQ(0, fake::LoadCount("PASSWORD.CPL"));
    EXPECT_TRUE(fake::NoticeSwitches().empty());
}

int AnswerFortyTwo(const char*) {
    return 42;
}

TEST_F(PasswordTest, FaultGuardSwitchesTheNoticeOffWhenTheReportAsksForIt) {
    InstallVerifier();
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    auto outer = reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(std::uintptr_t{0xF00});
    SetUnhandledExceptionFilter(outer);

    RunGuarded(
        [](const char*) {
            // The fault arrives while the mode runs; the platform calls the filter then.
            LPTOP_LEVEL_EXCEPTION_FILTER installed = fake::InstalledFaultFilter();
            fake::SetFaultReportVerdict(EXCEPTION_EXECUTE_HANDLER);
            EXPECT_EQ(EXCEPTION_EXECUTE_HANDLER, installed(nullptr));
            return 0;
        },
        "");
    EXPECT_EQ(1, fake::FaultReports());
    EXPECT_FALSE(fake::SaverRunningNotice());
    EXPECT_EQ(std::vector<UINT>({1, 0}), fake::NoticeSwitches());
    EXPECT_EQ(outer, fake::InstalledFaultFilter());
}

TEST_F(PasswordTest, FaultGuardLeavesTheNoticeToTheOuterHandlingWhenTheReportDeclines) {
    InstallVerifier();
    SetUsePassword({1, 0, 0, 0});
    LoadPasswordVerifier();
    RunGuarded(
        [](const char*) {
            fake::SetFaultReportVerdict(EXCEPTION_CONTINUE_SEARCH);
            EXPECT_EQ(EXCEPTION_CONTINUE_SEARCH, fake::InstalledFaultFilter()(nullptr));
            return 0;
        },
        "");
    EXPECT_TRUE(fake::SaverRunningNotice());
    UnloadPasswordVerifier();
}

TEST_F(PasswordTest, GuardIsInPlaceOnlyWhileTheModeRuns) {
    EXPECT_EQ(42, RunGuarded(AnswerFortyTwo, ""));
    EXPECT_EQ(nullptr, fake::InstalledFaultFilter());
    RunGuarded(
        [](const char*) {
            EXPECT_NE(nullptr, fake::InstalledFaultFilter());
            return 0;
        },
        "");
}

} // namespace
} // namespace polkamoot
