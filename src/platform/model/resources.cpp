// The program's resources in the model: the compiled resource file that the Windows build links
// in, embedded by the build as PolkamootResources, found by type and by name or number without
// regard to case, and in English (United States) where other languages stand beside it: the
// Linux program speaks English, and the page translates for itself. Bitmaps load through dib.cpp;
// strings come cut to the buffer; an icon is a handle that draws nothing. Not modelled: picking the
// user's language, cursors, menus, dialog templates as dialogs (their bytes are found like any
// resource's).
#include "platform/model/model_internal.h"

#include <cstdlib>
#include <cstring>
#include <map>

extern const unsigned char PolkamootResources[];
extern const std::size_t PolkamootResourcesSize;

namespace polkamoot {

namespace {

// A type or name: a number, or text in lower case.
struct Key {
    WORD id = 0;
    std::string text;
    bool operator==(const Key&) const = default;
};

struct Entry {
    Key type;
    Key name;
    WORD language;
    const BYTE* data;
    DWORD size;
};

const BYTE* ReadKey(const BYTE* at, Key* key) {
    if (ReadWord(at) == 0xFFFF) {
        key->id = ReadWord(at, 2);
        return at + 4;
    }
    for (; ReadWord(at) != 0; at += 2) {
        key->text += static_cast<char>(ReadWord(at) & 0xFF);
    }
    key->text = model::Lower(key->text);
    return at + 2;
}

// The compiled form: entries of data size, header size, type, name and fixed fields, each
// padded to four bytes. The language is the word 10 bytes before the data.
std::vector<Entry> ParseResources() {
    std::vector<Entry> entries;
    const BYTE* at = PolkamootResources;
    const BYTE* end = at + PolkamootResourcesSize;
    while (at + 8 <= end) {
        DWORD dataSize = ReadDword(at);
        DWORD headerSize = ReadDword(at, 4);
        Entry entry{};
        ReadKey(ReadKey(at + 8, &entry.type), &entry.name);
        entry.language = ReadWord(at + headerSize - 10);
        entry.data = at + headerSize;
        entry.size = dataSize;
        if (dataSize > 0) {
            entries.push_back(entry);
        }
        at += headerSize + ((dataSize + 3) & ~DWORD{3});
    }
    return entries;
}

const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = ParseResources();
    return entries;
}

Key KeyOf(const char* nameOrId) {
    Key key;
    if (IS_INTRESOURCE(nameOrId)) {
        key.id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(nameOrId));
    } else if (nameOrId[0] == '#') {
        key.id = static_cast<WORD>(std::strtoul(nameOrId + 1, nullptr, 10));
    } else {
        key.text = model::Lower(nameOrId);
    }
    return key;
}

// The file lists languages in the order of their ids, German before English: the first found
// serves only where English is missing.
constexpr WORD EnglishUnitedStates = 0x0409;

const Entry* Lookup(const char* type, const char* name) {
    Key typeKey = KeyOf(type);
    Key nameKey = KeyOf(name);
    const Entry* found = nullptr;
    for (const Entry& entry : Entries()) {
        if (entry.type == typeKey && entry.name == nameKey &&
            (!found || entry.language == EnglishUnitedStates)) {
            found = &entry;
        }
    }
    return found;
}

std::map<HGLOBAL, const Entry*> loaded;

} // namespace

void model::detail::ResetResources() {
    loaded.clear();
}

DWORD model::WaveImageSize(const void* image) {
    const auto* bytes = static_cast<const BYTE*>(image);
    if (std::memcmp(bytes, "RIFF", 4) != 0) {
        return 0;
    }
    return ReadDword(bytes, 4) + 8;
}

const BYTE* model::ResourceBytes(const char* type, const char* name, DWORD* size) {
    const Entry* entry = Lookup(type, name);
    if (size) {
        *size = entry ? entry->size : 0;
    }
    return entry ? entry->data : nullptr;
}

HRSRC FindResourceA(HMODULE module, const char* name, const char* type) {
    if (module != model::Instance()) {
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<Entry*>(Lookup(type, name)));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (module != model::Instance() || !resource || backend::ShouldFail("LoadResource")) {
        return nullptr;
    }
    auto handle = reinterpret_cast<HGLOBAL>(model::NewHandle(model::Kind::Resource));
    loaded[handle] = reinterpret_cast<const Entry*>(resource);
    return handle;
}

void* LockResource(HGLOBAL resource) {
    auto found = loaded.find(resource);
    return found == loaded.end() ? nullptr : const_cast<BYTE*>(found->second->data);
}

BOOL FreeResource(HGLOBAL resource) {
    if (!loaded.erase(resource)) {
        return 0;
    }
    model::Release(model::Kind::Resource);
    return 1;
}

int LoadStringA(HINSTANCE instance, UINT id, char* buffer, int bufferSize) {
    if (bufferSize <= 0) {
        return 0;
    }
    buffer[0] = '\0';
    DWORD size = 0;
    const BYTE* block = instance == model::Instance()
                            ? model::ResourceBytes(RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), &size)
                            : nullptr;
    if (!block) {
        return 0;
    }
    // Sixteen strings a block, each a length and that many UTF-16 units.
    const BYTE* at = block;
    for (UINT skip = id % 16; skip > 0; --skip) {
        at += 2 + 2 * ReadWord(at);
    }
    int length = ReadWord(at);
    int copied = 0;
    for (; copied < length && copied < bufferSize - 1; ++copied) {
        buffer[copied] = static_cast<char>(ReadWord(at + 2 + 2 * copied) & 0xFF);
    }
    buffer[copied] = '\0';
    return copied;
}

HICON LoadIconA(HINSTANCE instance, const char* name) {
    if (instance != model::Instance() || !model::ResourceBytes(RT_GROUP_ICON, name, nullptr)) {
        return nullptr;
    }
    return reinterpret_cast<HICON>(std::uintptr_t{0x1C0});
}

HBITMAP LoadBitmapA(HINSTANCE instance, const char* name) {
    DWORD size = 0;
    const BYTE* dib =
        instance == model::Instance() ? model::ResourceBytes(RT_BITMAP, name, &size) : nullptr;
    if (!dib || backend::ShouldFail("LoadBitmapA")) {
        return nullptr;
    }
    return model::detail::BitmapFromPackedDib(dib, size);
}

} // namespace polkamoot
