#include "platform/PlatformDefaults.h"

#include <memory>

#include "platform/win32/WinHttpTransport.h"

namespace wx {

void installPlatformDefaults() { setDefaultHttpTransport(std::make_shared<WinHttpTransport>()); }

}  // namespace wx
