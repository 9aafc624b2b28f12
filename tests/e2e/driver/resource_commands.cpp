// Looks into the saver's resources the way the system does, without running it.
#include "driver.h"

#include <cstdio>

namespace {

// resources <scr>: finds the resources by the names the saver asks for.
int Resources(int argc, char** argv) {
    if (argc < 1) {
        return 2;
    }
    HMODULE module = LoadLibraryExA(argv[0], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) {
        return 1;
    }
    const char* frames[] = {"bear1R", "bear2R", "bear3R", "bear4R", "bear5R",
                            "bear1L", "bear2L", "bear3L", "bear4L", "bear5L"};
    for (const char* name : frames) {
        HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(2));
        std::printf("bitmap=%s size=%lu\n", name,
                    found ? static_cast<unsigned long>(SizeofResource(module, found)) : 0ul);
    }
    const char* sounds[] = {"SND_OW", "snd_ooh", "Snd_Mmm", "SND_HEY", "SND_OOH2"};
    for (const char* name : sounds) {
        HRSRC found = FindResourceA(module, name, "WAVE");
        std::printf("wave=%s size=%lu\n", name,
                    found ? static_cast<unsigned long>(SizeofResource(module, found)) : 0ul);
    }
    for (UINT id : {1u, 1001u, 1002u, 1007u}) {
        char text[64] = {};
        LoadStringA(module, id, text, sizeof text);
        std::printf("string=%u text=%s\n", id, driver::Encode(text).c_str());
    }
    FreeLibrary(module);
    return 0;
}

driver::Command resources("resources", Resources);

} // namespace
