#include "settings/config_dialog.h"

#include "fake/fake.h"
#include "fake/fake_dialog.h"
#include "host_fixture.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polkamoot {
namespace {

constexpr char Header[] = "[ScreenSaver.Polkamoot]\r\n";
constexpr int ColorIds[] = {IDC_RED, IDC_BLUE, IDC_GREEN, IDC_YELLOW, IDC_MAGENTA};

class ConfigDialog : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        Settings = SettingsRecord{};
        BearCount = 0;
    }

    static void SetFile(const std::string& keys) {
        fake::SetProfileText("control.ini", Header + keys);
    }

    static INT_PTR Run(std::function<void(HWND)> script) {
        fake::SetDialogScript(std::move(script));
        return DialogBoxParamA(fake::Instance(), MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr,
                               ConfigDialogProc, 0);
    }

    static UINT Checked(HWND dialog, int id) { return fake::Control(dialog, id).check; }
    static bool Enabled(HWND dialog, int id) { return fake::Control(dialog, id).enabled; }
};

TEST_F(ConfigDialog, OpensWithTheDefaultsWhenThereIsNoFile) {
    EXPECT_EQ(0, Run([](HWND dialog) {
                  EXPECT_EQ(1u, Checked(dialog, IDC_RED));
                  for (int id : {IDC_BLUE, IDC_GREEN, IDC_YELLOW, IDC_MAGENTA, IDC_RANDOM}) {
                      EXPECT_EQ(0u, Checked(dialog, id)) << id;
                  }
                  for (int id : ColorIds) {
                      EXPECT_TRUE(Enabled(dialog, id)) << id;
                  }
                  EXPECT_EQ("5", fake::Control(dialog, IDC_MINUTES).text);
                  EXPECT_FALSE(Enabled(dialog, IDC_MINUTES));
                  EXPECT_EQ(0u, Checked(dialog, IDC_SOUND));
                  EXPECT_FALSE(Enabled(dialog, IDC_SOUND)) << "no wave-output device";
                  EXPECT_EQ(GetDlgItem(dialog, IDC_BLUE), GetFocus());
                  fake::PressEscape(dialog);
              }));
    EXPECT_FALSE(fake::ProfileExists("control.ini"));
}

TEST_F(ConfigDialog, OpensInRandomModeWhenTheFileChoosesNoBear) {
    SetFile("Red=0\r\nBlue=0\r\nGreen=0\r\nYellow=0\r\nMagenta=0\r\nRandom=0\r\nMinutes=9\r\n");
    EXPECT_EQ(1, Run([](HWND dialog) {
                  EXPECT_EQ(1u, Checked(dialog, IDC_RANDOM));
                  for (int id : ColorIds) {
                      EXPECT_EQ(0u, Checked(dialog, id)) << id;
                      EXPECT_FALSE(Enabled(dialog, id)) << id;
                  }
                  EXPECT_TRUE(Enabled(dialog, IDC_MINUTES));
                  EXPECT_EQ("9", fake::Control(dialog, IDC_MINUTES).text);
                  EXPECT_EQ(GetDlgItem(dialog, IDC_RANDOM), GetFocus());
                  fake::PressEnter(dialog);
              }));
    EXPECT_EQ(std::string(Header) +
                  "Red=0\r\nBlue=0\r\nGreen=0\r\nYellow=0\r\nMagenta=0\r\nRandom=1\r\nMinutes=9\r\n"
                  "Sound=0\r\n",
              fake::ProfileText("control.ini"));
}

TEST_F(ConfigDialog, ShowsHandEditedValuesAsTheBoxesCan) {
    SetFile("Red=0\r\nBlue=7\r\nMinutes=65541\r\n");
    Run([](HWND dialog) {
        EXPECT_EQ(1u, Checked(dialog, IDC_BLUE));
        EXPECT_EQ("5", fake::Control(dialog, IDC_MINUTES).text);
        EXPECT_EQ(7, Settings.Blue);
        fake::PressEnter(dialog);
    });
    EXPECT_EQ(1, Settings.Blue);
    EXPECT_NE(std::string::npos, fake::ProfileText("control.ini").find("Blue=1\r\n"));
}

TEST_F(ConfigDialog, SoundBoxNeedsAWaveDevice) {
    SetFile("Sound=1\r\n");
    Run([](HWND dialog) {
        EXPECT_EQ(0u, Checked(dialog, IDC_SOUND));
        EXPECT_FALSE(Enabled(dialog, IDC_SOUND));
        fake::PressEnter(dialog);
    });
    EXPECT_NE(std::string::npos, fake::ProfileText("control.ini").find("Sound=0\r\n"));

    fake::SetWaveDevices(1);
    SetFile("Sound=1\r\n");
    Run([](HWND dialog) {
        EXPECT_EQ(1u, Checked(dialog, IDC_SOUND));
        EXPECT_TRUE(Enabled(dialog, IDC_SOUND));
        fake::Click(dialog, IDC_SOUND);
        fake::PressEnter(dialog);
    });
    EXPECT_NE(std::string::npos, fake::ProfileText("control.ini").find("Sound=0\r\n"));
}

