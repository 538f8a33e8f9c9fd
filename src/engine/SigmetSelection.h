#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

namespace wx {

// A validity member ("validTimeFrom", "validTimeTo") in seconds since 1970,
// UTC: a JSON number as the service sends it, or text such as
// "2026-10-02T15:00:00Z" (see parseUtcTime). Nothing when it is absent or
// anything else.
std::optional<double> sigmetTimeSec(const nlohmann::json& sigmet, const char* key);

// False once a known "validTimeTo" is at or before now, or while a known
// "validTimeFrom" is after now; a time that is not known limits nothing.
bool sigmetInForce(const nlohmann::json& sigmet, std::chrono::system_clock::time_point now);

// Whether the element at `index` is the forecast position of another
// element: its "seriesId" is text ending in "F" and the list holds a
// SIGMET of the same "icaoId", "firId" and "hazard" (texts; absent counts
// as empty) whose "seriesId" is that text without the "F".
bool isForecastTwin(const std::vector<nlohmann::json>& list, size_t index);

// Whether an earlier element of the list equals the one at `index` in every
// member but "receiptTime": the same bulletin, received twice.
bool repeatsEarlierBulletin(const std::vector<nlohmann::json>& list, size_t index);

// The SIGMETs of one answer that apply at a moment, in the answer's order:
// the objects in force that are neither a forecast twin nor a repeated
// bulletin; and the size of the whole answer.
struct SigmetList {
    std::vector<nlohmann::json> applicable;
    size_t listed = 0;
};

SigmetList sigmetsToApply(const std::vector<nlohmann::json>& list, std::chrono::system_clock::time_point now);

}  // namespace wx
