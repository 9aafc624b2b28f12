#include "settings/settings_store.h"

#include "fake/fake.h"
#include "host/host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polkamoot {
namespace {

TEST(SettingsStore, ProfileTextGivesTheRosterInTheColorsOwnOrder) {
    // Random as held, the bear count, then the five bears' colors (-1: left alone).
    const std::pair<const char*, std::vector<int>> cases[] = {
        {nullptr, {0, 1, 0, -1, -1, -1, -1}}, // no file
        {"Magenta=1\r\nYellow=1\r\nGreen=1\r\nBlue=1\r\nRed=1\r\n", {0, 5, 0, 1, 2, 3, 4}},
        {"Magenta=1\r\nRed=0\r\nBlue=1\r\n", {0, 2, 1, 4, -1, -1, -1}},
        {"Red=0\r\nGreen=7\r\nYellow=-1\r\n", {0, 2, 2, 3, -1, -1, -1}}, // not 0 is on
        {"Random=3\r\nBlue=1\r\n", {3, 1, -1, -1, -1, -1, -1}}, // the scene picks the color
        {"Red=0\r\nRandom=0\r\n", {1, 1, -1, -1, -1, -1, -1}},  // no bear: Random switched on
    };
    fake::Reset();
    HostState.instance = fake::Instance();
    for (const auto& [keys, expected] : cases) {
        SCOPED_TRACE(keys ? keys : "no file");
        if (keys) {
            fake::SetProfileText("control.ini", "[ScreenSaver.Polkamoot]\r\n" + std::string(keys));
        }
        for (Bear& bear : Bears) {
            bear.colorIndex = -1;
        }
        LoadProfileNames();
        ReadSettings();
        std::vector<int> roster{Settings.Random, BearCount};
        for (const Bear& bear : Bears) {
            roster.push_back(bear.colorIndex);
        }
        EXPECT_EQ(expected, roster);
    }
    // A troupe named from outside is the one that dances; what it does not name stays.
    fake::SetProfileText("control.ini",
                         "[ScreenSaver.Polkamoot]\r\nBlue=1\r\nRandom=1\r\nMinutes=9\r\n");
    ApplySettingOverrides({{"Green", 1}});
    ReadSettings();
    EXPECT_EQ((std::vector{0, 1, 2, 9}), (std::vector{Settings.Random, BearCount,
                                                      Bears[0].colorIndex, int(Settings.Minutes)}));
}

} // namespace
} // namespace polkamoot
