/* The reference for the Linux program's cost: an SDL window of the given size, idle, woken
 * every given number of milliseconds, until it is closed or killed.
 *   idle_window WIDTH HEIGHT [PERIOD] */
#include <SDL.h>

#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc < 3 || SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    int period = argc > 3 ? atoi(argv[3]) : 100;
    SDL_Window* window = SDL_CreateWindow("idle", 0, 0, atoi(argv[1]), atoi(argv[2]), 0);
    if (!window) {
        return 1;
    }
    SDL_Event event;
    for (;;) {
        if (SDL_WaitEventTimeout(&event, period) && event.type == SDL_QUIT) {
            break;
        }
    }
    SDL_Quit();
    return 0;
}
