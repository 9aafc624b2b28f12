#include "animation/scene.h"

namespace polkamoot {

SceneRecord Scene;

void ResetScene() {
    Scene = SceneRecord{};
}

} // namespace polkamoot
