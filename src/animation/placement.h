// Sizing the bears to the window and placing them apart: no platform, only the troupe and the
// shared random generator.
#pragma once

#include "animation/scene.h"
#include "animation/troupe.h"

namespace polkamoot {

inline constexpr int PositionDrawsPerBear = 1000;
inline constexpr int PlacementRounds = 4;

// Window pixels per pixel of the troupe's space for a screen of that density (dots per inch):
// 96 is the classic screen, and the nearest whole multiple of it wins, 1 at the least.
int ScaleForDpi(int dpi);

// The size every frame is drawn at. A window narrower or lower than a sprite, or with no
// room to place one inside a one-pixel margin, gets bears a sixth of its width wide (a sixth
// of its height high, when the first would not fit the height) and a sixth of the speed.
// Never less than 1 x 1.
Size FitDrawSize(const RECT& space, Size sprite, int* speed);

inline constexpr int NoOverlap = 0;

// Whether the bear overlaps one of bears `startIndex` down to 0 (skipping `selfIndex`): their
// top-left corners within one drawn size on both axes, touching included. Returns NoOverlap, or
// the troupe position + 1 of the first it overlaps.
int BearsOverlap(const Bear& bear, int selfIndex, int startIndex, int width, int height);

// How many of the first `count` bears could be given a direction, a frame and a place clear
// of the others (at least 1): a bear that finds no place in a bounded number of draws starts
// the placement over, and after a few such rounds the last bear is left out.
int PlaceBears(int count, const RECT& space, Size drawn, int speed);

} // namespace polkamoot
