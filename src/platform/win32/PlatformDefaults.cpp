#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "platform/win32/Win32IpcTransport.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultLocalAppDataLookup(shellLocalAppDataFolder);
    setDefaultIpcTransport(std::make_shared<Win32IpcTransport>());
}

}  // namespace wx
