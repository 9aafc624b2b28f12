#include "host/command_line.h"

namespace polkamoot {

namespace {

bool IsLeadByte(const CPINFO& codePage, unsigned char byte) {
    for (int i = 0; i + 1 < 12 && codePage.LeadByte[i] != 0; i += 2) {
        if (byte >= codePage.LeadByte[i] && byte <= codePage.LeadByte[i + 1]) {
            return true;
        }
    }
    return false;
}

// Steps one character; a lead byte takes its trail byte along unless the text ends there.
const char* NextChar(const CPINFO& codePage, const char* at) {
    if (IsLeadByte(codePage, static_cast<unsigned char>(*at)) && at[1] != '\0') {
        return at + 2;
    }
    return at + 1;
}

const char* SkipSpaces(const char* text) {
    while (*text == ' ') {
        ++text;
    }
    return text;
}

} // namespace

const char* ArgumentText(const char* commandLine, const CPINFO& codePage) {
    const char* at = commandLine;
    if (*at == '"') {
        at = NextChar(codePage, at);
        while (*at != '\0' && *at != '"') {
            at = NextChar(codePage, at);
        }
        if (*at == '"') {
            ++at;
        }
    } else {
        while (static_cast<unsigned char>(*at) > ' ') {
            ++at;
        }
    }
    while (*at >= 1 && *at <= ' ') {
        ++at;
    }
    return at;
}

Command ParseCommand(const char* text) {
    for (;; ++text) {
        switch (static_cast<signed char>(*text)) {
        case '\0': return {RunMode::Configure, false, nullptr};
        case ' ':
        case '-':
        case '/': continue;
        case 'C':
        case 'c': return {RunMode::Configure, true, nullptr};
        case 'S':
        case 's': return {RunMode::Save, false, nullptr};
        case 'P':
        case 'p':
        case 'L':
        case 'l': return {RunMode::Preview, false, SkipSpaces(text + 1)};
        case 'A':
        case 'a': return {RunMode::ChangePassword, false, SkipSpaces(text + 1)};
        default: return {RunMode::Invalid, false, nullptr};
        }
    }
}

std::uint32_t ParseDecimalHandle(const char* text) {
    std::uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + static_cast<std::uint32_t>(*text - '0');
    }
    return value;
}

} // namespace polkamoot
