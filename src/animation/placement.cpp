#include "animation/placement.h"

#include "animation/random.h"

#include <algorithm>
#include <cstdint>

namespace polkamoot {

namespace {

// Positions run from 1 to extent - drawn - 1; a window with no room there still gets
// position 1 rather than a modulo by zero or a negative number.
int PlacementSpan(LONG extent, int drawn) {
    return static_cast<int>(std::max<std::int64_t>(std::int64_t{extent} - drawn - 1, 1));
}

int Scaled(int length, int numerator, int denominator) {
    return static_cast<int>(std::int64_t{length} * numerator / std::max(denominator, 1));
}

void GiveMotion(Bear& bear, int speed) {
    bear.dx = speed;
    bear.dy = speed;
    if (DrawRandom() % 2 != 0) {
        bear.dx = -bear.dx;
    }
    if (DrawRandom() % 2 != 0) {
        bear.dy = -bear.dy;
    }
    bear.currentFrames = bear.dx > 0 ? bear.rightFrames : bear.leftFrames;
    bear.frameIndex = DrawRandom() % FrameSlots;
}

bool FindPlace(int index, const RECT& space, Size drawn) {
    Bear& bear = Bears[index];
    int spanX = PlacementSpan(space.right, drawn.width);
    int spanY = PlacementSpan(space.bottom, drawn.height);
    for (int draws = 0; draws < PositionDrawsPerBear; ++draws) {
        bear.x = DrawRandom() % spanX + 1;
        bear.y = DrawRandom() % spanY + 1;
        if (BearsOverlap(bear, index, index - 1, drawn.width, drawn.height) == NoOverlap) {
            return true;
        }
    }
    return false;
}

bool PlaceAll(int count, const RECT& space, Size drawn, int speed) {
    for (int index = 0; index < count; ++index) {
        GiveMotion(Bears[index], speed);
        if (!FindPlace(index, space, drawn)) {
            return false;
        }
    }
    return true;
}

} // namespace

int ScaleForDpi(int dpi) {
    constexpr int ClassicDpi = 96;
    return std::max(1, (dpi + ClassicDpi / 2) / ClassicDpi);
}

Size FitDrawSize(const RECT& space, Size sprite, int* speed) {
    if (space.right >= sprite.width + 2 && space.bottom >= sprite.height + 2) {
        return sprite;
    }
    Size drawn;
    drawn.width = std::max<int>(space.right / 6, 1);
    drawn.height = std::max(Scaled(sprite.height, drawn.width, sprite.width), 1);
    if (drawn.height > space.bottom - 2) {
        // Wide and low: a sixth of the width would not fit the height.
        drawn.height = std::max<int>(space.bottom / 6, 1);
        drawn.width = std::max(Scaled(sprite.width, drawn.height, sprite.height), 1);
    }
    *speed /= 6;
    if (*speed == 0) {
        *speed = 2;
    }
    return drawn;
}

int BearsOverlap(const Bear& bear, int selfIndex, int startIndex, int width, int height) {
    for (int j = startIndex; j >= 0; --j) {
        if (j == selfIndex) {
            continue;
        }
        const Bear& other = Bears[j];
        int lowX = std::max(other.x - width, 0);
        int lowY = std::max(other.y - height, 0);
        if (lowX <= bear.x && bear.x <= other.x + width && lowY <= bear.y &&
            bear.y <= other.y + height) {
            return j + 1;
        }
    }
    return NoOverlap;
}

int PlaceBears(int count, const RECT& space, Size drawn, int speed) {
    for (; count > 1; --count) {
        for (int round = 0; round < PlacementRounds; ++round) {
            if (PlaceAll(count, space, drawn, speed)) {
                return count;
            }
        }
    }
    if (count == 1) {
        PlaceAll(1, space, drawn, speed);
    }
    return count;
}

} // namespace polkamoot
