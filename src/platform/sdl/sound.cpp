// The cries through SDL's audio, with the meaning the saver gives sndPlaySoundA: a WAVE image
// in memory plays at once and in the background; with SND_NOSTOP a request while a sound plays
// is dropped, never queued; without it the new sound replaces the old; null stops. The device is
// opened when the saver first asks whether there is one: without one, waveOutGetNumDevs answers
// 0 and the saver keeps quiet, as on a machine without a wave device.
// Not supported: sounds by file or registry name, looping, waiting for the end (SND_SYNC).
#include "platform/model/model.h"
#include "platform/sdl/sdl.h"

#include <SDL.h>

#include <cstring>

namespace polkamoot {

namespace {

SDL_AudioDeviceID device;
SDL_AudioSpec deviceFormat;
bool opened;

bool Open() {
    if (!opened) {
        opened = true;
        SDL_AudioSpec wanted{};
        wanted.freq = 22050;
        wanted.format = AUDIO_U8;
        wanted.channels = 1;
        wanted.samples = 512;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceFormat, 0);
        }
        if (device) {
            SDL_PauseAudioDevice(device, 0);
        }
    }
    return device != 0;
}

// Queues the image's samples, converted to the device's format when another PCM format was stored;
// false for an image SDL cannot read.
bool Queue(const char* image) {
    SDL_AudioSpec wave;
    Uint8* samples = nullptr;
    Uint32 length = 0;
    SDL_RWops* source = SDL_RWFromConstMem(image, static_cast<int>(model::WaveImageSize(image)));
    if (!SDL_LoadWAV_RW(source, 1, &wave, &samples, &length)) {
        return false;
    }
    SDL_AudioCVT convert;
    int needed = SDL_BuildAudioCVT(&convert, wave.format, wave.channels, wave.freq,
                                   deviceFormat.format, deviceFormat.channels, deviceFormat.freq);
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
}

BOOL sndPlaySoundA(const char* sound, UINT flags) {
    if (!Open()) {
        return 0;
    }
    bool playing = SDL_GetQueuedAudioSize(device) > 0;
    if (sound && playing && (flags & SND_NOSTOP)) {
        return 0;
    }
    SDL_ClearQueuedAudio(device);
    return !sound || ((flags & SND_MEMORY) && Queue(sound));
}

UINT waveOutGetNumDevs() {
    return Open() ? 1 : 0;
}

} // namespace polkamoot
