// Private profile files of the model, held as text by name without regard to case.
//
// A line is read trimmed of blanks: "[name]" opens a section, "key=value" is a key, anything
// else is kept and never read. Section and key names match without regard to case, and the
// first of duplicates wins. GetPrivateProfileIntA takes blanks, a sign and decimal digits up to
// the first other character, wrapping at 32 bits; a missing file, section or key, or an empty
// value, gives the default. A write replaces the key's own line, or adds the key behind the last
// key of its section, or the section at the end of the file; every other byte stays as it was,
// and new lines end in CR LF.
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

std::map<std::string, std::string> files; // by lower-case name

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

// The lines of the first section of that name, from the one behind its header up to the next
// header; none when there is no such section.
std::optional<std::pair<std::size_t, std::size_t>> SectionLines(const std::vector<Line>& lines,
                                                                std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string_view> name = SectionName(lines[i].text);
        if (name && SameName(*name, section)) {
            std::size_t last = i + 1;
            while (last < lines.size() && !SectionName(lines[last].text)) {
                ++last;
            }
            return std::make_pair(i + 1, last);
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
    files[Lower(file)] = text;
}

std::string model::ProfileText(const std::string& file) {
    auto found = files.find(Lower(file));
    return found == files.end() ? std::string() : found->second;
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                           const char* file) {
    auto found = files.find(Lower(file));
    if (found == files.end()) {
        return static_cast<UINT>(defaultValue);
    }
    std::vector<Line> lines = Lines(found->second);
    auto range = SectionLines(lines, section);
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
    std::string& stored = files[Lower(file)];
    std::vector<Line> lines = Lines(stored);
    std::string entry = std::string(Trim(key)) + "=" + std::string(Trim(text));
    auto range = SectionLines(lines, section);
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
