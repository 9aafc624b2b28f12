// Private to the web backend: what its files share, and the page's side of it (page.js), which
// owns everything of the browser that emscripten's HTML5 API does not reach: the canvas's
// pixels, full screen, the settings panel's controls, Web Audio and localStorage.
#pragma once

#include "platform/platform.h"

namespace polkamoot::web {

// main.cpp: the runs, one at a time, a preview run in the page or a full-screen run. Pump
// dispatches what is due and shows what changed; the browser calls it, never the reverse. A
// hidden page pumps nothing until it shows again.
void Pump();
// Ends the run and starts another that fits the page as it is now.
void Refit();
bool InFullScreen();

// display.cpp: the canvas, in device pixels, at the integer scale nearest the device pixel ratio.
struct Size {
    int width = 0;
    int height = 0;
    int scale = 1;
    bool operator==(const Size&) const = default;
};
Size PageSize();
// Readies the canvas for a run of that size, black; the model's screen is the same.
void StartDisplay(const Size& size);
// Shows the rectangles drawn on the window since the last call.
void Present(HWND window);

// system.cpp: the pointer's place on the screen, as the last mouse event gave it.
void MoveCursor(POINT at);

// options.cpp: the settings, the saved profile text, then what the address names over it.
void LoadSettings();
enum class Stored { Kept, Nowhere, Refused };
// Stores the profile as it is now: Nowhere when the browser keeps nothing for the page at all,
// Refused when it would not keep this (its storage full).
Stored StoreSettings();

// dialog.cpp: the settings panel, the configuration dialog's procedure over the page's controls.
void OpenPanel();
bool PanelOpen();
void PanelCommand(int id);

// sound.cpp: sound starts only after a gesture of the user's that the browser counts as one, a
// key or button press, and only while the running scene wants it.
void Gesture();
// The page shows or hides: a hidden one is silent.
void Audible(bool shown);

} // namespace polkamoot::web

// page.js
extern "C" {
// Listens to the page's own controls (the corner's buttons, the panel, double clicks), to its
// showing and hiding, and to the screen's density.
void polkamoot_page_open();
// The page's size in device pixels, width and height, and the integer scale nearest the
// device pixel ratio.
void polkamoot_page_size(int* size);
// Gives the canvas that many pixels, black.
void polkamoot_size_canvas(int width, int height);
// Shows `width` x `height` RGBA pixels within the rectangle.
void polkamoot_present(const void* rgba, int width, int height, int x, int y, int w, int h);
void polkamoot_set_cursor(int shown);
void polkamoot_leave_full_screen();
// Strings handed back are the caller's to free.
char* polkamoot_address();
char* polkamoot_load_profile();
// 1 kept, 0 no storage for the page, -1 refused.
int polkamoot_store_profile(const char* text);
void polkamoot_warn(const char* text);
void polkamoot_panel_show(int shown);
void polkamoot_control_check(int id, int checked);
int polkamoot_control_checked(int id);
void polkamoot_control_enable(int id, int enabled);
void polkamoot_control_focus(int id);
void polkamoot_control_set_text(int id, const char* text);
char* polkamoot_control_text(int id);
void polkamoot_panel_message(const char* caption, const char* text);
// Shows or hides the panel's note of that id.
void polkamoot_panel_note(const char* id, int shown);
int polkamoot_audio_devices();
// Starts the page's audio within a gesture that lets it, and wakes it when it slept.
void polkamoot_audio_unlock();
// Stops the cry and lets the audio sleep; or wakes audio that was started.
void polkamoot_audio_want(int wanted);
int polkamoot_audio_play(const void* image, unsigned size);
int polkamoot_audio_playing();
void polkamoot_audio_stop();
}
