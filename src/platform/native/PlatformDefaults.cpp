#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/native/CurlTransport.h"
#include "platform/native/UserCacheFolder.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultHttpTransport(std::make_shared<CurlTransport>());
    setDefaultLocalAppDataLookup(environmentCacheFolder);
}

}  // namespace wx
