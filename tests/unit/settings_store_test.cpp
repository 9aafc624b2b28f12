#include "settings/settings_store.h"

#include "fake/fake.h"
#include "host_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace polkamoot {
namespace {

constexpr char Header[] = "[ScreenSaver.Polkamoot]\r\n";

class SettingsStore : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        Settings = SettingsRecord{};
        MarkTroupe();
    }

    static void MarkTroupe() {
        BearCount = 0;
        for (Bear& bear : Bears) {
            bear.colorIndex = Untouched;
        }
    }

    void Read(const std::string& keys) {
        fake::SetProfileText("control.ini", Header + keys);
        LoadProfileNames();
        ReadSettings();
    }

    std::vector<int> Roster() const {
        std::vector<int> colors;
        for (int i = 0; i < BearCount; ++i) {
            colors.push_back(Bears[i].colorIndex);
        }
        return colors;
    }

    static constexpr int Untouched = 99;
};

TEST_F(SettingsStore, LoadsTheProfileNamesFromTheStringTable) {
    LoadProfileNames();
    EXPECT_STREQ("control.ini", ProfileFile);
    EXPECT_STREQ("ScreenSaver.Polkamoot", ProfileSection);
}

TEST_F(SettingsStore, NoFileGivesTheDefaultsAndOneRedBear) {
    LoadProfileNames();
    ReadSettings();
    EXPECT_EQ(1, Settings.Red);
    EXPECT_EQ(0, Settings.Blue + Settings.Green + Settings.Yellow + Settings.Magenta);
    EXPECT_EQ(0, Settings.Random);
    EXPECT_EQ(5, Settings.Minutes);
    EXPECT_EQ(0, Settings.Sound);
    EXPECT_EQ(std::vector<int>{0}, Roster());
    EXPECT_FALSE(fake::ProfileExists("control.ini"));
}

TEST_F(SettingsStore, ReadsTheNamedSectionOnly) {
    fake::SetProfileText("control.ini", "[ScreenSaver.Other]\r\nBlue=1\r\nRed=0\r\n");
    LoadProfileNames();
    ReadSettings();
    EXPECT_EQ(std::vector<int>{0}, Roster());
}

TEST_F(SettingsStore, RosterListsTheColorsInTheirOwnOrder) {
    Read("Magenta=1\r\nYellow=1\r\nGreen=1\r\nBlue=1\r\nRed=1\r\n");
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), Roster());
    MarkTroupe();
    Read("Magenta=1\r\nRed=0\r\nBlue=1\r\n");
    EXPECT_EQ((std::vector<int>{1, 4}), Roster());
    EXPECT_EQ(Untouched, Bears[2].colorIndex) << "a bear beyond the count";
}

TEST_F(SettingsStore, AnyNonZeroColorCountsAndStaysAsRead) {
    Read("Red=0\r\nGreen=7\r\nYellow=-1\r\n");
    EXPECT_EQ(7, Settings.Green);
    EXPECT_EQ(-1, Settings.Yellow);
    EXPECT_EQ((std::vector<int>{2, 3}), Roster());
}

TEST_F(SettingsStore, NoColorTurnsRandomOnInMemoryOnly) {
    const std::string keys = "Red=0\r\nBlue=0\r\nGreen=0\r\nYellow=0\r\nMagenta=0\r\nRandom=0\r\n";
    Read(keys);
    EXPECT_EQ(1, Settings.Random);
    EXPECT_EQ(1, BearCount);
    EXPECT_EQ(Untouched, Bears[0].colorIndex) << "the scene picks the color";
    EXPECT_EQ(Header + keys, fake::ProfileText("control.ini"));
}

TEST_F(SettingsStore, RandomGivesOneBearAndKeepsTheColorsForTheDialog) {
    Read("Random=3\r\nBlue=1\r\nGreen=1\r\n");
    EXPECT_EQ(1, BearCount);
    EXPECT_EQ(Untouched, Bears[0].colorIndex);
    EXPECT_EQ(3, Settings.Random);
    EXPECT_EQ(1, Settings.Red);
    EXPECT_EQ(1, Settings.Blue);
    EXPECT_EQ(1, Settings.Green);
}

TEST_F(SettingsStore, MinutesKeepsTheLow16BitsUnchecked) {
    const std::pair<const char*, int> cases[] = {
        {"65541", 5}, {"65536", 0}, {"0", 0}, {"61", 61}, {"-1", 65535}};
    for (auto [text, held] : cases) {
        Read(std::string("Minutes=") + text + "\r\n");
        EXPECT_EQ(held, Settings.Minutes) << text;
    }
}

TEST_F(SettingsStore, SoundNeedsAWaveDevice) {
    Read("Sound=1\r\n");
    EXPECT_EQ(0, Settings.Sound);
    fake::SetWaveDevices(2);
    Read("Sound=7\r\n");
    EXPECT_EQ(1, Settings.Sound);
    Read("Sound=0\r\n");
    EXPECT_EQ(0, Settings.Sound);
}

TEST_F(SettingsStore, FillRosterNeedsNoPlatform) {
    Bear bears[MaxBears] = {};
    SettingsRecord settings{0, 1, 0, 0, 1, 0, 5, 0};
    EXPECT_EQ(2, FillRoster(settings, bears));
    EXPECT_EQ(1, bears[0].colorIndex);
    EXPECT_EQ(4, bears[1].colorIndex);

    SettingsRecord none{};
    EXPECT_EQ(1, FillRoster(none, bears));
    EXPECT_EQ(1, none.Random);
    EXPECT_EQ(1, bears[0].colorIndex) << "left as it was";
}

TEST_F(SettingsStore, WritesUnsignedDecimalText) {
    LoadProfileNames();
    EXPECT_EQ(1, WriteSetting(ProfileSection, KeyMinutes, 60));
    WriteSetting(ProfileSection, KeyRed, 1);
    WriteSetting(ProfileSection, KeyBlue, 4294967295u);
    EXPECT_EQ(std::string(Header) + "Minutes=60\r\nRed=1\r\nBlue=4294967295\r\n",
              fake::ProfileText("control.ini"));
}

TEST_F(SettingsStore, ReportsARefusedWrite) {
    LoadProfileNames();
    fake::FailCall("WritePrivateProfileStringA");
    EXPECT_EQ(0, WriteSetting(ProfileSection, KeyRed, 1));
    EXPECT_FALSE(fake::ProfileExists("control.ini"));
}

} // namespace
} // namespace polkamoot
