#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "sources/MetarOnlySource.h"
#include "sources/OpenMeteoSource.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"
#include "weather/MetarDecoder.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using namespace std::chrono;
using nlohmann::json;
using test::LogRecorder;
using test::ScriptedTransport;
using test::scripted;
using Time = system_clock::time_point;

Time utcAt(const char* iso) { return time_point_cast<system_clock::duration>(*parseUtcTime(iso)); }

const Time kServicesNow = utcAt("2026-12-08T18:00:00Z");
const char* const kEgll = "EGLL 231420Z 22012G25KT 4000 -RA BKN008 OVC015 14/12 Q1008";
const char* const kDsm = "KDSM 231354Z 18010KT 10SM CLR 12/03 A3001";

// A model answer for the whole of `day`, its values changing by the hour.
std::string modelDay(const std::string& day) {
    json hourly = {{"time", json::array()}, {"temperature_2m", json::array()}, {"cloud_cover_low", json::array()}};
    for (int hour = 0; hour < 24; ++hour) {
        char label[32];
        std::snprintf(label, sizeof label, "%sT%02d:00", day.c_str(), hour);
        hourly["time"].push_back(label);
        hourly["temperature_2m"].push_back(10.0 + hour * 0.5);
        hourly["cloud_cover_low"].push_back(hour * 4);
    }
    return json{{"hourly", hourly}}.dump();
}

// One source at a weather time, its answers scripted; with `past` the
// services live at kServicesNow, without it the source flies the present.
struct Flight {
    Flight(const std::string& weatherTime, bool past, bool model = true) {
        SourceContext context;
        const Time time = utcAt(weatherTime.c_str());
        context.clock = [time] { return time; };
        if (past) {
            context.present = [] { return kServicesNow; };
        }
        if (model) {
            source = std::make_unique<OpenMeteoSource>(log.fn(), transport, std::move(context));
        } else {
            source = std::make_unique<MetarOnlySource>(log.fn(), transport, std::move(context));
        }
    }

    LogRecorder log;
    std::shared_ptr<ScriptedTransport> transport = std::make_shared<ScriptedTransport>();
    std::unique_ptr<IWeatherSource> source;
};

class PastSource : public testing::Test {
protected:
    test::EnvironmentScope awc_{"NUBIRO_AWC_URL", "http://awc.test"};
    test::EnvironmentScope forecast_{"NUBIRO_OPENMETEO_URL", "http://forecast.test"};
    test::EnvironmentScope history_{"NUBIRO_OPENMETEO_HISTORY_URL", "http://history.test"};
    test::EnvironmentScope iem_{"NUBIRO_IEM_URL", "http://iem.test"};
};

const std::string kAwcAnswer =
    json::array({{{"icaoId", "EGLL"}, {"rawOb", kEgll}}, {{"icaoId", "KDSM"}, {"rawOb", kDsm}}}).dump();

// A cycle of the flight: reports, a record completed aloft, one synthesized.
struct Cycle {
    MetarMap reports;
    std::optional<WeatherData> completed;
    std::optional<WeatherData> synthesized;
};

Cycle runCycle(IWeatherSource& source) {
    source.beginCycle({});
    Cycle cycle;
    cycle.reports = source.fetchMetars({"EGLL", "KDSM"}).reports;
    if (const auto it = cycle.reports.find("EGLL"); it != cycle.reports.end()) {
        cycle.completed = decodeMetar("EGLL", it->second, 25, false, 9999);
        source.attachUpperAir(*cycle.completed, 51.4775, -0.4614);
    }
    cycle.synthesized = source.synthesize("EHAM", 52.3086, 4.7639, -3);
    source.endCycle();
    return cycle;
}

