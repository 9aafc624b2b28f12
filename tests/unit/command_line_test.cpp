#include "host/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace polkamoot {
namespace {

CPINFO Western() {
    return CPINFO{1, {'?', 0}, {}};
}

CPINFO Japanese() {
    return CPINFO{2, {'?', 0}, {0x81, 0x9F, 0xE0, 0xFC}};
}

TEST(ArgumentText, SkipsAnUnquotedProgramNameAndTheBlanksAfterIt) {
    EXPECT_STREQ("/s", ArgumentText("polkamoot.scr /s", Western()));
    EXPECT_STREQ("/s x", ArgumentText("polkamoot.scr \t \x01/s x", Western()));
    EXPECT_STREQ("", ArgumentText("polkamoot.scr   ", Western()));
    EXPECT_STREQ("", ArgumentText("polkamoot.scr", Western()));
}

TEST(ArgumentText, ProgramNameEndsAtTheFirstControlByte) {
    EXPECT_STREQ("/p 5", ArgumentText("polkamoot.scr\t/p 5", Western()));
    EXPECT_STREQ("amoot /s", ArgumentText("polk\tamoot /s", Western()));
    EXPECT_STREQ("/s", ArgumentText(" /s", Western()));
}

TEST(ArgumentText, BytesFromHighHalfBelongToTheName) {
    EXPECT_STREQ("/s", ArgumentText("p\xE9\xFF.scr /s", Western()));
}

TEST(ArgumentText, QuotedProgramNameWithSpacesIsSkippedWhole) {
    EXPECT_STREQ("/c", ArgumentText("\"C:\\My Savers\\polkamoot.scr\" /c", Western()));
    EXPECT_STREQ("/s", ArgumentText("\"a b\"/s", Western()));
}

TEST(ArgumentText, UnclosedQuoteLeavesNoArguments) {
    EXPECT_STREQ("", ArgumentText("\"C:\\polkamoot.scr /s", Western()));
}

TEST(ArgumentText, TrailByteThatLooksLikeAQuoteDoesNotEndTheName) {
    // 0x81 0x22 is one character in code page 932; only the later quote closes the name.
    const char* line = "\"C:\\\x81\"dir\\polkamoot.scr\" /s";
    EXPECT_STREQ("/s", ArgumentText(line, Japanese()));
    EXPECT_STREQ("dir\\polkamoot.scr\" /s", ArgumentText(line, Western()));
}

TEST(ArgumentText, LeadByteAtTheEndDoesNotRunPastTheText) {
    EXPECT_STREQ("", ArgumentText("\"C:\\\x81", Japanese()));
}

struct Expected {
    const char* text;
    RunMode mode;
};

TEST(ParseCommand, ConfigureSaveAndInvalidLetters) {
    const Expected cases[] = {
        {"", RunMode::Configure},
        {"   ", RunMode::Configure},
        {"/c", RunMode::Configure},
        {"-C", RunMode::Configure},
        {"c", RunMode::Configure},
        {"/c:1234", RunMode::Configure},
        {"/s", RunMode::Save},
        {"-s", RunMode::Save},
        {"s", RunMode::Save},
        {"--//s", RunMode::Save},
        {"/ s", RunMode::Save},
        {"/S anything at all", RunMode::Save},
        {"/x", RunMode::Invalid},
        {"/\ts", RunMode::Invalid},
        {"\ts", RunMode::Invalid},
        {"/\x80s", RunMode::Invalid},
        {"\xE9", RunMode::Invalid},
        {"?", RunMode::Invalid},
        {"/p", RunMode::Preview},
        {"/L 12", RunMode::Preview},
        {"/a", RunMode::ChangePassword},
        {"-A 7", RunMode::ChangePassword},
    };
    for (const Expected& expected : cases) {
        EXPECT_EQ(expected.mode, ParseCommand(expected.text).mode) << '"' << expected.text << '"';
    }
}

TEST(ParseCommand, OnlyTheLetterCOwnsTheDialogByTheForegroundWindow) {
    EXPECT_FALSE(ParseCommand("").overForeground);
    EXPECT_FALSE(ParseCommand(" - ").overForeground);
    EXPECT_TRUE(ParseCommand("/c").overForeground);
}

TEST(ParseCommand, HandleTextFollowsTheLetterAndItsSpacesOnly) {
    EXPECT_STREQ("1234", ParseCommand("/p 1234").rest);
    EXPECT_STREQ("1234", ParseCommand("/p1234").rest);
    EXPECT_STREQ(":1234", ParseCommand("/p:1234").rest);
    EXPECT_STREQ("\t5", ParseCommand("/l  \t5").rest);
    EXPECT_STREQ("", ParseCommand("/a").rest);
}

TEST(ParseDecimalHandle, ReadsLeadingDigitsOnly) {
    EXPECT_EQ(1234u, ParseDecimalHandle("1234"));
    EXPECT_EQ(12u, ParseDecimalHandle("12ab34"));
    EXPECT_EQ(0u, ParseDecimalHandle(""));
    EXPECT_EQ(0u, ParseDecimalHandle(":1234"));
    EXPECT_EQ(0u, ParseDecimalHandle("-5"));
    EXPECT_EQ(0u, ParseDecimalHandle(" 5"));
    EXPECT_EQ(0u, ParseDecimalHandle("0x10"));
}

TEST(ParseDecimalHandle, WrapsPast32Bits) {
    EXPECT_EQ(4294967295u, ParseDecimalHandle("4294967295"));
    EXPECT_EQ(5u, ParseDecimalHandle("4294967301"));
    EXPECT_EQ(std::uint32_t(123456789012345678ull), ParseDecimalHandle("123456789012345678"));
}

} // namespace
} // namespace polkamoot
