// Private to the Linux backend: what its files share. main.cpp runs the saver and waits for
// events; display.cpp owns the window drawn into and shows what the saver drew there.
#pragma once

#include "platform/sdl/options.h"

namespace polkamoot::sdl {

// Opens the display and the window the options name (Root with windowId 0: the root window), and
// sets the model's density. False after a message on standard error.
bool OpenDisplay(const Options& options);
void CloseDisplay();
// Readies the frame buffer for one run, black and shown, at the window's size now; gives that
// size, which is also the model's screen, and sets the scale for it. False after a message when
// there is no frame buffer that size.
bool StartDisplay(int* width, int* height);
// Shows the rectangles drawn since the last call; all of the picture, after an exposure.
void Present();
void PresentAll();
// Another program's window, drawn into: true when its size is no longer the run's. A window that
// has gone changes no size, but WindowGone says so from then on.
bool ForeignWindowResized();
bool WindowGone();
// Before the run that fits a new size: false, after a message, when the window is gone.
bool ReopenDisplay();

// Closes the audio device once a cry has played out, so that it streams no silence between.
void CloseSoundAfterCry();
void CloseSound();

} // namespace polkamoot::sdl
