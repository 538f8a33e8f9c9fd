#pragma once

#include <functional>
#include <optional>
#include <string>

namespace wx {

// Looks up the current user's local application-data folder (UTF-8);
// nothing when the lookup fails.
using FolderLookup = std::function<std::optional<std::string>()>;

// The process-wide lookup. Until a program installs its platform's lookup
// every lookup fails, so the cache lands in the working directory.
FolderLookup defaultLocalAppDataLookup();
void setDefaultLocalAppDataLookup(FolderLookup lookup);

}  // namespace wx
