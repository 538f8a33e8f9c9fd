#pragma once

#include <optional>
#include <string>

namespace wx {

// The current user's local application-data folder from the shell
// (CSIDL_LOCAL_APPDATA), as UTF-8; nothing when the shell cannot tell.
std::optional<std::string> shellLocalAppDataFolder();

}  // namespace wx
