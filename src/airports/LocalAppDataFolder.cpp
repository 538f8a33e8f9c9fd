#include "airports/LocalAppDataFolder.h"

#include <mutex>

namespace wx {
namespace {

std::optional<std::string> noFolder() { return std::nullopt; }

struct DefaultSlot {
    std::mutex mutex;
    FolderLookup lookup = noFolder;
};

DefaultSlot& slot() {
    static DefaultSlot instance;
    return instance;
}

}  // namespace

FolderLookup defaultLocalAppDataLookup() {
    std::lock_guard lock(slot().mutex);
    return slot().lookup;
}

void setDefaultLocalAppDataLookup(FolderLookup lookup) {
    std::lock_guard lock(slot().mutex);
    slot().lookup = lookup ? std::move(lookup) : FolderLookup(noFolder);
}

}  // namespace wx