TEST_F(PastSource, RecordsEqualThoseOfThePresentFedTheSameAnswers) {
    struct Row {
        const char* weatherTime;
        std::string reports;  // what the past's report service answers
        const char* reportsUrl;
        const char* line;
    };
    const std::string csv = std::string("station,valid,metar\nDSM,2022-10-23 13:54,") + kDsm +
                            "\nEGLL,2022-10-23 14:20," + kEgll + "\n";
    const Row rows[] = {
        {"2026-12-01T14:50:00Z", kAwcAnswer, "http://awc.test/api/data/metar?date=2026-12-01T14%3A50%3A00Z&",
         "[INFO] Weather time 2026-12-01 14:50Z: 2 reports from the aviation-weather service, 2 model points from "
         "the historical forecast"},
        {"2022-10-23T14:50:00Z", csv, "http://iem.test/cgi-bin/request/asos.py?",
         "[INFO] Weather time 2022-10-23 14:50Z: 2 reports from the METAR archive, 2 model points from the "
         "historical forecast"},
    };
    for (const Row& row : rows) {
        const std::string day = std::string(row.weatherTime).substr(0, 10);
        Flight past(row.weatherTime, true);
        Flight present(row.weatherTime, false);
        for (const std::string& reports : {row.reports, modelDay(day), modelDay(day)}) {
            past.transport->answer(scripted(reports));
        }
        for (const std::string& reports : {kAwcAnswer, modelDay(day), modelDay(day)}) {
            present.transport->answer(scripted(reports));
        }
        const Cycle fromThePast = runCycle(*past.source);
        const Cycle fromThePresent = runCycle(*present.source);
        ASSERT_TRUE(fromThePast.completed && fromThePast.synthesized) << row.weatherTime;
        EXPECT_EQ(fromThePast.reports, fromThePresent.reports) << row.weatherTime;
        EXPECT_EQ(*fromThePast.completed, *fromThePresent.completed) << row.weatherTime;
        EXPECT_EQ(*fromThePast.synthesized, *fromThePresent.synthesized) << row.weatherTime;
        const auto urls = past.transport->urls();
        ASSERT_EQ(urls.size(), 3u) << row.weatherTime;
        EXPECT_EQ(urls[0].rfind(row.reportsUrl, 0), 0u) << urls[0];
        EXPECT_EQ(urls[1].rfind("http://history.test/v1/forecast?end_date=" + day + "&", 0), 0u) << urls[1];
        EXPECT_NE(urls[1].find("&start_date=" + day + "&timezone=UTC"), std::string::npos) << urls[1];
        EXPECT_EQ(past.log.lines(), std::vector<std::string>{row.line}) << row.weatherTime;
    }
}

TEST_F(PastSource, BeforeTheHistoricalForecastsNoModelDataAndNoSigmets) {
    Flight past("2019-10-23T14:50:00Z", true);
    past.transport->answer(scripted(std::string("station,valid,metar\nEGLL,2019-10-23 14:20,") + kEgll + "\n"));
    past.source->beginCycle({});
    EXPECT_EQ(past.source->fetchMetars({"EGLL"}).reports.size(), 1u);
    EXPECT_TRUE(past.source->fetchSigmets().empty());
    EXPECT_FALSE(past.source->synthesize("EHAM", 52.3086, 4.7639, -3));
    EXPECT_FALSE(past.source->synthesizeGlobal(52.3086, 4.7639));
    past.source->endCycle();
    EXPECT_EQ(past.transport->urls().size(), 1u);
    EXPECT_EQ(past.log.lines(),
              (std::vector<std::string>{
                  "[INFO] SIGMETs: none kept for 2019-10-23 14:50Z / SIGMET: не хранятся за 2019-10-23 14:50Z",
                  "[INFO] Model data: none before 2022-01-01, the first day of the historical forecast; stations "
                  "without a report get no model weather",
                  "[INFO] Weather time 2019-10-23 14:50Z: 1 report from the METAR archive, no model data"}));
}

TEST_F(PastSource, AnHttpDateInRetryAfterCountsFromThePresent) {
    Flight past("2022-10-23T14:50:00Z", true, false);
    past.transport->answer(HttpResult::answer(429, "slow down", "Tue, 08 Dec 2026 18:00:30 GMT"));
    EXPECT_TRUE(past.source->fetchMetars({"EGLL"}).reports.empty());
    EXPECT_EQ(past.log.lines().front(), "[WARN] iem.test asks to wait 30 s (HTTP 429): requests paused");
}

}  // namespace
}  // namespace wx
