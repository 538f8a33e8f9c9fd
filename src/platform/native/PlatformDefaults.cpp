#include "platform/PlatformDefaults.h"

#include <memory>

#include "platform/native/CurlTransport.h"

namespace wx {

void installPlatformDefaults() { setDefaultHttpTransport(std::make_shared<CurlTransport>()); }

}  // namespace wx
