#include "engine/SigmetSelection.h"

#include <string>

#include "engine/SigmetHazard.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using nlohmann::json;

bool sameIssuer(const json& a, const json& b) {
    for (const char* key : {"icaoId", "firId", "hazard"}) {
        if (sigmetText(a, key) != sigmetText(b, key)) {
            return false;
        }
    }
    return true;
}

bool equalBarReceipt(const json& a, const json& b) {
    const auto members = [](const json& sigmet) { return sigmet.size() - (sigmet.contains("receiptTime") ? 1 : 0); };
    if (members(a) != members(b)) {
        return false;
    }
    for (auto it = a.begin(); it != a.end(); ++it) {
        if (it.key() == "receiptTime") {
            continue;
        }
        const auto other = b.find(it.key());
        if (other == b.end() || *other != it.value()) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<double> sigmetTimeSec(const json& sigmet, const char* key) {
    const auto it = sigmet.find(key);
    if (it == sigmet.end()) {
        return std::nullopt;
    }
    if (it->is_number()) {
        return it->get<double>();
    }
    if (!it->is_string()) {
        return std::nullopt;
    }
    const auto time = parseUtcTime(it->get_ref<const std::string&>());
    if (!time) {
        return std::nullopt;
    }
    return std::chrono::duration<double>(time->time_since_epoch()).count();
}

bool sigmetInForce(const json& sigmet, std::chrono::system_clock::time_point now) {
    const double nowSec = std::chrono::duration<double>(now.time_since_epoch()).count();
    const std::optional<double> from = sigmetTimeSec(sigmet, "validTimeFrom");
    const std::optional<double> to = sigmetTimeSec(sigmet, "validTimeTo");
    return !(to && *to <= nowSec) && !(from && *from > nowSec);
}

bool isForecastTwin(const std::vector<json>& list, size_t index) {
    const json& twin = list[index];
    const auto series = twin.find("seriesId");
    if (series == twin.end() || !series->is_string()) {
        return false;
    }
    const std::string& text = series->get_ref<const std::string&>();
    if (text.empty() || text.back() != 'F') {
        return false;
    }
    const std::string base = text.substr(0, text.size() - 1);
    for (size_t i = 0; i < list.size(); ++i) {
        const json& other = list[i];
        if (i == index || !other.is_object()) {
            continue;
        }
        const auto otherSeries = other.find("seriesId");
        if (otherSeries != other.end() && otherSeries->is_string() && *otherSeries == base && sameIssuer(twin, other)) {
            return true;
        }
    }
    return false;
}

bool repeatsEarlierBulletin(const std::vector<json>& list, size_t index) {
    for (size_t i = 0; i < index; ++i) {
        if (list[i].is_object() && equalBarReceipt(list[i], list[index])) {
            return true;
        }
    }
    return false;
}

SigmetList sigmetsToApply(const std::vector<json>& list, std::chrono::system_clock::time_point now) {
    SigmetList selected;
    selected.listed = list.size();
    for (size_t i = 0; i < list.size(); ++i) {
        const json& sigmet = list[i];
        if (sigmet.is_object() && sigmetInForce(sigmet, now) && !isForecastTwin(list, i) &&
            !repeatsEarlierBulletin(list, i)) {
            selected.applicable.push_back(sigmet);
        }
    }
    return selected;
}

}  // namespace wx
