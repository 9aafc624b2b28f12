// The process, its libraries, the registry, the saver-running notice, the fault report and the
// sound device, as the test's machine holds them. Names match as the host spells them.
#include "fake/fake.h"

#include <algorithm>
#include <utility>

namespace polkamoot {

namespace {

using fake::machine;

constexpr LONG ErrorFileNotFound = 2;
constexpr LONG ErrorMoreData = 234;

fake::Library* Loaded(HMODULE module) {
    for (auto& [name, library] : machine.libraries) {
        if (module == reinterpret_cast<HMODULE>(&library) &&
            (library.preloaded || library.references > 0)) {
            return &library;
        }
    }
    return nullptr;
}

} // namespace

const char* GetCommandLineA() {
    return machine.commandLine.c_str();
}

UINT GetACP() {
    return machine.codePage;
}

BOOL GetCPInfo(UINT codePage, CPINFO* info) {
    *info =
        codePage == 932 ? CPINFO{2, {'?', 0}, {0x81, 0x9F, 0xE0, 0xFC}} : CPINFO{1, {'?', 0}, {}};
    return 1;
}

HMODULE GetModuleHandleA(const char* name) {
    if (!name) {
        return model::Instance();
    }
    auto found = machine.libraries.find(name);
    auto module =
        found == machine.libraries.end() ? nullptr : reinterpret_cast<HMODULE>(&found->second);
    return Loaded(module) ? module : nullptr;
}

HMODULE LoadLibraryA(const char* name) {
    auto found = machine.libraries.find(name);
    if (found == machine.libraries.end()) {
        return nullptr;
    }
    if (found->second.references++ == 0 && !found->second.preloaded) {
        model::NewHandle(model::Kind::Library);
    }
    return reinterpret_cast<HMODULE>(&found->second);
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    fake::Library* library = Loaded(module);
    return library && library->entries.count(name) ? library->entries[name] : nullptr;
}

BOOL FreeLibrary(HMODULE module) {
    fake::Library* library = Loaded(module);
    if (!library || library->references == 0) {
        return 0;
    }
    if (--library->references == 0 && !library->preloaded) {
        model::Release(model::Kind::Library);
    }
    return 1;
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    return std::exchange(machine.faultFilter, filter);
}

LONG UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    return machine.faultVerdict;
}

LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
    if (key != HKEY_CURRENT_USER || !machine.registry.count(subKey)) {
        return ErrorFileNotFound;
    }
    *result = reinterpret_cast<HKEY>(model::NewHandle(model::Kind::Key));
    machine.openKeys[*result] = subKey;
    return ERROR_SUCCESS;
}

// Reads into the caller's buffer only; the type is never asked for.
LONG RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD*, BYTE* data, DWORD* size) {
    auto open = machine.openKeys.find(key);
    if (open == machine.openKeys.end() || !machine.registry[open->second].count(name)) {
        return ErrorFileNotFound;
    }
    const std::vector<BYTE>& value = machine.registry[open->second][name];
    if (value.size() > *size) {
        return ErrorMoreData;
    }
    *size = static_cast<DWORD>(std::copy(value.begin(), value.end(), data) - data);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (!machine.openKeys.erase(key)) {
        return ErrorFileNotFound;
    }
    model::Release(model::Kind::Key);
    return ERROR_SUCCESS;
}

// The notice is for this session only: a request to keep it in the user's profile or to
// broadcast it is refused.
BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* pvParam, UINT winIni) {
    if (action != SPI_SCREENSAVERRUNNING || winIni != 0) {
        return 0;
    }
    std::vector<UINT>& switches = machine.noticeSwitches;
    *static_cast<UINT*>(pvParam) = !switches.empty() && switches.back();
    switches.push_back(uiParam);
    return 1;
}

// A null sound stops the one playing.
BOOL sndPlaySoundA(const char* sound, UINT flags) {
    bool played = sound && !(machine.soundPlaying && (flags & SND_NOSTOP));
    machine.sounds.push_back({sound, flags, played});
    if (!sound || played) {
        machine.soundPlaying = played;
    }
    return !sound || played;
}

UINT waveOutGetNumDevs() {
    return machine.waveDevices;
}

} // namespace polkamoot
