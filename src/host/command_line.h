// The argument text and its one-letter switch. Pure functions: no platform calls.
#pragma once

#include "host/host.h"

#include <cstdint>

namespace polkamoot {

// The text after the program name; the name is stepped by characters of the given code page.
const char* ArgumentText(const char* commandLine, const CPINFO& codePage);

struct Command {
    RunMode mode;
    bool overForeground; // Configure: owned by the foreground window rather than by none
    const char* rest;    // Preview, ChangePassword: the text after the letter and its spaces
};

Command ParseCommand(const char* text);

std::uint32_t ParseDecimalHandle(const char* text);

} // namespace polkamoot
