#pragma once

#include <optional>
#include <string>

namespace wx {

// The per-user cache folder of the XDG base-directory rules: XDG_CACHE_HOME
// when it holds an absolute path, else HOME + "/.cache"; nothing when
// neither is usable. Arguments are the variables' values (null when unset).
std::optional<std::string> userCacheFolder(const char* xdgCacheHome, const char* home);

// The same from this process's environment.
std::optional<std::string> environmentCacheFolder();

}  // namespace wx
