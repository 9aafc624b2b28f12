// What the native build embeds is what the Windows build carries, found the way the saver asks.
#include "fake/fake.h"
#include "resources/resource_ids.h"

#include <gtest/gtest.h>

namespace polkamoot {
namespace {

TEST(EmbeddedResources, FramesAreFoundWithoutRegardToCase) {
    for (const char* name : {"bear1R", "BEAR2R", "Bear3r", "bear4R", "bear5R", "bear1L", "bear2L",
                             "bear3L", "bear4l", "bear5L"}) {
        DWORD size = 0;
        EXPECT_TRUE(fake::ResourceBytes(RT_BITMAP, name, &size)) << name;
        EXPECT_EQ(9756u, size) << name;
    }
    EXPECT_FALSE(fake::ResourceBytes(RT_BITMAP, "bear6R", nullptr));
}

TEST(EmbeddedResources, EveryCryIsAWaveByItsName) {
    for (const char* name : {"SND_OW", "SND_OOH", "SND_MMM", "snd_hey", "SND_OOH2"}) {
        HRSRC found = FindResourceA(fake::Instance(), name, "wave");
        ASSERT_TRUE(found) << name;
        HGLOBAL loaded = LoadResource(fake::Instance(), found);
        const char* bytes = static_cast<const char*>(LockResource(loaded));
        EXPECT_EQ(std::string("RIFF"), std::string(bytes, 4)) << name;
        EXPECT_EQ(std::string("WAVE"), std::string(bytes + 8, 4)) << name;
        FreeResource(loaded);
    }
}

TEST(EmbeddedResources, StringsIconAndDialogAreThere) {
    char text[40];
    EXPECT_EQ(11, LoadStringA(fake::Instance(), IDS_PROFILE_FILE, text, 13));
    EXPECT_STREQ("control.ini", text);
    EXPECT_EQ(21, LoadStringA(fake::Instance(), IDS_PROFILE_SECTION, text, 40));
    EXPECT_STREQ("ScreenSaver.Polkamoot", text);
    EXPECT_EQ(12, LoadStringA(fake::Instance(), IDS_PROFILE_SECTION, text, 13)) << "cut to fit";
    EXPECT_STREQ("ScreenSaver.", text);
    EXPECT_EQ(9, LoadStringA(fake::Instance(), IDS_DESCRIPTION, text, 40));
    EXPECT_STREQ("Polkamoot", text);
    EXPECT_TRUE(LoadIconA(fake::Instance(), MAKEINTRESOURCEA(IDI_POLKAMOOT)));
    EXPECT_TRUE(fake::ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(IDD_CONFIGURE), nullptr));
}

} // namespace
} // namespace polkamoot
