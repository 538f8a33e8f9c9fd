#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "platform/win32/WinHttpTransport.h"
#include "platform/win32/Win32IpcTransport.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultHttpTransport(std::make_shared<WinHttpTransport>());
    setDefaultLocalAppDataLookup(shellLocalAppDataFolder);
    setDefaultIpcTransport(std::make_shared<Win32IpcTransport>());
}

}  // namespace wx
