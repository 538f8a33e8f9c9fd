#include "support/StandInTrust.h"

#include <map>
#include <memory>
#include <mutex>

#include "support/win32/RootStoreEntry.h"

namespace wx::test {

bool trustStandIn(const ServicesSim& sim) {
    // Kept for the rest of the process, and taken out of the store at its end.
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<RootStoreEntry>> entries;
    std::lock_guard lock(mutex);
    auto& entry = entries[sim.authorityPath];
    if (!entry) {
        entry = std::make_unique<RootStoreEntry>(sim.authorityPath);
    }
    return entry->added();
}

}  // namespace wx::test
