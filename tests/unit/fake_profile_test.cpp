// The fake profile file against what the platform did under Wine, as measured once.
#include "fake/fake_profile.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

constexpr char File[] = "probe.ini";

class FakeProfile : public ::testing::Test {
  protected:
    void SetUp() override { fake::Reset(); }
};

struct Conversion {
    const char* text;
    UINT value;
};

// Read with default 99.
const Conversion Conversions[] = {
    {"-5", 4294967291u},
    {" 7", 7},
    {"7abc", 7},
    {"abc", 0},
    {"4294967301", 5},
    {"", 99},
    {"+7", 7},
    {"0x10", 16},
    {"0X1F", 0},
    {"-0x10", 4294967280u},
    {"0b101", 5},
    {"0o17", 15},
    {"007", 7},
    {"010", 10},
    {"2147483648", 2147483648u},
    {"99999999999999999999", 1661992959},
    {"12345678901234567890123456789012345", 1849262357}, // cut to 29 characters
    {"12.5", 12},
    {"1e3", 1},
    {"- 5", 0},
    {"+-5", 0},
    {"\"7\"", 7},
    {"'7'", 7},
    {"\" 7 \"", 7},
    {"\"7", 0},
    {"\"\"", 99},
    {"7;c", 7},
    {"0x", 0},
    {"\t7\t", 7},
};

TEST_F(FakeProfile, ConvertsOddTextsAsThePlatformDoes) {
    std::string text = "[S]\r\n";
    for (std::size_t i = 0; i < std::size(Conversions); ++i) {
        text += "k" + std::to_string(i) + "=" + Conversions[i].text + "\r\n";
    }
    fake::SetProfileText(File, text + "bare\r\n");
    for (std::size_t i = 0; i < std::size(Conversions); ++i) {
        std::string key = "k" + std::to_string(i);
        EXPECT_EQ(Conversions[i].value, GetPrivateProfileIntA("S", key.c_str(), 99, File))
            << "text [" << Conversions[i].text << "]";
    }
    EXPECT_EQ(99u, GetPrivateProfileIntA("S", "missing", 99, File));
    EXPECT_EQ(99u, GetPrivateProfileIntA("S", "bare", 99, File)) << "a line without =";
}

TEST_F(FakeProfile, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(static_cast<UINT>(-7), GetPrivateProfileIntA("S", "k", -7, File));
    EXPECT_FALSE(fake::ProfileExists(File));
    fake::SetProfileText(File, "[S]\r\nk=3\r\n");
    EXPECT_EQ(42u, GetPrivateProfileIntA("T", "k", 42, File));
    EXPECT_EQ(42u, GetPrivateProfileIntA("S", "j", 42, File));
    EXPECT_EQ(42u, GetPrivateProfileIntA("S", "k", 42, "other.ini"));
}

TEST_F(FakeProfile, MatchesNamesWithoutCaseOrSurroundingBlanks) {
    fake::SetProfileText("Probe.INI", "[ Sec ]\r\n  CaseKey  =  12  \r\n");
    EXPECT_EQ(12u, GetPrivateProfileIntA("sec", "CASEKEY", 99, "probe.ini"));
    EXPECT_EQ(12u, GetPrivateProfileIntA("  Sec  ", "  casekey ", 99, "PROBE.ini"));
}

TEST_F(FakeProfile, FirstOfDuplicateSectionsAndKeysWins) {
    fake::SetProfileText(File, "[Sec]\r\nA=1\r\nA=2\r\n[sec]\r\nB=3\r\n");
    EXPECT_EQ(1u, GetPrivateProfileIntA("Sec", "A", 99, File));
    EXPECT_EQ(99u, GetPrivateProfileIntA("Sec", "B", 99, File));
}

TEST_F(FakeProfile, BuildsANewFileKeyByKey) {
    struct Step {
        const char *section, *key, *text, *file;
    };
    const Step steps[] = {
        {"Sec", "Red", "1", "[Sec]\r\nRed=1\r\n"},
        {"Sec", "Blue", "0", "[Sec]\r\nRed=1\r\nBlue=0\r\n"},
        {"Other", "X", "5", "[Sec]\r\nRed=1\r\nBlue=0\r\n[Other]\r\nX=5\r\n"},
        {"sec", "RED", "7", "[Sec]\r\nRed=7\r\nBlue=0\r\n[Other]\r\nX=5\r\n"},
        {"Sec", "Green", "2", "[Sec]\r\nRed=7\r\nBlue=0\r\nGreen=2\r\n[Other]\r\nX=5\r\n"},
    };
    for (const Step& step : steps) {
        EXPECT_EQ(1, WritePrivateProfileStringA(step.section, step.key, step.text, File));
        EXPECT_EQ(step.file, fake::ProfileText(File)) << step.key;
    }
    ASSERT_EQ(5u, fake::ProfileWrites().size());
    EXPECT_EQ("RED", fake::ProfileWrites()[3].key);
    EXPECT_EQ("7", fake::ProfileWrites()[3].text);
}

