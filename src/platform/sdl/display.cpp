// The Linux display: one SDL window, the program's own (resizable, or covering the screen) or
// another program's X window that the saver draws into. The model paints the saver's window
// straight into SDL's software frame buffer (or, in a format of its own, is copied there), and
// only the rectangles that changed are presented.
//
// SDL selects no events on a window it did not make, so the program selects exposures and
// size changes there itself, on SDL's connection, where SDL turns them into its window events.
// Its size is also read at every wake-up (ForeignWindowResized).
// Not supported: more than one screen, drawing the saver's window anywhere but at the top left.
#include "platform/model/model.h"
#include "platform/sdl/sdl.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace polkamoot {

namespace {

constexpr Uint32 ModelFormat = SDL_PIXELFORMAT_RGB888;
// The largest screen X drivers make: a window larger than that is no screen, and its frame buffer
// would take gigabytes, or more bytes than SDL can count.
constexpr std::int64_t MostPixels = std::int64_t{16384} * 16384;

struct Screen {
    SDL_Window* window = nullptr;
    unsigned long foreign = 0; // another program's X window
    ::Display* x11 = nullptr;
    bool lost = false;              // the foreign window is gone
    SDL_Surface* surface = nullptr; // for one run: a resize frees it at the next asking
    bool lent = false;
    int width = 0;
    int height = 0;
    int scale = 1; // as the options or the display ask, before the window's size caps it
    HWND painted = nullptr;
    std::vector<RECT> damage;
};

Screen screen;

// Xlib's own handler ends the process on any error, and SDL's hands on to it. A window that is
// already gone, a message SDL sends it late included, ends nothing but a drawing into the
// foreign window, and then the run.
int OnXError(::Display*, XErrorEvent* error) {
    if (screen.foreign && error->resourceid == screen.foreign &&
        (error->error_code == BadWindow || error->error_code == BadDrawable)) {
        screen.lost = true;
    }
    return 0;
}

bool Fail(const char* what) {
    std::fprintf(stderr, "polkamoot: %s: %s\n", what, SDL_GetError());
    return false;
}

// The saver's pixels within `rect` into the frame buffer, unless they are there already.
void Copy(const model::Canvas& canvas, const SDL_Rect& rect) {
    SDL_Surface* surface = screen.surface;
    if (canvas.pixels == surface->pixels) {
        return;
    }
    const DWORD* from = canvas.pixels + static_cast<std::size_t>(rect.y) * canvas.width + rect.x;
    auto* to = static_cast<Uint8*>(surface->pixels) + rect.y * surface->pitch +
               rect.x * surface->format->BytesPerPixel;
    SDL_ConvertPixels(rect.w, rect.h, ModelFormat, from, canvas.width * 4, surface->format->format,
                      to, surface->pitch);
}

SDL_Rect Bounds(const model::Canvas& canvas) {
    return SDL_Rect{0, 0, std::min(screen.surface->w, canvas.width),
                    std::min(screen.surface->h, canvas.height)};
}

bool OpenForeign() {
    screen.window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(screen.foreign));
    if (!screen.window) {
        return false;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(screen.window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    screen.x11 = info.info.x11.display;
    XWindowAttributes attributes{};
    XGetWindowAttributes(screen.x11, screen.foreign, &attributes);
    XSelectInput(screen.x11, screen.foreign,
                 attributes.your_event_mask | ExposureMask | StructureNotifyMask);
    return true;
}

// Xft.dpi where the session's resource database sets it (xrdb), else 0.
double ResourceDpi(::Display* display) {
    const char* resources = XResourceManagerString(display);
    if (!resources) {
        return 0;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    double dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        char* end = nullptr;
        dpi = std::strtod(value.addr, &end);
        dpi = end != value.addr && std::isfinite(dpi) ? dpi : 0;
    }
    XrmDestroyDatabase(database);
    return dpi;
}

// Before SDL draws, on a connection of its own (SDL lends its own only with a window): the
// display scale, and the window to draw into, which has to exist. SDL given an id that names no
// window ends the process in Xlib's own error report.
bool Probe(const sdl::Options& options) {
    ::Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "polkamoot: cannot open display %s\n", XDisplayName(nullptr));
        return false;
    }
    int number = DefaultScreen(display);
    int side = std::min(DisplayWidth(display, number), DisplayHeight(display, number));
    screen.scale = sdl::ChooseScale(options.scale, ResourceDpi(display), side);
    bool found = true;
    if (options.place == sdl::Place::Root || options.place == sdl::Place::WindowId) {
        unsigned long id = options.windowId ? options.windowId : DefaultRootWindow(display);
        XWindowAttributes attributes{};
        found = XGetWindowAttributes(display, id, &attributes) != 0;
        if (found) {
            screen.foreign = id;
        } else {
            std::fprintf(
                stderr, "polkamoot: %s 0x%lx names no window\n",
                options.place == sdl::Place::WindowId ? "-window-id" : "XSCREENSAVER_WINDOW", id);
        }
    }
    XCloseDisplay(display);
    return found;
}

} // namespace

