// Placeholder profile file. Replaced by the full fake.
#include "fake/fake_internal.h"

namespace polkamoot {

void fake::detail::ResetProfile() {}

} // namespace polkamoot
