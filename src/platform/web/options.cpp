// The page's settings: the profile text the settings store reads, kept in the browser's
// localStorage, with what the address names written over it for this visit only:
//   ?bears=red,blue,green,yellow,magenta  the troupe (and Random off, unless named too)
//   &random  &sound                       on; =1 and =0 say it outright
//   &minutes=N                            1 to 60
// in any case. A part the page cannot use is left out, and one warning of bounded length names
// such parts. The panel tells that its OK keeps what the address named.
#include "platform/model/model.h"
#include "platform/web/web.h"
#include "settings/settings_store.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace polkamoot::web {

namespace {

constexpr const char* BearNames[] = {"red", "blue", "green", "yellow", "magenta"};
// However long the address, the warning stays a line a person reads.
constexpr int NamedParts = 8;
constexpr std::size_t NamedLength = 60;

// What the address asks for, and one line naming what it cannot use (empty when everything was
// usable).
struct Address {
    std::vector<SettingOverride> settings;
    std::string ignored;
    int ignoredParts = 0;
};

int HexDigit(char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
}

// The address's escapes: %2C is a comma, + a blank.
std::string Decode(std::string_view text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 &&
            HexDigit(text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            decoded += text[i] == '+' ? ' ' : text[i];
        }
    }
    return decoded;
}

// A part as the warning names it: a control character escaped again, lest it end or garble the
// line, and a long part cut where a character starts.
std::string Named(const std::string& part) {
    std::string named;
    for (char c : part) {
        auto byte = static_cast<unsigned char>(c);
        if (named.size() >= NamedLength && (byte & 0xC0) != 0x80) {
            return named + "...";
        }
        if (byte < 0x20 || byte == 0x7F) {
            named += {'%', "0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 0xF]};
        } else {
            named += c;
        }
    }
    return named;
}

bool ParseBears(std::string_view value, bool* chosen) {
    bool any = false;
    while (!value.empty()) {
        std::size_t comma = value.find(',');
        std::string_view name = value.substr(0, comma);
        bool known = false;
        for (int c = 0; c < 5; ++c) {
            if (name == BearNames[c]) {
                chosen[c] = known = any = true;
            }
        }
        if (!known) {
            return false;
        }
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
    return any;
}

// A switch: named alone or =1 is on, =0 off.
bool ParseSwitch(const std::string& value, bool named, UINT* on) {
    if (!named || value == "1") {
        *on = 1;
    } else if (value == "0") {
        *on = 0;
    } else {
        return false;
    }
    return true;
}

bool ParseMinutes(const std::string& value, UINT* minutes) {
    if (value.empty() || value.size() > 2 ||
        value.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    *minutes = static_cast<UINT>(std::atoi(value.c_str()));
    return *minutes >= 1 && *minutes <= 60;
}

Address ParseAddress(std::string_view query) {
    Address address;
    if (!query.empty() && query.front() == '?') {
        query.remove_prefix(1);
    }
    auto ignore = [&address](const std::string& part, const char* why) {
        if (address.ignoredParts++ < NamedParts) {
            address.ignored +=
                (address.ignored.empty() ? "" : "; ") + Named(part) + " (" + why + ")";
        }
    };
    while (!query.empty()) {
        std::size_t amp = query.find('&');
        std::string part = Decode(query.substr(0, amp));
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
        if (part.empty()) {
            continue;
        }
        std::size_t equals = part.find('=');
        std::string name = model::Lower(part.substr(0, equals));
        std::string value =
            equals == std::string::npos ? "" : model::Lower(part.substr(equals + 1));
        UINT number = 0;
        bool chosen[5] = {};
        if (name == "bears") {
            if (!ParseBears(value, chosen)) {
                ignore(part, "takes red, blue, green, yellow, magenta");
                continue;
            }
            for (int c = 0; c < 5; ++c) {
                address.settings.push_back({ColorSettings[c].key, chosen[c] ? 1u : 0u});
            }
        } else if (name == "random" || name == "sound") {
            if (!ParseSwitch(value, equals != std::string::npos, &number)) {
                ignore(part, "takes nothing, 0 or 1");
                continue;
            }
            address.settings.push_back({name == "random" ? KeyRandom : KeySound, number});
        } else if (name == "minutes") {
            if (!ParseMinutes(value, &number)) {
                ignore(part, "takes 1 to 60");
                continue;
            }
            address.settings.push_back({KeyMinutes, number});
        } else {
            ignore(part, "not a setting");
        }
    }
    if (address.ignoredParts > NamedParts) {
        address.ignored += "; and " + std::to_string(address.ignoredParts - NamedParts) + " more";
    }
    return address;
}

} // namespace

void LoadSettings() {
    LoadProfileNames();
    if (char* saved = polkamoot_load_profile()) {
        model::SetProfileText(ProfileFile, saved);
        std::free(saved);
    }
    char* query = polkamoot_address();
    Address address = ParseAddress(query ? query : "");
    std::free(query);
    ApplySettingOverrides(address.settings);
    polkamoot_panel_note("address-note", !address.settings.empty());
    if (!address.ignored.empty()) {
        polkamoot_warn(("Polkamoot ignored in the address: " + address.ignored).c_str());
    }
}

Stored StoreSettings() {
    switch (polkamoot_store_profile(model::ProfileText(ProfileFile).c_str())) {
    case 1: return Stored::Kept;
    case 0: return Stored::Nowhere;
    default: return Stored::Refused;
    }
}

} // namespace polkamoot::web
