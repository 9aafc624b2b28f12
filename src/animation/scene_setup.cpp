// The troupe built when the saver window is created: colorings, sounds, size, places, timers.
#include "animation/animation.h"
#include "animation/placement.h"
#include "animation/random.h"
#include "animation/scene.h"
#include "host/host.h"
#include "settings/settings_store.h"
#include "sprites/color_maps.h"
#include "sprites/recolor.h"

#include <algorithm>

namespace polkamoot {

namespace {

using FrameNames = const char* const[OwnFrames];

constexpr FrameNames RightFrameNames = {"bear1R", "bear2R", "bear3R", "bear4R", "bear5R"};
constexpr FrameNames LeftFrameNames = {"bear1L", "bear2L", "bear3L", "bear4L", "bear5L"};
// By troupe position, not by color.
constexpr const char* SoundNames[MaxBears] = {"SND_OW", "SND_OOH", "SND_MMM", "SND_HEY",
                                              "SND_OOH2"};
constexpr char SoundType[] = "WAVE";
constexpr DWORD MillisecondsPerMinute = 60000;

bool LoadSources(FrameNames& names, HBITMAP (&sources)[OwnFrames]) {
    for (int k = 0; k < OwnFrames; ++k) {
        sources[k] = LoadBitmapA(HostState.instance, names[k]);
        if (!sources[k]) {
            return false;
        }
    }
    return true;
}

bool RecolorForEveryBear(const HBITMAP (&sources)[OwnFrames], FrameSet Bear::*set) {
    for (int i = 0; i < BearCount; ++i) {
        Bear& bear = Bears[i];
        FrameSet& frames = bear.*set;
        for (int k = 0; k < OwnFrames; ++k) {
            frames[k] = RecolorBitmap(sources[k], ColorMaps[0], ColorMaps[bear.colorIndex],
                                      sizeof(ColorMap));
            if (!frames[k]) {
                return false;
            }
        }
        RepeatFrames(frames);
    }
    return true;
}

// The source frames go whether or not every bear got its copies.
bool BuildFrames(FrameNames& names, FrameSet Bear::*set) {
    HBITMAP sources[OwnFrames] = {};
    bool built = LoadSources(names, sources) && RecolorForEveryBear(sources, set);
    for (HBITMAP source : sources) {
        if (source) {
            DeleteObject(source);
        }
    }
    return built;
}

// A sound that is missing or will not load leaves its bear silent.
void LoadSounds() {
    for (int i = 0; i < BearCount; ++i) {
        Bear& bear = Bears[i];
        HRSRC found = FindResourceA(HostState.instance, SoundNames[i], SoundType);
        if (!found) {
            continue;
        }
        bear.soundResource = LoadResource(HostState.instance, found);
        if (bear.soundResource) {
            bear.soundData = LockResource(bear.soundResource);
        }
    }
}

UINT SwapPeriod(WORD minutes) {
    return UINT{std::max(minutes, ShortestSwapMinutes)} * MillisecondsPerMinute;
}

// GetDpiForSystem, where the system has it, knows the density of a system that sets one per
// monitor; older ones tell it through the screen's context.
int SystemDpi() {
    using DpiForSystemProc = UINT(PLATFORM_API*)();
    HMODULE user = GetModuleHandleA("USER32.DLL");
    auto dpiForSystem =
        user ? reinterpret_cast<DpiForSystemProc>(GetProcAddress(user, "GetDpiForSystem"))
             : nullptr;
    if (dpiForSystem) {
        return static_cast<int>(dpiForSystem());
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

// Only a bear both shrunk and scaled needs it; without it such a bear is drawn in one copy.
void MakeShrunkCanvas(HWND window) {
    Size drawn = Scene.DrawSize;
    if (Scene.Scale == 1 || drawn == Size{Scene.SpriteSize.bmWidth, Scene.SpriteSize.bmHeight}) {
        return;
    }
    HDC dc = GetDC(window);
    if (dc) {
        Scene.Shrunk = CreateCompatibleBitmap(dc, drawn.width, drawn.height);
        ReleaseDC(window, dc);
    }
}

// Handles left from an earlier window of this process are not this scene's to release.
void ForgetHoldings(Bear& bear) {
    Bear fresh{};
    fresh.colorIndex = bear.colorIndex;
    bear = fresh;
}

} // namespace

bool SetUpScene(HWND window) {
    ResetScene();
    LoadProfileNames();
    ReadSettings();
    for (int i = 0; i < BearCount; ++i) {
        ForgetHoldings(Bears[i]);
    }

    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    StartRandom(static_cast<DWORD>(time(nullptr)));
    if (Settings.Random) {
        for (int i = 0; i < BearCount; ++i) {
            Bears[i].colorIndex = DrawRandom() % ColorMapCount;
        }
    }
    bool built = BuildFrames(RightFrameNames, &Bear::rightFrames) &&
                 BuildFrames(LeftFrameNames, &Bear::leftFrames);
    SetCursor(kept);
    if (!built) {
        DestroyWindow(window);
        return false;
    }

    if (Settings.Sound) {
        LoadSounds();
    }
    GetClientRect(window, &Scene.ClientRect);
    Scene.Scale = ScaleForDpi(SystemDpi());
    Scene.TroupeSpace =
        RECT{0, 0, Scene.ClientRect.right / Scene.Scale, Scene.ClientRect.bottom / Scene.Scale};
    GetObjectA(Bears[0].rightFrames[0], sizeof(BITMAP), &Scene.SpriteSize);
    Scene.DrawSize =
        FitDrawSize(Scene.TroupeSpace, Size{Scene.SpriteSize.bmWidth, Scene.SpriteSize.bmHeight},
                    &Scene.BearSpeed);
    MakeShrunkCanvas(window);
    int placed = PlaceBears(BearCount, Scene.TroupeSpace, Scene.DrawSize, Scene.BearSpeed);
    for (int i = placed; i < BearCount; ++i) {
        ReleaseBear(Bears[i]);
    }
    BearCount = placed;

    Scene.FrameTimerStarted = LOWORD(SetTimer(window, FrameTimer, Scene.FramePeriod, nullptr));
    if (Settings.Random) {
        Scene.SwapTimerStarted =
            LOWORD(SetTimer(window, SwapTimer, SwapPeriod(Settings.Minutes), nullptr));
    }
    return true;
}

} // namespace polkamoot
