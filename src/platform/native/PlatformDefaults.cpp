#include "platform/PlatformDefaults.h"

#include "airports/LocalAppDataFolder.h"
#include "platform/native/UserCacheFolder.h"

namespace wx {

void installPlatformDefaults() { setDefaultLocalAppDataLookup(environmentCacheFolder); }

}  // namespace wx
