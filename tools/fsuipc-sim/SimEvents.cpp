#include "SimEvents.h"

#include <cstdio>

namespace wx::standin {
namespace {

using nlohmann::ordered_json;

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

std::string hexText(const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const uint8_t byte : bytes) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

ordered_json recordToJson(const DecodedNwiRecord& record, const std::vector<uint8_t>& bytes) {
    ordered_json temperatures = ordered_json::array();
    for (const auto& layer : record.temperatures) {
        temperatures.push_back(
            {{"altitudeM", layer.altitudeM}, {"temperatureC", layer.temperatureC}, {"dewpointC", layer.dewpointC}});
    }
    ordered_json winds = ordered_json::array();
    for (const auto& layer : record.winds) {
        winds.push_back({{"altitudeM", layer.altitudeM},
                         {"speedKt", layer.speedKt},
                         {"gustKt", layer.gustKt},
                         {"directionDeg", layer.directionDeg},
                         {"turbulence", layer.turbulence}});
    }
    ordered_json clouds = ordered_json::array();
    for (const auto& layer : record.clouds) {
        clouds.push_back({{"baseM", layer.baseM},
                          {"topM", layer.topM},
                          {"coverOktas", layer.coverOktas},
                          {"typeCode", layer.typeCode},
                          {"turbulence", layer.turbulence},
                          {"icing", layer.icing},
                          {"precipType", layer.precipType},
                          {"precipRate", layer.precipRate}});
    }
    return {{"event", "record"},          {"station", record.station},
            {"qnhHpa", record.qnhHpa},    {"visibilityM", record.visibilityM},
            {"temperatures", temperatures}, {"winds", winds},
            {"clouds", clouds},           {"hex", hexText(bytes)}};
}

}  // namespace

std::string clockText(int32_t minutesOfDay) {
    char text[24];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(minutesOfDay / 60),
                  static_cast<int>(minutesOfDay % 60));
    return text;
}

ordered_json eventToJson(const SimEvent& event) {
    return std::visit(
        Overloaded{
            [](const RecordEvent& e) { return recordToJson(e.record, e.bytes); },
            [](const ClearEvent& e) { return ordered_json{{"event", "clear"}, {"station", e.station}}; },
            [](const InitEvent& e) { return ordered_json{{"event", "init"}, {"dynamics", e.dynamics}}; },
            [](const ActivateEvent& e) {
                return ordered_json{{"event", "activate"}, {"station", e.station}, {"stations", e.stations}};
            },
            [](const ClockEvent& e) {
                return ordered_json{{"event", "time"},
                                    {"control", e.control},
                                    {"value", e.value},
                                    {"local", clockText(e.localMinutes)},
                                    {"utc", clockText(e.utcMinutes)}};
            },
            [](const DateEvent& e) {
                return ordered_json{{"event", "date"}, {"dayOfYear", e.dayOfYear}, {"year", e.year}};
            },
            [](const TextEvent& e) {
                return ordered_json{{"event", "text"}, {"text", e.text}, {"seconds", e.seconds}};
            },
        },
        event);
}

std::string jsonLine(const nlohmann::ordered_json& object) {
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace wx::standin
