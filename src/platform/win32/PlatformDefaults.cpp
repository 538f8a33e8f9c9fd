#include "platform/PlatformDefaults.h"

#include "airports/LocalAppDataFolder.h"
#include "platform/win32/LocalAppDataFolder.h"

namespace wx {

void installPlatformDefaults() { setDefaultLocalAppDataLookup(shellLocalAppDataFolder); }

}  // namespace wx
