// The cries through SDL's audio, with the meaning the saver gives sndPlaySoundA: a WAVE image
// in memory plays at once and in the background; with SND_NOSTOP a request while a sound plays
// is dropped, never queued; without it the new sound replaces the old; null stops. The device is
// open only while a cry plays: SDL feeds an open device silence even when paused, which keeps
// the sound server awake. When the saver first asks whether there is a device, one is opened
// and closed to see; without one, waveOutGetNumDevs answers 0, the saver keeps quiet, as on a
// machine without a wave device, and the program says once why.
// Not supported: sounds by file or registry name, looping, waiting for the end (SND_SYNC).
#include "platform/model/model.h"
#include "platform/sdl/sdl.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace polkamoot {

namespace {

// What the driver holds after SDL took the last samples, with room to spare.
constexpr Uint32 PlayOutTicks = 100;

SDL_AudioDeviceID device;
int devices = -1; // not asked yet
bool emptied;     // SDL has taken every sample queued, since emptiedAt
Uint32 emptiedAt;

// SDL converts to the device's own format, so the cries are converted only to this one.
SDL_AudioSpec Format() {
    SDL_AudioSpec format{};
    format.freq = 22050;
    format.format = AUDIO_U8;
    format.channels = 1;
    format.samples = 512;
    return format;
}

// ALSA writes its complaints about a missing card to standard error itself: they go nowhere,
// and waveOutGetNumDevs says it in one line.
SDL_AudioDeviceID OpenDevice() {
    std::fflush(stderr);
    int kept = dup(STDERR_FILENO);
    int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (kept >= 0 && nowhere >= 0) {
        dup2(nowhere, STDERR_FILENO);
    }
    static const bool started = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    SDL_AudioSpec wanted = Format();
    SDL_AudioDeviceID opened = started ? SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0) : 0;
    if (kept >= 0) {
        dup2(kept, STDERR_FILENO);
        close(kept);
    }
    if (nowhere >= 0) {
        close(nowhere);
    }
    return opened;
}

// Queues the image's samples, converted to the format the device was opened with when another
// PCM format was stored; false for an image SDL cannot read.
bool Queue(const char* image) {
    SDL_AudioSpec wave;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(image, static_cast<int>(model::WaveImageSize(image)));
    if (!SDL_LoadWAV_RW(source, 1, &wave, &samples, &length)) {
        return false;
    }
    SDL_AudioCVT convert;
    SDL_AudioSpec format = Format();
    int needed = SDL_BuildAudioCVT(&convert, wave.format, wave.channels, wave.freq, format.format,
                                   format.channels, format.freq);
    bool queued = false;
    if (needed == 0) {
        queued = SDL_QueueAudio(device, samples, length) == 0;
    } else if (needed > 0) {
        convert.len = static_cast<int>(length);
        convert.buf = static_cast<Uint8*>(SDL_malloc(static_cast<std::size_t>(length) *
                                                     static_cast<std::size_t>(convert.len_mult)));
        if (convert.buf) {
            std::memcpy(convert.buf, samples, length);
            queued = SDL_ConvertAudio(&convert) == 0 &&
                     SDL_QueueAudio(device, convert.buf, static_cast<Uint32>(convert.len_cvt)) == 0;
            SDL_free(convert.buf);
        }
    }
    SDL_FreeWAV(samples);
    return queued;
}

} // namespace

void sdl::CloseSound() {
    if (device) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    emptied = false;
}

void sdl::CloseSoundAfterCry() {
    if (!device || SDL_GetQueuedAudioSize(device) > 0) {
        emptied = false;
    } else if (!emptied) {
        emptied = true;
        emptiedAt = SDL_GetTicks();
    } else if (SDL_GetTicks() - emptiedAt >= PlayOutTicks) {
        CloseSound();
    }
}

BOOL sndPlaySoundA(const char* sound, UINT flags) {
    if (!waveOutGetNumDevs()) {
        return 0;
    }
    bool playing = device && SDL_GetQueuedAudioSize(device) > 0;
    if (sound && playing && (flags & SND_NOSTOP)) {
        return 0;
    }
    if (!sound || !(flags & SND_MEMORY)) {
        sdl::CloseSound();
        return !sound;
    }
    if (device) {
        SDL_ClearQueuedAudio(device);
    } else if (!(device = OpenDevice())) {
        return 0;
    }
    bool queued = Queue(sound);
    emptied = false;
    SDL_PauseAudioDevice(device, 0);
    return queued;
}

UINT waveOutGetNumDevs() {
    if (devices < 0) {
        SDL_AudioDeviceID probe = OpenDevice();
        devices = probe ? 1 : 0;
        if (probe) {
            SDL_CloseAudioDevice(probe);
        } else {
            std::fputs("polkamoot: sound is off: there is no audio device\n", stderr);
        }
    }
    return static_cast<UINT>(devices);
}

} // namespace polkamoot