struct Rewrite {
    const char* before;
    const char* section;
    const char* key;
    const char* text;
    const char* after;
};

const Rewrite Rewrites[] = {
    {"; top comment\r\n\r\n[ Sec ]\r\n  Red  =  1  \r\n;comment\r\n\r\nnoeq\r\nBlue=1\r\nBlue=2\r\n"
     "[Other]\r\nA=1\r\n[Sec]\r\nRed=9\r\nZ=3\r\n",
     "Sec", "Blue", "0",
     "; top comment\r\n[Sec]\r\nRed=1\r\n;comment\r\nnoeq\r\nBlue=0\r\nBlue=2\r\n[Other]\r\nA=1\r\n"
     "[Sec]\r\nRed=9\r\nZ=3\r\n"},
    {"[Sec]\nRed=1\nBlue=1", "Sec", "Green", "1", "[Sec]\r\nRed=1\r\nBlue=1\r\nGreen=1\r\n"},
    {"[Sec]\r\nRed = 1\r\n", "Sec", "Red", "1", "[Sec]\r\nRed = 1\r\n"},
    {"Loose=1\r\n[Sec]\r\nRed=1\r\n", "Sec", "Blue", "1",
     "Loose=1\r\n[Sec]\r\nRed=1\r\nBlue=1\r\n"},
    {"[Sec]\r\nRed=\"5\"\r\n[Sec2\r\nA=1\r\n", "Sec", "Blue", "1",
     "[Sec]\r\nRed=\"5\"\r\n[Sec2\r\nA=1\r\nBlue=1\r\n"},
    {"\xEF\xBB\xBF[Sec]\r\nRed=3\r\n", "Sec", "Blue", "1",
     "\xEF\xBB\xBF[Sec]\r\nRed=3\r\nBlue=1\r\n"},
    {"[Sec]\r\nRed=1\r\n\r\n[Next]\r\nA=1\r\n", "Sec", "Blue", "1",
     "[Sec]\r\nRed=1\r\nBlue=1\r\n[Next]\r\nA=1\r\n"},
    {"[Sec]\r\nA=1\r\n[sec]\r\nB=2\r\n", "SEC", "B", "5",
     "[Sec]\r\nA=1\r\nB=5\r\n[sec]\r\nB=2\r\n"},
    {"=5\r\n=6\r\n[Sec] trailing\r\nA=1\r\n=7\r\n=8\r\n[Two]]\r\n\tT\t=\t4\t\r\n", "Sec", "Z",
     "  9  ", "=5\r\n[Sec]\r\nA=1\r\n=7\r\nZ=9  \r\n[Two]]\r\nT=4\r\n"},
    {"[Sec]\r\n", "  New  ", "  K  ", "1", "[Sec]\r\n[New  ]\r\nK  =1\r\n"},
};

TEST_F(FakeProfile, RewritesAFileInThePlatformsLayout) {
    for (const Rewrite& rewrite : Rewrites) {
        fake::SetProfileText(File, rewrite.before);
        WritePrivateProfileStringA(rewrite.section, rewrite.key, rewrite.text, File);
        EXPECT_EQ(rewrite.after, fake::ProfileText(File)) << rewrite.before;
    }
}

TEST_F(FakeProfile, RefusedWriteLeavesTheFileAlone) {
    fake::SetProfileText(File, "[Sec]\r\nRed = 1\r\n");
    fake::FailCall("WritePrivateProfileStringA");
    EXPECT_EQ(0, WritePrivateProfileStringA("Sec", "Red", "0", File));
    EXPECT_EQ("[Sec]\r\nRed = 1\r\n", fake::ProfileText(File));
    EXPECT_EQ(1u, fake::ProfileWrites().size());
}

} // namespace
} // namespace polkamoot