TEST_F(ConfigDialog, RandomBoxSwapsWhatIsEnabledAndChecksNothingElse) {
    SetFile("Red=1\r\nGreen=1\r\n");
    Run([](HWND dialog) {
        std::vector<UINT> before;
        for (const fake::ControlInfo& control : fake::Controls(dialog)) {
            before.push_back(control.check);
        }
        HWND random = GetDlgItem(dialog, IDC_RANDOM);
        SendDlgItemMessageA(dialog, IDC_RANDOM, BM_SETCHECK, 1, 0);
        EXPECT_EQ(
            0, ConfigDialogProc(dialog, WM_COMMAND, IDC_RANDOM, reinterpret_cast<LPARAM>(random)));
        EXPECT_EQ(1, Settings.Random);
        for (int id : ColorIds) {
            EXPECT_FALSE(Enabled(dialog, id)) << id;
        }
        EXPECT_TRUE(Enabled(dialog, IDC_MINUTES));
        fake::Click(dialog, IDC_RANDOM);
        EXPECT_EQ(0, Settings.Random);
        for (int id : ColorIds) {
            EXPECT_TRUE(Enabled(dialog, id)) << id;
        }
        EXPECT_FALSE(Enabled(dialog, IDC_MINUTES));
        std::vector<UINT> after;
        for (const fake::ControlInfo& control : fake::Controls(dialog)) {
            after.push_back(control.check);
        }
        EXPECT_EQ(before, after);
        fake::PressEscape(dialog);
    });
}

