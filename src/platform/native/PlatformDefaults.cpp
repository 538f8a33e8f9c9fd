#include "platform/PlatformDefaults.h"

#include <memory>

#include "airports/LocalAppDataFolder.h"
#include "platform/native/CurlTransport.h"
#include "platform/native/UserCacheFolder.h"

namespace wx {

void installPlatformDefaults() {
    setDefaultHttpTransportFactory([] { return std::make_shared<CurlTransport>(); });
    setDefaultLocalAppDataLookup(environmentCacheFolder);
}

bool trustOnlyCertificateAuthorities(const std::string& pemFile) {
    setDefaultHttpTransportFactory([pemFile] { return std::make_shared<CurlTransport>(pemFile); });
    return true;
}

void useBinaryStandardStreams() {}

}  // namespace wx