// The frame buffer itself, when the model's format is the display's, for the one window shown.
DWORD* backend::WindowPixels(HWND, int width, int height) {
    SDL_Surface* surface = screen.surface;
    if (screen.lent || !surface || surface->w != width || surface->h != height ||
        surface->format->format != ModelFormat || surface->pitch != width * 4) {
        return nullptr;
    }
    screen.lent = true;
    return static_cast<DWORD*>(surface->pixels);
}

void backend::Painted(HWND window, const RECT& rect) {
    screen.painted = window;
    model::AddDamage(screen.damage, rect);
}

void sdl::Present() {
    const model::Canvas* canvas = model::Surface(screen.painted);
    if (screen.surface && canvas && !screen.damage.empty()) {
        SDL_Rect bounds = Bounds(*canvas);
        std::vector<SDL_Rect> shown;
        for (const RECT& changed : screen.damage) {
            SDL_Rect rect{changed.left, changed.top, changed.right - changed.left,
                          changed.bottom - changed.top};
            if (SDL_IntersectRect(&rect, &bounds, &rect)) {
                Copy(*canvas, rect);
                shown.push_back(rect);
            }
        }
        SDL_UpdateWindowSurfaceRects(screen.window, shown.data(), static_cast<int>(shown.size()));
    }
    screen.damage.clear();
}

void sdl::PresentAll() {
    if (!screen.surface) {
        return;
    }
    if (const model::Canvas* canvas = model::Surface(screen.painted)) {
        Copy(*canvas, Bounds(*canvas));
    }
    SDL_UpdateWindowSurface(screen.window);
    screen.damage.clear();
}

bool sdl::ForeignWindowResized() {
    if (!screen.foreign || screen.lost) {
        return false;
    }
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(screen.x11, screen.foreign, &attributes)) {
        screen.lost = true;
        return false;
    }
    return attributes.width != screen.width || attributes.height != screen.height;
}

bool sdl::WindowGone() {
    return screen.lost;
}

bool sdl::OpenDisplay(const Options& options) {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The X server's own images: a frame buffer behind OpenGL costs more than it saves here.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A screen saver must not hold other screen savers off.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // Set before SDL starts as well, since SDL puts back the handler it found when it quits,
    // before it closes its connections and meets the errors still pending on them.
    XSetErrorHandler(OnXError);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return Fail("no display");
    }
    XSetErrorHandler(OnXError);
    if (!Probe(options)) {
        return false;
    }
    SDL_DisplayMode mode{};
    switch (options.place) {
    case Place::OwnWindow:
        screen.window = SDL_CreateWindow("Polkamoot", SDL_WINDOWPOS_CENTERED,
                                         SDL_WINDOWPOS_CENTERED, 800, 600, SDL_WINDOW_RESIZABLE);
        break;
    case Place::FullScreen:
        SDL_GetDesktopDisplayMode(0, &mode);
        screen.window = SDL_CreateWindow("Polkamoot", 0, 0, mode.w, mode.h,
                                         SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS);
        SDL_ShowCursor(SDL_DISABLE);
        break;
    case Place::Root:
    case Place::WindowId:
        if (!OpenForeign()) {
            std::fprintf(stderr, "polkamoot: cannot draw into window 0x%lx: %s\n", screen.foreign,
                         SDL_GetError());
            return false;
        }
        break;
    }
    return screen.window || Fail("no window");
}

bool sdl::StartDisplay(int* width, int* height) {
    SDL_GetWindowSize(screen.window, &screen.width, &screen.height);
    model::SetScreenSize(screen.width, screen.height);
    model::SetScreenDpi(96 * sdl::ScaleThatFits(screen.scale, screen.width, screen.height));
    screen.painted = nullptr;
    screen.lent = false;
    bool sane = std::int64_t{screen.width} * screen.height <= MostPixels;
    screen.surface = sane ? SDL_GetWindowSurface(screen.window) : nullptr;
    if (!screen.surface && !screen.lost) {
        std::fprintf(stderr, "polkamoot: no picture for a window of %d x %d pixels: %s\n",
                     screen.width, screen.height, sane ? SDL_GetError() : "larger than any screen");
        return false;
    }
    if (screen.surface) {
        SDL_FillRect(screen.surface, nullptr, SDL_MapRGB(screen.surface->format, 0, 0, 0));
    }
    PresentAll();
    *width = screen.width;
    *height = screen.height;
    return true;
}

bool sdl::ReopenDisplay() {
    if (!screen.foreign) {
        return true;
    }
    SDL_DestroyWindow(screen.window);
    return OpenForeign() || Fail("the window is gone");
}

void sdl::CloseDisplay() {
    SDL_DestroyWindow(screen.window);
    SDL_Quit();
}

} // namespace polkamoot
