#include "platform/PlatformDefaults.h"

#include <memory>

#include "platform/win32/Win32IpcTransport.h"

namespace wx {

void installPlatformDefaults() { setDefaultIpcTransport(std::make_shared<Win32IpcTransport>()); }

}  // namespace wx
