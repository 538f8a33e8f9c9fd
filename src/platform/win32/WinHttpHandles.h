#pragma once

#include <windows.h>
#include <winhttp.h>

#include "platform/win32/UniqueHandle.h"

namespace wx {

// Owns one WinHTTP handle (session, connection or request) and closes it
// once. Closing a request handle also ends whatever is pending on it.
using InternetHandle = UniqueHandle<HINTERNET, &WinHttpCloseHandle>;

}  // namespace wx
