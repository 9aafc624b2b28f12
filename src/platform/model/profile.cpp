// Private profile files of the model, held as text by name without regard to case.
//
// A line is read trimmed of blanks: "[name]" opens a section, "key=value" is a key, anything
// else is kept and never read. Section and key names match without regard to case, and the
// first of duplicates wins. GetPrivateProfileIntA takes blanks, a sign and decimal digits up to
// the first other character, wrapping at 32 bits; a missing file, section or key, or an empty
// value, gives the default. A write replaces the key's own line, or adds the key behind the last
// key of its section, or the section at the end of the file; every other byte stays as it was,
// and new lines end in CR LF. A file is split into lines once, and again only after it changes:
// a profile of megabytes costs one split, not one per key read.
// Not modelled: other number forms, quoted values, deleting keys or sections, files on disk.
#include "platform/model/model_internal.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>

namespace polkamoot {

namespace {

using model::Lower;

constexpr std::string_view LineEnd = "\r\n";

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return Lower(Trim(a)) == Lower(Trim(b));
}

// One line of the text: where it starts, where its content ends and where the next one begins.
struct Line {
    std::size_t start;
    std::size_t end;
    std::size_t next;
    std::string_view text;
};

std::vector<Line> Lines(std::string_view text) {
    std::vector<Line> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t newline = std::min(text.find('\n', start), text.size());
        std::size_t end = newline > start && text[newline - 1] == '\r' ? newline - 1 : newline;
        std::size_t next = std::min(newline + 1, text.size());
        lines.push_back({start, end, next, text.substr(start, end - start)});
        start = next;
    }
    return lines;
}

std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    std::size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return line.substr(1, close - 1);
}

struct KeyLine {
    std::string_view name;
    std::string_view value;
};

std::optional<KeyLine> KeyOf(std::string_view line) {
    std::size_t equals = line.find('=');
    if (SectionName(line) || equals == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyLine{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

// A file's text, and while split, its lines (views into the text) and which of them are
// section headers.
struct File {
    std::string text;
    bool split = false;
    std::vector<Line> lines;
    std::vector<std::size_t> headers;
};

std::map<std::string, File> files; // by lower-case name

const File& Split(File& file) {
    if (!file.split) {
        file.lines = Lines(file.text);
        file.headers.clear();
        for (std::size_t i = 0; i < file.lines.size(); ++i) {
            if (SectionName(file.lines[i].text)) {
                file.headers.push_back(i);
            }
        }
        file.split = true;
    }
    return file;
}

// The lines of the first section of that name, from the one behind its header up to the next
// header; none when there is no such section.
std::optional<std::pair<std::size_t, std::size_t>> SectionLines(const File& file,
                                                                std::string_view section) {
    for (std::size_t h = 0; h < file.headers.size(); ++h) {
        std::size_t header = file.headers[h];
        if (SameName(*SectionName(file.lines[header].text), section)) {
            std::size_t last =
                h + 1 < file.headers.size() ? file.headers[h + 1] : file.lines.size();
            return std::make_pair(header + 1, last);
        }
    }
    return std::nullopt;
}

UINT ProfileInteger(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') {
        text.remove_prefix(1);
    }
    bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        text.remove_prefix(1);
    }
    UINT total = 0;
    for (std::size_t i = 0; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]));
         ++i) {
        total = total * 10 + static_cast<UINT>(text[i] - '0');
    }
    return negative ? 0u - total : total;
}

} // namespace

void model::detail::ResetProfiles() {
    files.clear();
}

void model::SetProfileText(const std::string& file, const std::string& text) {
    files[Lower(file)] = File{text, false, {}, {}};
}

std::string model::ProfileText(const std::string& file) {
    auto found = files.find(Lower(file));
    return found == files.end() ? std::string() : found->second.text;
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* file) {
    auto found = files.find(Lower(file));
    if (found == files.end()) {
        return static_cast<UINT>(defaultValue);
    }
    const File& split = Split(found->second);
    const std::vector<Line>& lines = split.lines;
    auto range = SectionLines(split, section);
    for (std::size_t i = range ? range->first : 0; range && i < range->second; ++i) {
        std::optional<KeyLine> line = KeyOf(lines[i].text);
        if (line && SameName(line->name, key)) {
            return line->value.empty() ? static_cast<UINT>(defaultValue)
                                       : ProfileInteger(line->value);
        }
    }
    return static_cast<UINT>(defaultValue);
}

BOOL WritePrivateProfileStringA(const char* section, const char* key, const char* text,
                                const char* file) {
    if (!section || !key || !text || backend::ShouldFail("WritePrivateProfileStringA")) {
        return 0;
    }
    File& changed = files[Lower(file)];
    const std::vector<Line>& lines = Split(changed).lines;
    auto range = SectionLines(changed, section);
    changed.split = false; // the text changes at most once below, after its lines are read
    std::string& stored = changed.text;
    std::string entry = std::string(Trim(key)) + "=" + std::string(Trim(text));
    if (!range) {
        if (!stored.empty() && stored.back() != '\n') {
            stored += LineEnd;
        }
        stored.append("[").append(Trim(section)).append("]").append(LineEnd);
        stored.append(entry).append(LineEnd);
        return 1;
    }
    std::size_t behind = range->first - 1; // the header, until a key is found
    for (std::size_t i = range->first; i < range->second; ++i) {
        std::optional<KeyLine> line = KeyOf(lines[i].text);
        if (line && SameName(line->name, key)) {
            stored.replace(lines[i].start, lines[i].end - lines[i].start, entry);
            return 1;
        }
        if (line) {
            behind = i;
        }
    }
    const Line& last = lines[behind];
    bool ended = last.next > last.end;
    stored.insert(last.next, (ended ? "" : std::string(LineEnd)) + entry + std::string(LineEnd));
    return 1;
}

} // namespace polkamoot
