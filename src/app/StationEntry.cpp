#include "app/StationEntry.h"

#include <algorithm>

namespace wx {
namespace {

constexpr size_t kStationIdLength = 4;

}  // namespace

std::optional<std::string> stationIdFromEntry(std::string_view entry) {
    if (entry.size() != kStationIdLength) {
        return std::nullopt;
    }
    std::string id;
    for (const char c : entry) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return std::nullopt;
        }
        id += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return id;
}

bool addStationEntry(std::vector<std::string>& stations, std::string_view entry) {
    const auto id = stationIdFromEntry(entry);
    if (!id || std::find(stations.begin(), stations.end(), *id) != stations.end()) {
        return false;
    }
    stations.push_back(*id);
    return true;
}

bool removeStationAt(std::vector<std::string>& stations, int index) {
    if (index < 0 || static_cast<size_t>(index) >= stations.size()) {
        return false;
    }
    stations.erase(stations.begin() + index);
    return true;
}

}  // namespace wx
