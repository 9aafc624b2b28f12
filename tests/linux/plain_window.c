/* A plain window for the tests and the benchmark: shown at the given size, its X window id
 * printed, then idle, woken every given number of milliseconds, until it is closed or killed.
 *   plain_window WIDTH HEIGHT [PERIOD] */
#include <SDL.h>
#include <SDL_syswm.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc < 3 || SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    int period = argc > 3 ? atoi(argv[3]) : 100;
    SDL_Window* window = SDL_CreateWindow("plain", 0, 0, atoi(argv[1]), atoi(argv[2]), 0);
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info)) {
        return 1;
    }
    printf("%lu\n", (unsigned long)info.info.x11.window);
    fflush(stdout);
    SDL_Event event;
    for (;;) {
        if (SDL_WaitEventTimeout(&event, period) && event.type == SDL_QUIT) {
            break;
        }
    }
    SDL_Quit();
    return 0;
}
