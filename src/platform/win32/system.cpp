// Process, libraries, memory, resources, profile file, registry and sound, forwarded to
// KERNEL32, USER32, ADVAPI32 and WINMM.
#include "platform/win32/win32.h"

namespace pk = polkamoot;

const char* pk::GetCommandLineA() {
    return ::GetCommandLineA();
}
pk::UINT pk::GetACP() {
    return ::GetACP();
}
pk::BOOL pk::GetCPInfo(UINT codePage, CPINFO* info) {
    return ::GetCPInfo(codePage, reinterpret_cast<::CPINFO*>(info));
}
pk::HMODULE pk::GetModuleHandleA(const char* name) {
    return ::GetModuleHandleA(name);
}
pk::HMODULE pk::LoadLibraryA(const char* name) {
    return ::LoadLibraryA(name);
}
pk::FARPROC pk::GetProcAddress(HMODULE module, const char* name) {
    return reinterpret_cast<FARPROC>(::GetProcAddress(module, name));
}
pk::BOOL pk::FreeLibrary(HMODULE module) {
    return ::FreeLibrary(module);
}
pk::DWORD pk::GetTickCount() {
    return ::GetTickCount();
}
void pk::Sleep(DWORD milliseconds) {
    ::Sleep(milliseconds);
}
std::time_t pk::time(std::time_t* result) {
    return std::time(result);
}

// Both filter types take the system's calling convention, so whatever filter was there before,
// the runtime's own included, comes back as it is and can be put back.
pk::LPTOP_LEVEL_EXCEPTION_FILTER
pk::SetUnhandledExceptionFilter(LPTOP_LEVEL_EXCEPTION_FILTER filter) {
    return reinterpret_cast<LPTOP_LEVEL_EXCEPTION_FILTER>(
        ::SetUnhandledExceptionFilter(reinterpret_cast<::LPTOP_LEVEL_EXCEPTION_FILTER>(filter)));
}

pk::LONG pk::UnhandledExceptionFilter(EXCEPTION_POINTERS* fault) {
    return ::UnhandledExceptionFilter(fault);
}

pk::HICON pk::LoadIconA(HINSTANCE instance, const char* name) {
    return ::LoadIconA(instance, name);
}
pk::HBITMAP pk::LoadBitmapA(HINSTANCE instance, const char* name) {
    return ::LoadBitmapA(instance, name);
}
int pk::LoadStringA(HINSTANCE instance, UINT id, char* buffer, int bufferSize) {
    return ::LoadStringA(instance, id, buffer, bufferSize);
}
pk::HRSRC pk::FindResourceA(HMODULE module, const char* name, const char* type) {
    return ::FindResourceA(module, name, type);
}
pk::HGLOBAL pk::LoadResource(HMODULE module, HRSRC resource) {
    return ::LoadResource(module, resource);
}
void* pk::LockResource(HGLOBAL resource) {
    return ::LockResource(resource);
}
pk::BOOL pk::FreeResource(HGLOBAL resource) {
    return ::FreeResource(resource);
}

pk::HGLOBAL pk::GlobalAlloc(UINT flags, std::size_t bytes) {
    return ::GlobalAlloc(flags, bytes);
}
pk::HGLOBAL pk::GlobalReAlloc(HGLOBAL memory, std::size_t bytes, UINT flags) {
    return ::GlobalReAlloc(memory, bytes, flags);
}
void* pk::GlobalLock(HGLOBAL memory) {
    return ::GlobalLock(memory);
}
pk::BOOL pk::GlobalUnlock(HGLOBAL memory) {
    return ::GlobalUnlock(memory);
}
pk::HGLOBAL pk::GlobalFree(HGLOBAL memory) {
    return ::GlobalFree(memory);
}

pk::UINT pk::GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                                   const char* file) {
    return ::GetPrivateProfileIntA(section, key, defaultValue, file);
}

pk::BOOL pk::WritePrivateProfileStringA(const char* section, const char* key, const char* text,
                                        const char* file) {
    return ::WritePrivateProfileStringA(section, key, text, file);
}

pk::LONG pk::RegOpenKeyA(HKEY key, const char* subKey, HKEY* result) {
    return ::RegOpenKeyA(key, subKey, result);
}

pk::LONG pk::RegQueryValueExA(HKEY key, const char* name, DWORD*, DWORD* type, BYTE* data,
                              DWORD* size) {
    ::DWORD realType = 0;
    ::DWORD realSize = size ? *size : 0;
    LONG status =
        ::RegQueryValueExA(key, name, nullptr, type ? &realType : nullptr, data, &realSize);
    if (type) {
        *type = realType;
    }
    if (size) {
        *size = realSize;
    }
    return status;
}

pk::LONG pk::RegCloseKey(HKEY key) {
    return ::RegCloseKey(key);
}

pk::BOOL pk::SystemParametersInfoA(UINT action, UINT uiParam, void* pvParam, UINT winIni) {
    return ::SystemParametersInfoA(action, uiParam, pvParam, winIni);
}

pk::BOOL pk::sndPlaySoundA(const char* sound, UINT flags) {
    return ::sndPlaySoundA(sound, flags);
}
pk::UINT pk::waveOutGetNumDevs() {
    return ::waveOutGetNumDevs();
}
