// The process, its libraries, the registry, the saver-running notice, the fault report and the
// sound device, as the test sets them up.
#include "fake/fake.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace polkamoot {

namespace {

using backend::ShouldFail;
using model::Kind;
using model::NewHandle;
using model::Release;

constexpr LONG ErrorFileNotFound = 2;
constexpr LONG ErrorMoreData = 234;

struct Library {
    std::map<std::string, FARPROC> entries;
    bool preloaded = false;
    int references = 0;
    int loads = 0;
    HMODULE handle = nullptr;
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
    int faultReports = 0;
    LPTOP_LEVEL_EXCEPTION_FILTER faultFilter = nullptr;
    std::vector<fake::SoundRequest> sounds;
    bool soundPlaying = false;
    UINT waveDevices = 0;
};

System system;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

Library* FindLibrary(HMODULE module) {
    for (auto& [name, library] : system.libraries) {
        if (library.handle && library.handle == module) {
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
    Library library;
    library.entries = std::move(entries);
    library.preloaded = preloaded;
    if (preloaded) {
        library.handle = reinterpret_cast<HMODULE>(std::uintptr_t{0x7000000} +
                                                   system.libraries.size() * 0x10000);
    }
    system.libraries[Upper(name)] = library;
}

int LoadCount(const std::string& name) {
    auto found = system.libraries.find(Upper(name));
    return found == system.libraries.end() ? 0 : found->second.loads;
}

void SetRegistryValue(const std::string& key, const std::string& name,
                      const std::vector<BYTE>& data) {
    system.registry[Upper(key)][Upper(name)] = data;
}

bool SaverRunningNotice() {
    return system.notice;
}
std::vector<UINT> NoticeSwitches() {
    return system.noticeSwitches;
}

void SetFaultReportVerdict(LONG verdict) {
    system.faultVerdict = verdict;
}
int FaultReports() {
    return system.faultReports;
}
LPTOP_LEVEL_EXCEPTION_FILTER InstalledFaultFilter() {
    return system.faultFilter;
}

std::vector<SoundRequest> SoundRequests() {
    return system.sounds;
}
bool SoundPlaying() {
    return system.soundPlaying;
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
    *info = CPINFO{};
    info->MaxCharSize = 1;
    if (codePage == 932) {
        const BYTE ranges[] = {0x81, 0x9F, 0xE0, 0xFC};
        std::memcpy(info->LeadByte, ranges, sizeof ranges);
        info->MaxCharSize = 2;
    }
    return 1;
}

HMODULE GetModuleHandleA(const char* name) {
    if (!name) {
        return model::Instance();
    }
    auto found = system.libraries.find(Upper(name));
    return found == system.libraries.end() ? nullptr : found->second.handle;
}

HMODULE LoadLibraryA(const char* name) {
    auto found = system.libraries.find(Upper(name));
    if (found == system.libraries.end() || ShouldFail("LoadLibraryA")) {
        return nullptr;
    }
    Library& library = found->second;
    ++library.loads;
    if (!library.handle) {
        library.handle = reinterpret_cast<HMODULE>(NewHandle(Kind::Library));
    } else if (!library.preloaded && library.references == 0) {
        NewHandle(Kind::Library);
    }
    ++library.references;
    return library.handle;
}

FARPROC GetProcAddress(HMODULE module, const char* name) {
    Library* library = FindLibrary(module);
    if (!library) {
        return nullptr;
    }
    auto entry = library->entries.find(name);
    return entry == library->entries.end() ? nullptr : entry->second;
}

BOOL FreeLibrary(HMODULE module) {
    Library* library = FindLibrary(module);
    if (!library || library->references == 0) {
        return 0;
    }
    if (--library->references == 0 && !library->preloaded) {
        Release(Kind::Library);
    }
    return 1;
}

LPTOP_LEVEL_EXCEPTION_FILTER SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    LPTOP_LEVEL_EXCEPTION_FILTER previous = system.faultFilter;
    system.faultFilter = filter;
    return previous;
}

LONG UnhandledExceptionFilter(EXCEPTION_POINTERS*) {
    ++system.faultReports;
    return system.faultVerdict;
}

LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
    if (key != HKEY_CURRENT_USER || !system.registry.count(Upper(subKey))) {
        return ErrorFileNotFound;
    }
    *result = reinterpret_cast<HKEY>(NewHandle(Kind::Key));
    system.openKeys[*result] = Upper(subKey);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    auto open = system.openKeys.find(key);
    if (open == system.openKeys.end()) {
        return ErrorFileNotFound;
    }
    auto& values = system.registry[open->second];
    auto value = values.find(Upper(name));
    if (value == values.end()) {
        return ErrorFileNotFound;
    }
    if (type) {
        *type = 4; // REG_DWORD; nothing here asks
    }
    DWORD needed = static_cast<DWORD>(value->second.size());
    if (data && size && needed > *size) {
        *size = needed;
        return ErrorMoreData;
    }
    if (data) {
        std::copy(value->second.begin(), value->second.end(), data);
    }
    if (size) {
        *size = needed;
    }
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (!system.openKeys.erase(key)) {
        return ErrorFileNotFound;
    }
    Release(Kind::Key);
    return ERROR_SUCCESS;
}

BOOL SystemParametersInfoA(UINT action, UINT uiParam, void* pvParam, UINT) {
    if (action == SPI_SCREENSAVERRUNNING) {
        if (pvParam) {
            *static_cast<BOOL*>(pvParam) = system.notice;
        }
        system.notice = uiParam != 0;
        system.noticeSwitches.push_back(uiParam);
        return 1;
    }
    if (action == SPI_GETSCREENSAVERRUNNING && pvParam) {
        *static_cast<BOOL*>(pvParam) = system.notice;
        return 1;
    }
    return 0;
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
