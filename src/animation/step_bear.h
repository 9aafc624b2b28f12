// One bear's tick: dance frame, move, bounce off the edges and the other bears, turn, draw,
// and blacken what it left. The motion is plain arithmetic on the troupe; StepBear hands its
// outcome to the platform.
#pragma once

#include "animation/scene.h"
#include "animation/troupe.h"

namespace polkamoot {

// What a tick asks of the platform for one bear.
struct StepPlan {
    HBITMAP frame;    // drawn at the bear's settled position
    RECT columnsLeft; // the columns left behind, over the old rows; empty if none
    RECT rowsLeft;    // the rows left behind, over the old columns; empty if none
    int cries;        // one sound request per edge bounced off
};

// Advances the frame, moves, bounces and settles the bear; reads the rest of the troupe.
StepPlan PlanStep(Bear& bear, int index, const RECT& space, Size drawn);

// What lies in the old rectangle and not in the new one, as two strips. Exact while the move
// is smaller than the drawn size; empty on an axis the bear did not move along.
RECT ColumnsLeftBehind(POINT from, POINT to, Size drawn);
RECT RowsLeftBehind(POINT from, POINT to, Size drawn);

void StepBear(HWND window, Bear& bear, int index);

// Every bear of the troupe, in troupe order.
void FrameTick(HWND window);

// The bear's cry, when it has one: dropped while any sound plays, never queued.
void PlayCry(const Bear& bear);

inline constexpr UINT CryFlags = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP;

} // namespace polkamoot
