// The Linux program: the settings come from the command line, the window from SDL, and the run
// is the host's own: its full-screen mode for -fullscreen, its preview mode everywhere else,
// where input never closes the saver.
#include "host/host.h"
#include "platform/model/model.h"
#include "platform/sdl/sdl.h"

#include <cstdio>
#include <cstdlib>

namespace {

using namespace polkamoot;

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

} // namespace

int main(int argc, char** argv) {
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
    model::SetProfileText("control.ini", sdl::ProfileText(options));
    if (!sdl::OpenDisplay(options)) {
        return 1;
    }
    int result = 0;
    do {
        HostState = HostRecord{}; // a run that refits starts as a fresh process would
        std::string text = sdl::BeginRun();
        result = HostMain(model::Instance(), text.c_str());
    } while (sdl::EndRun());
    sdl::CloseSound();
    sdl::CloseDisplay();
    return result;
}
