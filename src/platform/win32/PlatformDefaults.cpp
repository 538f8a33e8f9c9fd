#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "platform/win32/WinHttpTransport.h"
#include "platform/win32/Win32IpcTransport.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultHttpTransportFactory([] { return std::make_shared<WinHttpTransport>(); });
    setDefaultLocalAppDataLookup(shellLocalAppDataFolder);
    setDefaultIpcTransport(std::make_shared<Win32IpcTransport>());
}

bool trustOnlyCertificateAuthorities(const std::string&) { return false; }

}  // namespace wx
