#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "platform/win32/WinHttpTransport.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultHttpTransport(std::make_shared<WinHttpTransport>());
    setDefaultLocalAppDataLookup(shellLocalAppDataFolder);
}

}  // namespace wx
