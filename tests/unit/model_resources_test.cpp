// The model's resources, found in the program's own compiled resource file, and its movable
// memory blocks.
#include "fake/fake.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace polkamoot {
namespace {

using fake::Kind, fake::Live;

TEST(Resources, FoundByTypeAndNameInAnyCaseOrNumberLoadedAndFreedOnce) {
    fake::Reset();
    HMODULE self = fake::Instance(), other = HMODULE(std::uintptr_t{0x500000});
    DWORD size = 0;
    const BYTE* cry = fake::ResourceBytes("WAVE", "SND_OW", &size);
    EXPECT_EQ(4830u, size);
    EXPECT_EQ(4830u, fake::WaveImageSize(cry));
    EXPECT_EQ(0u, fake::WaveImageSize("RIFX\4\0\0\0"));
    HRSRC found = FindResourceA(self, "snd_Ow", "wave");
    HGLOBAL loaded = LoadResource(self, found);
    EXPECT_EQ(cry, LockResource(loaded));
    EXPECT_EQ(1, Live(Kind::Resource));
    fake::FailCall("LoadResource");
    EXPECT_FALSE(LoadResource(self, found) || LoadResource(self, nullptr) ||
                 LoadResource(other, found) || FindResourceA(other, "SND_OW", "WAVE") ||
                 FindResourceA(self, "SND_OW", "WAV") || FindResourceA(self, "SND_O", "WAVE"));
    EXPECT_TRUE(FreeResource(loaded));
    EXPECT_FALSE(FreeResource(loaded) || LockResource(loaded));
    EXPECT_EQ(0, Live(Kind::Resource));

    EXPECT_TRUE(FindResourceA(self, "#2003", MAKEINTRESOURCEA(5)) &&
                FindResourceA(self, MAKEINTRESOURCEA(2003), MAKEINTRESOURCEA(5)))
        << "the dialog template";
    EXPECT_EQ(nullptr, fake::ResourceBytes(RT_BITMAP, "#2003", &size));
    EXPECT_EQ(0u, size);
    HICON icon = LoadIconA(self, MAKEINTRESOURCEA(100));
    EXPECT_TRUE(icon && !LoadIconA(self, MAKEINTRESOURCEA(101)) &&
                !LoadIconA(other, MAKEINTRESOURCEA(100)));
    HBITMAP frame = LoadBitmapA(self, "bear5l");
    EXPECT_EQ((std::vector<int>{148, 127}),
              (std::vector{fake::BitmapImage(frame).width, fake::BitmapImage(frame).height}));
    fake::FailCall("LoadBitmapA");
    EXPECT_FALSE(LoadBitmapA(self, "bear5l") || LoadBitmapA(self, "bear6l") ||
                 LoadBitmapA(other, "bear5l"));
    DeleteObject(frame);
}

TEST(Resources, StringsComeCutToTheBufferAndEmptyWhereThereIsNone) {
    fake::Reset();
    // The instance, the id and the buffer's size; what is copied.
    const std::tuple<HINSTANCE, UINT, int, std::string> cases[] = {
        {fake::Instance(), 1001, 64, "control.ini"},
        {fake::Instance(), 1, 64, "Polkamoot"},
        {fake::Instance(), 1007, 6, "Scree"},
        {fake::Instance(), 1007, 1, ""},
        {fake::Instance(), 1003, 64, ""},
        {fake::Instance(), 500, 64, ""},
        {nullptr, 1001, 64, ""},
    };
    for (auto [instance, id, size, text] : cases) {
        char buffer[64];
        std::fill(std::begin(buffer), std::end(buffer), 'x');
        EXPECT_EQ(int(text.size()), LoadStringA(instance, id, buffer, size)) << id;
        EXPECT_EQ(text + '\0', std::string(buffer, text.size() + 1)) << id;
    }
    char untouched = 'x';
    EXPECT_EQ(0, LoadStringA(fake::Instance(), 1001, &untouched, 0));
    EXPECT_EQ('x', untouched);
}

TEST(Memory, BlocksKeepTheirBytesAcrossResizesAndCountTheirLocks) {
    HGLOBAL before = GlobalAlloc(0, 5);
    fake::Reset();
    EXPECT_EQ(0u, fake::BlockSize(before)) << "gone with the reset";
    HGLOBAL zeroed = GlobalAlloc(GMEM_ZEROINIT, 3), raw = GlobalAlloc(0, 2);
    auto bytes = [](HGLOBAL block) {
        auto* at = static_cast<BYTE*>(GlobalLock(block));
        std::vector<BYTE> copy(at, at + fake::BlockSize(block));
        GlobalUnlock(block);
        return copy;
    };
    EXPECT_EQ((std::vector<BYTE>{0, 0, 0}), bytes(zeroed));
    EXPECT_EQ((std::vector<BYTE>{0xCD, 0xCD}), bytes(raw)) << "never written";
    static_cast<BYTE*>(GlobalLock(raw))[1] = 7;
    GlobalLock(raw);
    EXPECT_EQ(2, fake::LockCount(raw));
    EXPECT_TRUE(GlobalUnlock(raw)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(raw) || GlobalUnlock(raw)) << "unlocked, then not locked at all";
    EXPECT_EQ(raw, GlobalReAlloc(raw, 4, 0));
    EXPECT_EQ((std::vector<BYTE>{0xCD, 7, 0xCD, 0xCD}), bytes(raw));
    EXPECT_EQ(raw, GlobalReAlloc(raw, 3, GMEM_ZEROINIT));
    EXPECT_EQ((std::vector<BYTE>{0xCD, 7, 0xCD}), bytes(raw));
    EXPECT_EQ(zeroed, GlobalReAlloc(zeroed, 0, 0));
    EXPECT_EQ(nullptr, GlobalLock(zeroed)) << "an empty block";
    fake::FailCall("GlobalAlloc");
    fake::FailCall("GlobalReAlloc");
    fake::FailCall("GlobalLock");
    EXPECT_FALSE(GlobalAlloc(0, 1) || GlobalReAlloc(raw, 1, 0) || GlobalLock(raw));
    EXPECT_EQ(2, Live(Kind::Memory));
    EXPECT_EQ(nullptr, GlobalFree(raw));
    EXPECT_EQ(raw, GlobalFree(raw));
    EXPECT_FALSE(GlobalReAlloc(raw, 1, 0) || GlobalLock(raw) || GlobalUnlock(raw) ||
                 fake::BlockSize(raw) || fake::LockCount(raw));
    GlobalFree(zeroed);
    EXPECT_EQ(0, Live(Kind::Memory));
}

} // namespace
} // namespace polkamoot
