#include "settings/config_dialog.h"

#include "fake/fake_dialog.h"
#include "host/host.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>

namespace polkamoot {
namespace {

using fake::Dialog;

const std::string Section = "[ScreenSaver.Polkamoot]\r\n";

// Configure mode over a file of `keys` with `waveDevices`, the user's hands at the dialog.
int Configure(const char* keys, UINT waveDevices, std::function<void()> user) {
    fake::Reset();
    HostState.instance = fake::Instance();
    fake::machine.waveDevices = waveDevices;
    fake::SetProfileText("control.ini", Section + keys);
    Dialog.script = std::move(user);
    return RunConfigure(nullptr);
}

// Checks and enabling of Red, Blue, Green, Yellow, Magenta, Random, minutes, Sound; minutes text.
std::string Shown() {
    std::string checks, enabled;
    for (int id : {IDC_RED, IDC_BLUE, IDC_GREEN, IDC_YELLOW, IDC_MAGENTA, IDC_RANDOM, IDC_MINUTES,
                   IDC_SOUND}) {
        checks += static_cast<char>('0' + Dialog.controls.at(id).check);
        enabled += Dialog.controls.at(id).enabled ? '1' : '0';
    }
    return checks + " " + enabled + " " + Dialog.controls.at(IDC_MINUTES).text;
}

void ExpectRefusal(int focus, const std::string& text, const std::string& caption) {
    const fake::MessageBoxCall& box = Dialog.boxes.back();
    EXPECT_EQ(std::make_tuple(Dialog.dialog, text, caption, UINT{MB_OK | MB_ICONHAND}),
              std::tie(box.owner, box.text, box.caption, box.type));
    EXPECT_EQ(GetDlgItem(Dialog.dialog, focus), GetFocus());
}

TEST(ConfigDialog, OpensShowingTheFileUnderTheEnablingRuleAndEscapeWritesNothing) {
    EXPECT_EQ(0, Configure("Blue=7\r\nMinutes=65541\r\nSound=1\r\n", 1,
                           [] { EXPECT_EQ("17000001 11111101 5", Shown()); }));
    const std::string noBear = "Red=0\r\nRandom=0\r\nMinutes=9\r\nSound=1\r\n";
    EXPECT_EQ(0, Configure(noBear.c_str(), 0, [] { EXPECT_EQ("00000100 00000110 9", Shown()); }));
    EXPECT_EQ(Section + noBear, fake::ProfileText("control.ini"));
}

TEST(ConfigDialog, RandomBoxSwapsWhatIsEnabledAndLeavesOtherCommandsToThePlatform) {
    Configure("Green=1\r\n", 0, [] {
        EXPECT_EQ(0, fake::Click(IDC_RANDOM));
        EXPECT_EQ("10100100 00000110 5", Shown());
        EXPECT_EQ(0, fake::Click(IDC_RANDOM));
        EXPECT_EQ("10100000 11111100 5", Shown()) << "no other box changed";
        // By the whole parameter: other notifications, the other boxes and closing stay put.
        for (WPARAM command : {WPARAM{1u << 16 | IDC_RANDOM}, WPARAM{1u << 16 | IDOK},
                               WPARAM{IDC_BLUE}, WPARAM{0x0300u << 16 | IDC_MINUTES}}) {
            EXPECT_EQ(0, ConfigDialogProc(Dialog.dialog, WM_COMMAND, command, 0)) << command;
        }
        EXPECT_EQ(0, ConfigDialogProc(Dialog.dialog, WM_CLOSE, 0, 0));
        EXPECT_EQ(1, ConfigDialogProc(Dialog.dialog, WM_INITDIALOG, 0, 0)) << "focus the first";
        EXPECT_EQ(1, fake::Click(IDCANCEL));
    });
}

TEST(ConfigDialog, OkWritesTheEightKeysInOrderReadingDisabledBoxesToo) {
    EXPECT_EQ(1, Configure("Other=4\r\n", 1, [] {
                  fake::Click(IDC_YELLOW);
                  fake::Click(IDC_SOUND);
                  fake::Click(IDC_RANDOM);
                  Dialog.controls.at(IDC_MINUTES).text = "60";
                  EXPECT_EQ(1, fake::Click(IDOK));
              }));
    EXPECT_EQ(Section +
                  "Other=4\r\nRed=1\r\nBlue=0\r\nYellow=1\r\nGreen=0\r\nMagenta=0\r\nRandom=1\r\n"
                  "Minutes=60\r\nSound=1\r\n",
              fake::ProfileText("control.ini"));
}

TEST(ConfigDialog, RefusesNoBearThenMinutesOutsideOneToSixtyAndReportsARefusedWrite) {
    EXPECT_EQ(0, Configure("Minutes=99\r\n", 0, [] {
                  fake::Click(IDC_RED);
                  EXPECT_EQ(0, fake::Click(IDOK));
                  ExpectRefusal(IDC_BLUE, "You must select at least one Bear!",
                                "Missing Bear Alert!");
                  fake::Click(IDC_BLUE);
                  EXPECT_EQ(0, fake::Click(IDOK)) << "the field is checked while disabled too";
                  ExpectRefusal(IDC_MINUTES, "Valid values: 1-60", "Invalid Value");
                  fake::Click(IDC_BLUE);
                  fake::Click(IDC_RANDOM); // alone, it is a bear
                  for (const char* text : {"0", "61", "", "abc", "4294967297"}) {
                      Dialog.controls.at(IDC_MINUTES).text = text;
                      EXPECT_EQ(0, fake::Click(IDOK)) << text;
                  }
                  EXPECT_EQ(Section + "Minutes=99\r\n", fake::ProfileText("control.ini"));
                  Dialog.controls.at(IDC_MINUTES).text = "1";
                  fake::FailCall("WritePrivateProfileStringA", 3);
                  EXPECT_EQ(1, fake::Click(IDOK));
              }));
    EXPECT_EQ(Section + "Minutes=1\r\nRed=0\r\nBlue=0\r\nYellow=0\r\nMagenta=0\r\nRandom=1\r\n"
                        "Sound=0\r\n",
              fake::ProfileText("control.ini"))
        << "every key but the refused one, and the dialog ends as not saved";
}

// Other languages stand before English in the file; the English template and the data strings
// stay the bytes the saver always carried.
TEST(ConfigDialog, EnglishTemplateAndDataStringsKeepTheirBytes) {
    const char* const dialogType = MAKEINTRESOURCEA(5); // RT_DIALOG, which the saver never asks for
    auto digest = [](const char* type, int id) {
        DWORD size = 0;
        const BYTE* at = fake::ResourceBytes(type, MAKEINTRESOURCEA(id), &size);
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (DWORD i = 0; i < size; ++i) {
            hash = (hash ^ at[i]) * 16777619u;
        }
        return std::make_pair(size, hash);
    };
    EXPECT_EQ(std::make_pair(DWORD{712}, 0xA1B40474u), digest(dialogType, IDD_CONFIGURE));
    EXPECT_EQ(std::make_pair(DWORD{50}, 0x3F260CC4u), digest(RT_STRING, IDS_DESCRIPTION / 16 + 1));
    EXPECT_EQ(std::make_pair(DWORD{118}, 0xAE8BDBF9u),
              digest(RT_STRING, IDS_PROFILE_FILE / 16 + 1));
}

} // namespace
} // namespace polkamoot