TEST_F(ConfigDialog, RefusesNoBearFirstAndWritesNothing) {
    Run([](HWND dialog) {
        fake::Click(dialog, IDC_RED);
        fake::Type(dialog, IDC_MINUTES, "abc"); // disabled: the user cannot type there
        SendDlgItemMessageA(dialog, IDC_MINUTES, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
        fake::Click(dialog, IDOK);
        EXPECT_FALSE(fake::DialogEnded(dialog));
        ASSERT_EQ(1u, fake::MessageBoxes().size()) << "only the first refusal";
        fake::MessageBoxCall box = fake::MessageBoxes()[0];
        EXPECT_EQ(dialog, box.owner);
        EXPECT_EQ("You must select at least one Bear!", box.text);
        EXPECT_EQ("Missing Bear Alert!", box.caption);
        EXPECT_EQ(MB_OK | MB_ICONHAND, box.type);
        EXPECT_EQ(GetDlgItem(dialog, IDC_BLUE), box.focus);
        EXPECT_EQ(GetDlgItem(dialog, IDC_BLUE), GetFocus());
        fake::Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(fake::ProfileExists("control.ini"));
}

TEST_F(ConfigDialog, RefusesMinutesOutsideOneToSixty) {
    for (const char* text : {"0", "61", "", "abc", "-5", "4294967297"}) {
        fake::Reset();
        HostState.instance = fake::Instance();
        EXPECT_EQ(0, Run([&](HWND dialog) {
                      fake::Click(dialog, IDC_RANDOM);
                      fake::Type(dialog, IDC_MINUTES, text);
                      EXPECT_EQ(0, ConfigDialogProc(dialog, WM_COMMAND, IDOK, 0));
                      ASSERT_EQ(1u, fake::MessageBoxes().size());
                      EXPECT_EQ("Valid values: 1-60", fake::MessageBoxes()[0].text);
                      EXPECT_EQ("Invalid Value", fake::MessageBoxes()[0].caption);
                      EXPECT_EQ(MB_OK | MB_ICONHAND, fake::MessageBoxes()[0].type);
                      EXPECT_EQ(GetDlgItem(dialog, IDC_MINUTES), GetFocus());
                      EXPECT_EQ(text, fake::Control(dialog, IDC_MINUTES).text);
                      fake::PressEscape(dialog);
                  }))
            << "[" << text << "]";
        EXPECT_FALSE(fake::ProfileExists("control.ini")) << text;
    }
}

TEST_F(ConfigDialog, ChecksTheMinutesEvenOutsideRandomMode) {
    SetFile("Minutes=99\r\n");
    const std::string before = fake::ProfileText("control.ini");
    Run([](HWND dialog) {
        fake::Click(dialog, IDOK);
        ASSERT_EQ(1u, fake::MessageBoxes().size());
        EXPECT_EQ("Invalid Value", fake::MessageBoxes()[0].caption);
        EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus()) << "the field is disabled";
        fake::Type(dialog, IDC_MINUTES, "10");
        EXPECT_EQ("99", fake::Control(dialog, IDC_MINUTES).text);
        fake::Click(dialog, IDC_RANDOM);
        fake::Type(dialog, IDC_MINUTES, "10");
        fake::Click(dialog, IDC_RANDOM);
        fake::Click(dialog, IDOK);
    });
    EXPECT_NE(std::string::npos, fake::ProfileText("control.ini").find("Minutes=10\r\n"));
}

TEST_F(ConfigDialog, OkWritesTheEightKeysInOrder) {
    SetFile("Other=4\r\n");
    EXPECT_EQ(1, Run([](HWND dialog) {
                  fake::Click(dialog, IDC_YELLOW);
                  fake::Click(dialog, IDC_RANDOM);
                  fake::Type(dialog, IDC_MINUTES, " 60");
                  fake::Click(dialog, IDOK);
              }));
    EXPECT_EQ(std::string(Header) +
                  "Other=4\r\nRed=1\r\nBlue=0\r\nYellow=1\r\nGreen=0\r\nMagenta=0\r\nRandom=1\r\n"
                  "Minutes=60\r\nSound=0\r\n",
              fake::ProfileText("control.ini"));
    EXPECT_EQ(60, Settings.Minutes);
}

TEST_F(ConfigDialog, RandomAloneIsEnoughAndTheColorsSurviveIt) {
    EXPECT_EQ(1, Run([](HWND dialog) {
                  fake::Click(dialog, IDC_RED);
                  fake::Click(dialog, IDC_BLUE);
                  fake::Click(dialog, IDC_RANDOM);
                  fake::Type(dialog, IDC_MINUTES, "1");
                  fake::PressEnter(dialog);
              }));
    std::string file = fake::ProfileText("control.ini");
    EXPECT_NE(std::string::npos, file.find("Red=0\r\nBlue=1\r\n"));
    EXPECT_NE(std::string::npos, file.find("Random=1\r\nMinutes=1\r\n"));
}

TEST_F(ConfigDialog, CancelEscapeAndCloseBoxWriteNothingEvenAfterARefusal) {
    const std::string messy = "; mine\r\n\r\n[ScreenSaver.Polkamoot]\r\nRed = 1\r\n\r\n";
    using Leave = void (*)(HWND);
    for (Leave leave :
         {Leave{[](HWND d) { fake::Click(d, IDCANCEL); }},
          Leave{[](HWND d) { fake::PressEscape(d); }}, Leave{[](HWND d) { fake::CloseBox(d); }}}) {
        fake::SetProfileText("control.ini", messy);
        EXPECT_EQ(0, Run([&](HWND dialog) {
                      fake::Click(dialog, IDC_RED);
                      fake::Click(dialog, IDOK);
                      EXPECT_EQ(0, ConfigDialogProc(dialog, WM_COMMAND, IDOK, 0));
                      leave(dialog);
                  }));
        EXPECT_EQ(messy, fake::ProfileText("control.ini"));
    }
}

TEST_F(ConfigDialog, LeavesOtherCommandsToThePlatform) {
    Run([](HWND dialog) {
        const WPARAM others[] = {IDC_BLUE, IDC_SOUND, 0x0300u << 16 | IDC_MINUTES, 1u << 16 | IDOK,
                                 1u << 16 | IDC_RANDOM};
        for (WPARAM command : others) {
            EXPECT_EQ(0, ConfigDialogProc(dialog, WM_COMMAND, command, 0)) << command;
        }
        EXPECT_FALSE(fake::DialogEnded(dialog));
        EXPECT_EQ(0, Settings.Random);
        EXPECT_TRUE(Enabled(dialog, IDC_RED));
        EXPECT_EQ(0, ConfigDialogProc(dialog, WM_CLOSE, 0, 0));
        EXPECT_EQ(1, ConfigDialogProc(dialog, WM_COMMAND, IDCANCEL, 0));
    });
    EXPECT_TRUE(fake::MessageBoxes().empty());
}

// Reported as not saved rather than saved: every key is still tried.
TEST_F(ConfigDialog, RefusedWriteEndsAsNotSaved) {
    fake::FailCall("WritePrivateProfileStringA", 3);
    EXPECT_EQ(0, Run([](HWND dialog) { fake::PressEnter(dialog); }));
    EXPECT_EQ(
        std::string(Header) +
            "Red=1\r\nBlue=0\r\nYellow=0\r\nMagenta=0\r\nRandom=0\r\nMinutes=5\r\nSound=0\r\n",
        fake::ProfileText("control.ini"));
}

TEST_F(ConfigDialog, OpensFromTheCommandLineOverTheRightOwner) {
    HWND foreground = fake::MakeForeignWindow(100, 100);
    fake::SetForeground(foreground);
    struct Case {
        const char* text;
        HWND owner;
        int result;
    };
    const Case cases[] = {{"", nullptr, 1}, {"/c", foreground, 0}, {"/c:1234", foreground, 1}};
    for (const Case& c : cases) {
        HWND owner = reinterpret_cast<HWND>(1);
        fake::SetDialogScript([&](HWND dialog) {
            owner = fake::Info(dialog).parent;
            EndDialog(dialog, c.result);
        });
        EXPECT_EQ(c.result, HostMain(fake::Instance(), c.text)) << c.text;
        EXPECT_EQ(c.owner, owner) << c.text;
    }
}

} // namespace
} // namespace polkamoot
