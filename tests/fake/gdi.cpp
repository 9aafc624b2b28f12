// Placeholder graphics: enough for the host's window class. Replaced by the full fake.
#include "fake/fake_internal.h"

namespace polkamoot {

void fake::detail::ResetGdi() {}

HBITMAP fake::detail::BitmapFromPackedDib(const BYTE*, DWORD) {
    return reinterpret_cast<HBITMAP>(NewHandle(Kind::Bitmap));
}

HGDIOBJ GetStockObject(int object) {
    return reinterpret_cast<HGDIOBJ>(std::uintptr_t{0x5700 + static_cast<unsigned>(object)});
}

} // namespace polkamoot
