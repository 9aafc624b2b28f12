// The process, its libraries, the registry, the saver-running notice, the fault report and the
// sound device, as the test sets them up. Names match as the host spells them.
#include "fake/fake.h"

#include <algorithm>
#include <utility>

namespace polkamoot {

namespace {

constexpr LONG ErrorFileNotFound = 2;
constexpr LONG ErrorMoreData = 234;

// A library's handle is the address of its record.
struct Library {
    std::map<std::string, FARPROC> entries;
    bool preloaded = false;
    int references = 0;
};

struct System {
    std::string commandLine = "polkamoot.scr";
    UINT codePage = 1252;
    std::map<std::string, Library> libraries;
    std::map<std::string, std::map<std::string, std::vector<BYTE>>> registry;
    std::map<HKEY, std::string> openKeys;
    bool notice = false;
    std::vector<UINT> noticeSwitches;
    LONG faultVerdict = EXCEPTION_EXECUTE_HANDLER;
    LPTOP_LEVEL_EXCEPTION_FILTER faultFilter = nullptr;
    std::vector<fake::SoundRequest> sounds;
    bool soundPlaying = false;
    UINT waveDevices = 0;
};

System system;

Library* Installed(const char* name) {
    auto found = system.libraries.find(name);
    return found == system.libraries.end() ? nullptr : &found->second;
}

Library* Loaded(HMODULE module) {
    for (auto& [name, library] : system.libraries) {
        if (module == reinterpret_cast<HMODULE>(&library) &&
            (library.preloaded || library.references > 0)) {
            return &library;
        }
    }
    return nullptr;
}

} // namespace

namespace fake {

void detail::ResetSystem() {
    system = System{};
}

void SetCommandLine(const std::string& commandLine) {
    system.commandLine = commandLine;
}
void SetCodePage(UINT codePage) {
    system.codePage = codePage;
}

void InstallLibrary(const std::string& name, std::map<std::string, FARPROC> entries,
                    bool preloaded) {
    system.libraries[name] = {std::move(entries), preloaded};
}

void SetRegistryValue(const std::string& key, const std::string& name,
                      const std::vector<BYTE>& data) {
    system.registry[key][name] = data;
}

std::vector<UINT> NoticeSwitches() {
    return system.noticeSwitches;
}

void SetFaultReportVerdict(LONG verdict) {
    system.faultVerdict = verdict;
}
LPTOP_LEVEL_EXCEPTION_FILTER InstalledFaultFilter() {
    return system.faultFilter;
}

std::vector<SoundRequest> SoundRequests() {
    return system.sounds;
}
void FinishSound() {
    system.soundPlaying = false;
}
void SetWaveDevices(UINT count) {
    system.waveDevices = count;
}

} // namespace fake

const char* GetCommandLineA() {
    return system.commandLine.c_str();
}
UINT GetACP() {
    return system.codePage;
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
    auto module = reinterpret_cast<HMODULE>(Installed(name));
    return Loaded(module) ? module : nullptr;
}

HMODULE LoadLibraryA(const char* name) {
    Library* library = Installed(name);
    if (!library) {
        return nullptr;
    }
    if (library->references++ == 0 && !library->preloaded) {
        model::NewHandle(model::Kind::Library);
    }
    return reinterpret_cast<HMODULE>(library);
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    Library* library = Loaded(module);
    if (!library || !library->entries.count(name)) {
        return nullptr;
    }
    return library->entries[name];
}

BOOL FreeLibrary(HMODULE module) {
    Library* library = Loaded(module);
    if (!library || library->references == 0) {
        return 0;
    }
    if (--library->references == 0 && !library->preloaded) {
        model::Release(model::Kind::Library);
    }
    return 1;
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    return std::exchange(system.faultFilter, filter);
}

LONG UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    return system.faultVerdict;
}

LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
    if (key != HKEY_CURRENT_USER || !system.registry.count(subKey)) {
        return ErrorFileNotFound;
    }
    *result = reinterpret_cast<HKEY>(model::NewHandle(model::Kind::Key));
    system.openKeys[*result] = subKey;
    return ERROR_SUCCESS;
}

// Reads into the caller's buffer only; the type is never asked for.
LONG RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD*, BYTE* data, DWORD* size) {
    auto open = system.openKeys.find(key);
    if (open == system.openKeys.end() || !system.registry[open->second].count(name)) {
        return ErrorFileNotFound;
    }
    const std::vector<BYTE>& value = system.registry[open->second][name];
    if (value.size() > *size) {
        return ErrorMoreData;
    }
    *size = static_cast<DWORD>(std::copy(value.begin(), value.end(), data) - data);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (!system.openKeys.erase(key)) {
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
    *static_cast<UINT*>(pvParam) = system.notice;
    system.notice = uiParam != 0;
    system.noticeSwitches.push_back(uiParam);
    return 1;
}

BOOL sndPlaySoundA(const char* sound, UINT flags) {
    if (!sound) {
        system.soundPlaying = false;
        system.sounds.push_back({nullptr, flags, false});
        return 1;
    }
    bool played = !(system.soundPlaying && (flags & SND_NOSTOP));
    system.sounds.push_back({sound, flags, played});
    if (played) {
        system.soundPlaying = true;
    }
    return played;
}

UINT waveOutGetNumDevs() {
    return system.waveDevices;
}

} // namespace polkamoot
