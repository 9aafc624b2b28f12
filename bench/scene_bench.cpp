// The troupe of five on an 800 x 600 screen, on the fake platform's pixel arrays: one frame
// tick against its motion alone, and the same on a screen of twice the density and size, and the
// whole setup (ten frames in five colorings, sounds,
// placement, timers) against the bare loading of the ten frames that any setup pays; and the
// settings read from a profile of a few megabytes against one of our section alone.
#include "animation/animation.h"
#include "animation/scene.h"
#include "animation/step_bear.h"
#include "fake/fake.h"
#include "host/host.h"
#include "settings/settings_store.h"

#include <benchmark/benchmark.h>

#include <string>

namespace polkamoot {
namespace {

constexpr int ClearLogsEvery = 1024; // the fake keeps every drawing

HWND FiveBearSaver(int scale = 1) {
    fake::Reset();
    fake::SetScreenDpi(96 * scale);
    HostState = HostRecord{};
    HostState.instance = fake::Instance();
    Settings = SettingsRecord{};
    fake::SetScreenSize(800 * scale, 600 * scale);
    fake::machine.calendarTime = 1700000000;
    fake::SetProfileText("control.ini", "[ScreenSaver.Polkamoot]\r\nRed=1\r\nBlue=1\r\nGreen=1\r\n"
                                        "Yellow=1\r\nMagenta=1\r\n");
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = HostFrameProc;
    windowClass.lpszClassName = "WindowsScreenSaverClass";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "Screen Saver", WS_POPUP | WS_VISIBLE, 0,
                           0, 800 * scale, 600 * scale, nullptr, nullptr, HostState.instance,
                           nullptr);
}

void MotionOnly(benchmark::State& state) {
    DestroyWindow(FiveBearSaver());
    for (auto _ : state) {
        for (int i = 0; i < BearCount; ++i) {
            StepPlan plan = PlanStep(Bears[i], i, Scene.TroupeSpace, Scene.DrawSize);
            benchmark::DoNotOptimize(plan);
        }
    }
    state.counters["bears"] = BearCount;
}

void WholeTick(benchmark::State& state) {
    HWND window = FiveBearSaver(static_cast<int>(state.range(0)));
    int ticks = 0;
    for (auto _ : state) {
        FrameTick(window);
        if (++ticks % ClearLogsEvery == 0) {
            fake::machine.paintings.clear();
        }
    }
    state.counters["bears"] = BearCount;
    state.counters["bitmaps"] = fake::Live(fake::Kind::Bitmap);
    DestroyWindow(window);
}

void WholeSetup(benchmark::State& state) {
    for (auto _ : state) {
        HWND window = FiveBearSaver();
        benchmark::DoNotOptimize(window);
        DestroyWindow(window);
    }
}

void FramesLoadedOnly(benchmark::State& state) {
    DestroyWindow(FiveBearSaver());
    const char* names[] = {"bear1R", "bear2R", "bear3R", "bear4R", "bear5R",
                           "bear1L", "bear2L", "bear3L", "bear4L", "bear5L"};
    for (auto _ : state) {
        for (const char* name : names) {
            DeleteObject(LoadBitmapA(HostState.instance, name));
        }
    }
}

// Other programs' keys before ours, as in a shared profile: `lines` of them.
void SettingsRead(benchmark::State& state) {
    std::string text = "[Other]\r\n";
    for (int i = 0; i < state.range(0); ++i) {
        text += "Key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    fake::Reset();
    HostState.instance = fake::Instance();
    fake::SetProfileText("control.ini", text + "[ScreenSaver.Polkamoot]\r\nRed=0\r\nBlue=1\r\n");
    LoadProfileNames();
    for (auto _ : state) {
        ReadSettings();
        benchmark::DoNotOptimize(Settings);
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

BENCHMARK(MotionOnly)->Name("FrameTick/FiveBears/MotionOnly");
BENCHMARK(WholeTick)->Name("FrameTick/FiveBears/DrawnOnTheFake")->Arg(1);
BENCHMARK(WholeTick)->Name("FrameTick/FiveBears/DrawnOnTheFake/DoubleDensity")->Arg(2);
BENCHMARK(FramesLoadedOnly)->Name("Setup/TenFramesLoadedOnly")->Unit(benchmark::kMillisecond);
BENCHMARK(WholeSetup)->Name("Setup/FiveBears")->Unit(benchmark::kMillisecond);
BENCHMARK(SettingsRead)->Name("Settings/Read/OurSectionAlone")->Arg(0);
BENCHMARK(SettingsRead)
    ->Name("Settings/Read/BehindOtherKeys")
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace polkamoot

BENCHMARK_MAIN();
