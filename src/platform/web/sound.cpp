// The cries through Web Audio, with the meaning the saver gives sndPlaySoundA: a WAVE image in
// memory plays at once and in the background; with SND_NOSTOP a request while a sound plays is
// dropped, never queued; without it the new sound replaces the old; null stops. A browser that
// has Web Audio counts as one wave device. The browser lets a page sound only after a gesture
// that it counts as the user's, so the page's audio starts at the first such key or button
// press while the scene wants sound, and never for a scene without it; every cry asked for while
// the audio does not run is dropped, and a hidden page's audio sleeps.
// Not supported: sounds by file or registry name, looping, waiting for the end (SND_SYNC).
#include "platform/model/model.h"
#include "platform/web/web.h"
#include "settings/settings_store.h"

namespace polkamoot {

// Outside the panel's calls the record is the running scene's.
void web::Gesture() {
    if (Settings.Sound) {
        polkamoot_audio_unlock();
    }
}

void web::Audible(bool shown) {
    polkamoot_audio_want(shown && Settings.Sound);
}

BOOL sndPlaySoundA(const char* sound, UINT flags) {
    if (!sound) {
        polkamoot_audio_stop();
        return 1;
    }
    if (!(flags & SND_MEMORY) || ((flags & SND_NOSTOP) && polkamoot_audio_playing())) {
        return 0;
    }
    unsigned size = model::WaveImageSize(sound);
    return size && polkamoot_audio_play(sound, size);
}

UINT waveOutGetNumDevs() {
    return polkamoot_audio_devices() ? 1 : 0;
}

} // namespace polkamoot
