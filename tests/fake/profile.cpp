// The profile file as text per file name. Every call parses the text afresh, as the platform
// rereads a file that changed, and a write that changes a value puts the whole file back in
// the platform's layout.
#include "fake/fake_internal.h"
#include "fake/fake_profile.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>

namespace polkamoot {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
// The platform reads a value into 30 characters, terminator included.
constexpr std::size_t ValueBuffer = 30;

struct KeyLine {
    std::string name;
    std::optional<std::string> value; // none: a line without an equals sign
};

struct Section {
    std::string name;
    std::vector<KeyLine> keys;
};

struct Profile {
    bool utf8Mark = false;
    std::vector<Section> sections; // the first holds the lines before any section header
};

std::map<std::string, std::string> files;
std::vector<fake::ProfileWrite> writes;

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == '\x1A';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    return TrimRight(TrimLeft(text));
}

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

std::string FileKey(const std::string& file) {
    std::string key = file;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

void AddLine(Profile& profile, std::string_view line) {
    if (line.front() == '[') {
        std::size_t close = line.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            profile.sections.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            return;
        }
    }
    KeyLine key;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        key.name = line;
    } else {
        key.name = TrimRight(line.substr(0, equals));
        key.value = std::string(TrimLeft(line.substr(equals + 1)));
    }
    // A run of lines with empty names keeps only its first.
    std::vector<KeyLine>& keys = profile.sections.back().keys;
    if (!key.name.empty() || keys.empty() || !keys.back().name.empty()) {
        keys.push_back(std::move(key));
    }
}

Profile Parse(std::string_view text) {
    Profile profile;
    profile.sections.push_back({});
    if (text.substr(0, Utf8Mark.size()) == Utf8Mark) {
        profile.utf8Mark = true;
        text.remove_prefix(Utf8Mark.size());
    }
    while (!text.empty()) {
        std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(std::min(text.find_first_not_of("\r\n", end), text.size()));
        if (!line.empty()) {
            AddLine(profile, line);
        }
    }
    return profile;
}

std::string Format(const Profile& profile) {
    std::string text = profile.utf8Mark ? std::string(Utf8Mark) : std::string();
    for (const Section& section : profile.sections) {
        if (!section.name.empty()) {
            text += "[" + section.name + "]\r\n";
        }
        for (const KeyLine& key : section.keys) {
            text += key.name + (key.value ? "=" + *key.value : "") + "\r\n";
        }
    }
    return text;
}

Section* FindSection(Profile& profile, std::string_view name) {
    auto found = std::find_if(profile.sections.begin(), profile.sections.end(),
                              [&](const Section& s) { return SameName(s.name, Trim(name)); });
    return found == profile.sections.end() ? nullptr : &*found;
}

KeyLine* FindKey(Section& section, std::string_view name) {
    auto found = std::find_if(section.keys.begin(), section.keys.end(),
                              [&](const KeyLine& k) { return SameName(k.name, Trim(name)); });
    return found == section.keys.end() ? nullptr : &*found;
}

// What the platform hands its integer conversion: the value cut to the read buffer, less
// a pair of enclosing quotes.
std::string ValueText(std::string_view value) {
    bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
                  value.back() == value.front();
    if (quoted) {
        value.remove_prefix(1);
    }
    std::string text(value.substr(0, ValueBuffer - 1));
    if (quoted && value.size() <= ValueBuffer) {
        text.pop_back();
    }
    return text;
}

// The platform's conversion: blanks, one sign, a lower-case 0b, 0o or 0x prefix, then
// digits up to the first that does not belong, wrapping at 32 bits.
UINT ProfileInteger(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    UINT base = 10;
    if (text.size() >= 2 && text[0] == '0') {
        const std::string_view prefixes = "box";
        const UINT bases[] = {2, 8, 16};
        std::size_t prefix = prefixes.find(text[1]);
        if (prefix != std::string_view::npos) {
            base = bases[prefix];
            text.remove_prefix(2);
        }
    }
    UINT total = 0;
    for (char c : text) {
        unsigned char u = static_cast<unsigned char>(c);
        UINT digit = std::isdigit(u) ? u - '0' : std::isalpha(u) ? std::tolower(u) - 'a' + 10 : 99;
        if (digit >= base) {
            break;
        }
        total = total * base + digit;
    }
    return negative ? 0u - total : total;
}

} // namespace

namespace fake {

void detail::ResetProfile() {
    files.clear();
    writes.clear();
}

void SetProfileText(const std::string& file, const std::string& text) {
    files[FileKey(file)] = text;
}

std::string ProfileText(const std::string& file) {
    auto found = files.find(FileKey(file));
    return found == files.end() ? std::string() : found->second;
}

bool ProfileExists(const std::string& file) {
    return files.count(FileKey(file)) != 0;
}

std::vector<ProfileWrite> ProfileWrites() {
    return writes;
}

} // namespace fake

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* file) {
    auto found = files.find(FileKey(file));
    if (found == files.end()) {
        return static_cast<UINT>(defaultValue);
    }
    Profile profile = Parse(found->second);
    Section* inSection = FindSection(profile, section);
    KeyLine* line = inSection ? FindKey(*inSection, key) : nullptr;
    std::string text = line && line->value ? ValueText(*line->value) : std::string();
    return text.empty() ? static_cast<UINT>(defaultValue) : ProfileInteger(text);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* text,
                                const char* file) {
    if (!section || !key || !text) {
        return 0; // deleting is not simulated
    }
    writes.push_back({section, key, text, file});
    if (fake::detail::ShouldFail("WritePrivateProfileStringA")) {
        return 0;
    }
    std::string& stored = files[FileKey(file)];
    Profile profile = Parse(stored);
    Section* inSection = FindSection(profile, section);
    if (!inSection) {
        // A new name loses its leading blanks only, as on the platform.
        profile.sections.push_back({std::string(TrimLeft(section)), {}});
        inSection = &profile.sections.back();
    }
    KeyLine* line = FindKey(*inSection, key);
    if (!line) {
        inSection->keys.push_back({std::string(TrimLeft(key)), std::nullopt});
        line = &inSection->keys.back();
    }
    std::string value(TrimLeft(text));
    if (line->value == value) {
        return 1; // unchanged: the file is left as it is
    }
    line->value = value;
    stored = Format(profile);
    return 1;
}

} // namespace polkamoot
