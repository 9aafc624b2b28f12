// The Linux program: the settings come from the command line, the window from SDL, and the run
// is the host's own: its full-screen mode for -fullscreen, its preview mode everywhere else,
// where input never closes the saver. Between ticks the program sleeps in SDL_WaitEventTimeout
// until input or the next timer. A window that changes size ends the run, and another fits it;
// SIGTERM, SIGINT, SIGHUP and SIGQUIT, or the end of the window drawn into, end the last one
// cleanly.
#include "host/host.h"
#include "platform/model/model.h"
#include "platform/sdl/sdl.h"
#include "settings/settings_store.h"

#include <SDL.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace polkamoot {

namespace {

constexpr DWORD LongestWait = 250; // when no timer would end the wait

struct Run {
    sdl::Place place = sdl::Place::OwnWindow;
    int width = 0;
    int height = 0;
    HWND parent = nullptr; // a preview's: the model's stand-in for the window drawn into
    bool refit = false;
    bool closing = false;
};

Run run;
volatile std::sig_atomic_t stopRequested;

void OnSignal(int) {
    stopRequested = 1;
}

// First of all: xscreensaver may end the program while SDL is still starting. SA_RESTART
// keeps Xlib's connecting and reading from failing half way; the wait for events wakes anyway.
void CatchEndSignals() {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESTART;
    for (int number : {SIGTERM, SIGINT, SIGHUP, SIGQUIT}) {
        sigaction(number, &action, nullptr);
    }
}

// -root draws where xscreensaver says, else on the root window.
bool FindRootWindow(sdl::Options* options, std::string* error) {
    const char* named = std::getenv("XSCREENSAVER_WINDOW");
    if (options->place != sdl::Place::Root || !named) {
        return true;
    }
    if (!sdl::ParseWindowId(named, &options->windowId)) {
        *error = "XSCREENSAVER_WINDOW holds no window id (decimal or 0x hex)";
        return false;
    }
    return true;
}

// Asks the saver to close; a refit then runs it again.
void Close() {
    if (!run.closing) {
        run.closing = true;
        PostMessageA(HostState.saverWindow, WM_CLOSE, 0, 0);
    }
}

void Refit() {
    run.refit = true;
    Close();
}

void Handle(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT: Close(); break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) {
            sdl::PresentAll();
        } else if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED &&
                   (event.window.data1 != run.width || event.window.data2 != run.height)) {
            Refit();
        }
        break;
    case SDL_KEYDOWN:
        if (run.place == sdl::Place::OwnWindow &&
            (event.key.keysym.sym == SDLK_ESCAPE || event.key.keysym.sym == SDLK_q)) {
            Close();
        }
        PostSaverInput(WM_KEYDOWN, static_cast<WPARAM>(event.key.keysym.sym));
        break;
    case SDL_MOUSEBUTTONDOWN:
        PostSaverInput(event.button.button == SDL_BUTTON_RIGHT    ? WM_RBUTTONDOWN
                       : event.button.button == SDL_BUTTON_MIDDLE ? WM_MBUTTONDOWN
                                                                  : WM_LBUTTONDOWN,
                       0);
        break;
    case SDL_MOUSEMOTION: PostSaverInput(WM_MOUSEMOVE, 0); break;
    default: break;
    }
}

// The argument text that runs the saver once, in the window as it is now; false, after a
// message, when the window cannot be drawn in.
bool StartRun(std::string* text) {
    ResetHost(model::Instance());
    model::UnregisterClasses();
    if (!sdl::StartDisplay(&run.width, &run.height)) {
        return false;
    }
    run.refit = false;
    run.closing = false;
    if (run.place == sdl::Place::FullScreen) {
        *text = "/s";
        return true;
    }
    model::WindowInfo parent;
    parent.className = "PolkamootHost";
    parent.width = run.width;
    parent.height = run.height;
    run.parent = model::AddWindow(parent);
    *text = "/p " + std::to_string(reinterpret_cast<std::uintptr_t>(run.parent));
    return true;
}

// True when the window changed size and the saver is to run again to fit it.
bool EndRun() {
    if (run.parent) {
        DestroyWindow(run.parent);
        run.parent = nullptr;
    }
    return run.refit && !stopRequested && !sdl::WindowGone() && sdl::ReopenDisplay();
}

} // namespace

bool backend::WaitForMessages(DWORD timeout) {
    sdl::Present();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min(timeout, LongestWait)))) {
        do {
            Handle(event);
        } while (SDL_PollEvent(&event));
    }
    sdl::CloseSoundAfterCry();
    if (sdl::ForeignWindowResized()) {
        Refit();
    }
    if (stopRequested || sdl::WindowGone()) {
        Close();
    }
    return true;
}

} // namespace polkamoot

int main(int argc, char** argv) {
    using namespace polkamoot;
    CatchEndSignals();
    sdl::Options options;
    std::string error;
    if (!sdl::ParseOptions(argc, argv, &options, &error) || !FindRootWindow(&options, &error)) {
        std::fprintf(stderr, "polkamoot: %s\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(sdl::Usage, stdout);
        return 0;
    }
    ResetHost(model::Instance()); // the profile's names are among its strings
    LoadProfileNames();
    ApplySettingOverrides(options.settings);
    if (!sdl::OpenDisplay(options)) {
        return 1;
    }
    run.place = options.place;
    int result = 0;
    std::string text;
    do {
        if (!StartRun(&text)) {
            result = 1;
            break;
        }
        result = HostMain(model::Instance(), text.c_str());
    } while (EndRun());
    sdl::CloseSound();
    sdl::CloseDisplay();
    return result;
}
