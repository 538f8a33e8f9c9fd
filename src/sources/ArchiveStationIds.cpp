#include "sources/ArchiveStationIds.h"

namespace wx {

std::string archiveStationId(const std::string& icaoId) {
    if (icaoId.size() == 4 && icaoId[0] == 'K') {
        return icaoId.substr(1);
    }
    return icaoId;
}

std::string icaoStationId(const std::string& archiveId) {
    if (archiveId.size() == 3) {
        return "K" + archiveId;
    }
    return archiveId;
}

}  // namespace wx
