// A forecast answer body through the model-data path: the current hour, the
// hourly values and the record decoded from them directly, then the same
// body as the sources' answer to synthesize and to attachUpperAir.

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include <nlohmann/json.hpp>

#include "sim/NwiRecord.h"
#include "sources/Forecast.h"
#include "sources/ModelWeather.h"
#include "sources/OpenMeteoSource.h"
#include "support/SeedTime.h"
#include "support/StationRecord.h"
#include "support/FuzzInput.h"
#include "support/ScriptedTransport.h"
#include "weather/Clouds.h"

namespace {

using namespace wx;
using nlohmann::json;
using Answers = std::vector<std::optional<std::string>>;

// decodeHourly throws only what hourlyValue documents for a string that
// holds no number or one out of range.
void decodeDirectly(const std::string& body) {
    const json answer = json::parse(body, nullptr, false);
    if (answer.is_discarded()) {
        return;
    }
    const size_t index = currentHourIndex(answer, fuzz::seedTime());
    if (!answer.is_object() || !answer.contains("hourly")) {
        return;
    }
    const json& hourly = answer.at("hourly");
    try {
        hourlyValue(hourly, index, "temperature_2m");
        WeatherData model = decodeHourly("EGLL", 25, hourly, index);
        finalizeClouds(model);
        buildNwiRecord(model, 0.0);
    } catch (const std::invalid_argument&) {
        // A value holding no number: the sources log it and go without.
    } catch (const std::out_of_range&) {
        // A number beyond a double: likewise.
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string body = fuzz::inputText(data, size);
    decodeDirectly(body);

    const LogFn log = [](const std::string&, const std::string&) {};
    // On the seeds' clock, so that an answer holding that hour is kept by
    // the first call and serves the second.
    SourceContext context;
    context.clock = [] { return fuzz::seedTime(); };
    OpenMeteoSource source(log, std::make_shared<test::ScriptedTransport>(Answers{body, body}), context);
    if (auto model = source.synthesize("EGLL", 51.4775, -0.4614, 25)) {
        buildNwiRecord(*model, -1.5);
    }
    WeatherData weather = fuzz::stationRecord();
    source.attachUpperAir(weather, 51.4775, -0.4614);
    finalizeClouds(weather);
    buildNwiRecord(weather, -1.5);
    return 0;
}
