#include "animation/troupe.h"

namespace polkamoot {

Bear Bears[MaxBears];
int BearCount;

} // namespace polkamoot
