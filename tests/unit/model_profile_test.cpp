// The model's private profile files: what a number is read as, and where a write lands.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace polkamoot {
namespace {

TEST(Profile, NumbersReadFromTheFirstKeyOfTheSectionAnyCaseElseTheDefault) {
    fake::Reset();
    fake::SetProfileText("Control.INI",
                         "Red=1\n[Other]\r\nRed=2\r\n  [ saver ] more\r\n"
                         " red = 12abc\r\nRED=3\r\nBlue=-7\r\nGreen=+8\r\n"
                         "Yellow=4294967297\r\nMagenta=\r\nMinutes=x\r\n"
                         "Sound=\t42\nRandom=9 9\r\nnot a key\r\n[saver2]\r\nCyan=6");
    const std::tuple<const char*, const char*, int, UINT> cases[] = {
        {"SAVER", "Red", 5, 12},      {"saver", "blue", 5, 0u - 7}, {"saver", "Green", 5, 8},
        {"saver", "Yellow", 5, 1},    {"saver", "Magenta", 5, 5},   {"saver", "Minutes", 5, 0},
        {"saver", "Sound", 5, 42},    {"saver", "Random", 5, 9},    {"saver", "Cyan", -3, 0u - 3},
        {"saver", "not a key", 5, 5}, {"Other", "Red", 5, 2},       {"saver2", "Cyan", 5, 6},
        {"none", "Red", 5, 5},
    };
    for (auto [section, key, fallback, value] : cases) {
        EXPECT_EQ(value, GetPrivateProfileIntA(section, key, fallback, "control.ini"))
            << section << " " << key;
    }
    EXPECT_EQ(4u, GetPrivateProfileIntA("saver", "Red", 4, "other.ini"));
    EXPECT_EQ("", fake::ProfileText("other.ini"));
}

TEST(Profile, AWriteReplacesTheKeysLineOrFollowsTheSectionsLastKeyOrAddsTheSection) {
    // The text before; the section, key and value written; the text after.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"", "Saver", " Red ", " 1 ", "[Saver]\r\nRed=1\r\n"},
        {"x=1", "Saver", "Red", "1", "x=1\r\n[Saver]\r\nRed=1\r\n"},
        {"x=1\n", "Saver", "Red", "1", "x=1\n[Saver]\r\nRed=1\r\n"},
        {"[saver]\nred = 2\nBlue=0\n", "Saver", "Red", "3", "[saver]\nRed=3\nBlue=0\n"},
        {"[Saver]\r\nA=1\r\n; note\r\n[Other]\r\n", "SAVER", "B", "2",
         "[Saver]\r\nA=1\r\nB=2\r\n; note\r\n[Other]\r\n"},
        {"[Saver]\r\n\r\n[Other]\r\nB=1\r\n", "Saver", "B", "2",
         "[Saver]\r\nB=2\r\n\r\n[Other]\r\nB=1\r\n"},
        {"[Saver]\r\nA=1", "Saver", "B", "2", "[Saver]\r\nA=1\r\nB=2\r\n"},
        {"[Saver]", "Saver", "B", "2", "[Saver]\r\nB=2\r\n"},
    };
    for (auto [before, section, key, text, after] : cases) {
        fake::Reset();
        fake::SetProfileText("control.ini", before);
        EXPECT_TRUE(WritePrivateProfileStringA(section, key, text, "CONTROL.ini"));
        EXPECT_EQ(after, fake::ProfileText("Control.ini")) << before;
    }
    fake::FailCall("WritePrivateProfileStringA");
    EXPECT_FALSE(WritePrivateProfileStringA("Saver", "B", "3", "control.ini") ||
                 WritePrivateProfileStringA(nullptr, "B", "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", nullptr, "3", "control.ini") ||
                 WritePrivateProfileStringA("Saver", "B", nullptr, "control.ini"));
    EXPECT_EQ("[Saver]\r\nB=2\r\n", fake::ProfileText("control.ini"));
}

} // namespace
} // namespace polkamoot
