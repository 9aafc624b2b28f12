// Private to the Linux backend: what its entry asks of the display and the sound.
#pragma once

#include "platform/sdl/options.h"

#include <string>

namespace polkamoot::sdl {

// Opens the display and the window the options name (Root with windowId 0: the root window).
// False after a message on standard error.
bool OpenDisplay(const Options& options);
// Readies one run of the saver and returns the argument text that runs it.
std::string BeginRun();
// After a run: true when the window changed size and the saver is to run again to fit it.
bool EndRun();
void CloseDisplay();

void CloseSound();

} // namespace polkamoot::sdl
