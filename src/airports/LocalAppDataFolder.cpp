#include "airports/LocalAppDataFolder.h"

#include "util/ProcessDefault.h"

namespace wx {
namespace {

std::optional<std::string> noFolder() { return std::nullopt; }

ProcessDefault<FolderLookup>& slot() {
    static ProcessDefault<FolderLookup> instance([] { return FolderLookup(noFolder); });
    return instance;
}

}  // namespace

FolderLookup defaultLocalAppDataLookup() { return slot().get(); }

void setDefaultLocalAppDataLookup(FolderLookup lookup) { slot().set(std::move(lookup)); }

}  // namespace wx
