#include "WeatherJson.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

#include "weather/MetarDecoder.h"

namespace wx::cli {
namespace {

using nlohmann::json;
using nlohmann::ordered_json;

ordered_json cloudToJson(const CloudLayer& layer) {
    return ordered_json{{"baseM", layer.baseM},           {"coverOktas", layer.coverOktas},
                        {"type", layer.type},             {"turbulence", layer.turbulence},
                        {"icing", layer.icing},           {"source", layer.source},
                        {"topM", layer.topM},             {"hasTop", layer.hasTop}};
}

ordered_json upperAirToJson(const UpperAirLayer& layer) {
    return ordered_json{{"altitudeM", layer.altitudeM},       {"windDirDeg", layer.windDirDeg},
                        {"windSpeedKt", layer.windSpeedKt},   {"temperatureC", layer.temperatureC},
                        {"hasTemperature", layer.hasTemperature}, {"turbulence", layer.turbulence},
                        {"icing", layer.icing},               {"windGustKt", layer.windGustKt},
                        {"source", layer.source}};
}

// Whether a JSON number converts to T without leaving T's range (the
// conversion would otherwise wrap or be undefined). Integral fields take the
// whole part of a fraction, as the conversion does.
template <typename T>
bool numberFits(const json& value) {
    if constexpr (std::is_floating_point_v<T>) {
        const auto number = value.get<double>();
        return !std::isfinite(number) || std::fabs(number) <= static_cast<double>(std::numeric_limits<T>::max());
    } else {
        constexpr int64_t kLowest = std::numeric_limits<T>::min();
        constexpr int64_t kHighest = std::numeric_limits<T>::max();
        if (value.is_number_unsigned()) {
            return value.get<uint64_t>() <= static_cast<uint64_t>(kHighest);
        }
        if (value.is_number_integer()) {
            const auto number = value.get<int64_t>();
            return number >= kLowest && number <= kHighest;
        }
        const auto number = value.get<double>();
        return number > static_cast<double>(kLowest) - 1.0 && number < static_cast<double>(kHighest) + 1.0;
    }
}

template <typename T>
void readMember(const json& object, const char* name, T& field) {
    const auto it = object.find(name);
    if (it == object.end()) {
        return;
    }
    if constexpr (std::is_arithmetic_v<T> && !std::is_same_v<T, bool>) {
        if (it->is_number() && !numberFits<T>(*it)) {
            throw json::out_of_range::create(406, std::string(name) + " is out of range", &*it);
        }
    }
    field = it->get<T>();
}

CloudLayer cloudFromJson(const json& object) {
    CloudLayer layer;
    readMember(object, "baseM", layer.baseM);
    readMember(object, "coverOktas", layer.coverOktas);
    readMember(object, "type", layer.type);
    readMember(object, "turbulence", layer.turbulence);
    readMember(object, "icing", layer.icing);
    readMember(object, "source", layer.source);
    readMember(object, "topM", layer.topM);
    readMember(object, "hasTop", layer.hasTop);
    return layer;
}

UpperAirLayer upperAirFromJson(const json& object) {
    UpperAirLayer layer;
    readMember(object, "altitudeM", layer.altitudeM);
    readMember(object, "windDirDeg", layer.windDirDeg);
    readMember(object, "windSpeedKt", layer.windSpeedKt);
    readMember(object, "temperatureC", layer.temperatureC);
    readMember(object, "hasTemperature", layer.hasTemperature);
    readMember(object, "turbulence", layer.turbulence);
    readMember(object, "icing", layer.icing);
    readMember(object, "windGustKt", layer.windGustKt);
    readMember(object, "source", layer.source);
    return layer;
}

template <typename T, typename Convert>
void readList(const json& object, const char* name, std::vector<T>& list, Convert convert) {
    const auto it = object.find(name);
    if (it == object.end()) {
        return;
    }
    if (!it->is_array()) {
        throw json::type_error::create(302, std::string(name) + " must be an array", &*it);
    }
    list.clear();
    for (const json& element : *it) {
        if (!element.is_object()) {
            throw json::type_error::create(302, std::string(name) + " must hold objects", &element);
        }
        list.push_back(convert(element));
    }
}

}  // namespace

ordered_json weatherToJson(const WeatherData& weather) {
    ordered_json clouds = ordered_json::array();
    for (const CloudLayer& layer : weather.clouds) {
        clouds.push_back(cloudToJson(layer));
    }
    ordered_json upperAir = ordered_json::array();
    for (const UpperAirLayer& layer : weather.upperAir) {
        upperAir.push_back(upperAirToJson(layer));
    }
    ordered_json out;
    out["stationId"] = weather.stationId;
    out["elevationM"] = weather.elevationM;
    out["windDirDeg"] = weather.windDirDeg;
    out["windSpeedKt"] = weather.windSpeedKt;
    out["windGustKt"] = weather.windGustKt;
    out["visibilityM"] = weather.visibilityM;
    out["qnhHpa"] = weather.qnhHpa;
    out["temperatureC"] = weather.temperatureC;
    out["dewpointC"] = weather.dewpointC;
    out["precipType"] = weather.precipType;
    out["precipRate"] = weather.precipRate;
    out["clouds"] = std::move(clouds);
    out["upperAir"] = std::move(upperAir);
    out["cavok"] = weather.cavok;
    out["synthesized"] = weather.synthesized;
    out["turbulence"] = weather.turbulence;
    out["rawMetar"] = weather.rawMetar;
    out["sigmets"] = weather.sigmets;
    const auto time = parseObservationTime(weather.rawMetar);
    out["observationTime"] = time ? ordered_json{{"hour", time->hour}, {"minute", time->minute}} : ordered_json();
    return out;
}

WeatherData weatherFromJson(const json& object) {
    if (!object.is_object()) {
        throw json::type_error::create(302, "a weather record must be a JSON object", &object);
    }
    WeatherData weather;
    readMember(object, "stationId", weather.stationId);
    readMember(object, "elevationM", weather.elevationM);
    readMember(object, "windDirDeg", weather.windDirDeg);
    readMember(object, "windSpeedKt", weather.windSpeedKt);
    readMember(object, "windGustKt", weather.windGustKt);
    readMember(object, "visibilityM", weather.visibilityM);
    readMember(object, "qnhHpa", weather.qnhHpa);
    readMember(object, "temperatureC", weather.temperatureC);
    readMember(object, "dewpointC", weather.dewpointC);
    readMember(object, "precipType", weather.precipType);
    readMember(object, "precipRate", weather.precipRate);
    readList(object, "clouds", weather.clouds, cloudFromJson);
    readList(object, "upperAir", weather.upperAir, upperAirFromJson);
    readMember(object, "cavok", weather.cavok);
    readMember(object, "synthesized", weather.synthesized);
    readMember(object, "turbulence", weather.turbulence);
    readMember(object, "rawMetar", weather.rawMetar);
    readMember(object, "sigmets", weather.sigmets);
    return weather;
}

}  // namespace wx::cli
