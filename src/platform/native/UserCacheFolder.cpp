#include "platform/native/UserCacheFolder.h"

#include <cstdlib>

namespace wx {

std::optional<std::string> userCacheFolder(const char* xdgCacheHome, const char* home) {
    if (xdgCacheHome != nullptr && xdgCacheHome[0] == '/') {
        return std::string(xdgCacheHome);
    }
    if (home != nullptr && home[0] != '\0') {
        std::string folder = home;
        while (folder.size() > 1 && folder.back() == '/') {
            folder.pop_back();
        }
        return folder == "/" ? "/.cache" : folder + "/.cache";
    }
    return std::nullopt;
}

std::optional<std::string> environmentCacheFolder() {
    return userCacheFolder(std::getenv("XDG_CACHE_HOME"), std::getenv("HOME"));
}

}  // namespace wx
