#include "platform/win32/LocalAppDataFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <filesystem>

#include "util/Utf8Path.h"

namespace wx {

// The wide-character call, so that a user name outside the ANSI code page
// (a Cyrillic one on an English system) still gives the right folder.
std::optional<std::string> shellLocalAppDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder)) || folder[0] == L'\0') {
        return std::nullopt;
    }
    return utf8String(std::filesystem::path(folder));
}

}  // namespace wx
