#include "platform/PlatformDefaults.h"

namespace wx {

void installPlatformDefaults() {}

}  // namespace wx
