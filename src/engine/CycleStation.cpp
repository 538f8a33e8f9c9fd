#include "engine/CycleStation.h"

namespace wx {

const char* stationRoleName(StationRole role) {
    switch (role) {
    case StationRole::Departure:
        return "departure";
    case StationRole::Destination:
        return "destination";
    case StationRole::Alternate:
        return "alternate";
    case StationRole::Route:
        return "route";
    case StationRole::Nearest:
        break;
    }
    return "";
}

}  // namespace wx
