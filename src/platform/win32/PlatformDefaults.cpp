#include "platform/PlatformDefaults.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
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

void useBinaryStandardStreams() {
    for (const int stream : {_fileno(stdin), _fileno(stdout), _fileno(stderr)}) {
        _setmode(stream, _O_BINARY);
    }
}

}  // namespace wx
