#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "sources/OpenMeteoSource.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using namespace std::chrono;
using nlohmann::json;
using test::LogRecorder;
using test::ScriptedTransport;

const char* const kSkipped = "[WARN] Model service not answering: model data skipped this cycle";
const sys_days kDay = year{2026} / 10 / 2;

// An answer for the UTC day of `day` whose "time" array holds the hours
// from..to, each hour's temperature the hour itself.
std::string dayAnswer(sys_days day, int from = 0, int to = 23) {
    const year_month_day date{day};
    json times = json::array();
    json temperatures = json::array();
    for (int hour = from; hour <= to; ++hour) {
        char label[32];
        std::snprintf(label, sizeof label, "%04d-%02u-%02uT%02d:00", static_cast<int>(date.year()),
                      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()), hour);
        times.push_back(label);
        temperatures.push_back(hour);
    }
    return json{{"hourly", {{"time", times}, {"temperature_2m", temperatures}}}}.dump();
}

// A point asked once at 10:30 and again a while later, in a new cycle.
struct KeptCase {
    const char* name;
    minutes later;
    bool throughOutage;
    HttpResult secondAnswer;
    size_t requests;
    std::optional<float> temperatureC;  // of the second record: its hour
    std::vector<std::string> log;       // of the second cycle
    int lastHourOfTheAnswer = 23;
};

class KeptModelAnswer : public testing::TestWithParam<KeptCase> {};

TEST_P(KeptModelAnswer, ServesWhileYoungAndHoldingTheHour) {
    const KeptCase& c = GetParam();
    system_clock::time_point now = kDay + hours{10} + minutes{30};
    auto transport = std::make_shared<ScriptedTransport>();
    LogRecorder log;
    SourceContext context;
    context.clock = [&now] { return now; };
    OpenMeteoSource source(log.fn(), transport, context);

    source.beginCycle({.keepModelThroughOutage = c.throughOutage});
    transport->answer(HttpResult::answer(200, dayAnswer(kDay, 0, c.lastHourOfTheAnswer)));
    ASSERT_TRUE(source.synthesize("EGLL", 51.47, -0.4543, 25));
    source.endCycle();
    ASSERT_TRUE(log.lines().empty());

    now += c.later;
    source.beginCycle({.keepModelThroughOutage = c.throughOutage});
    transport->answer(c.secondAnswer);
    const std::optional<WeatherData> second = source.synthesize("EGLL", 51.47, -0.4543, 25);
    source.endCycle();
    EXPECT_EQ(transport->requests().size(), c.requests);
    EXPECT_EQ(second ? std::optional<float>(second->temperatureC) : std::nullopt, c.temperatureC);
    EXPECT_EQ(log.lines(), c.log);
}

const HttpResult kDown = HttpResult::failure(HttpOutcome::TimedOut);

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptModelAnswer,
    testing::Values(
        KeptCase{"WithinTheHour", minutes{59}, false, kDown, 1, 11.0f,
                 {"[INFO] Model data: 1 points from the last hour, 0 asked"}},
        KeptCase{"AnHourOld", minutes{60}, false, HttpResult::answer(200, dayAnswer(kDay)), 2, 11.0f, {}},
        KeptCase{"AnHourOldServiceDown", minutes{60}, false, kDown, 2, std::nullopt, {kSkipped}},
        KeptCase{"CurrentHourNotInIt", minutes{40}, false, kDown, 2, std::nullopt, {kSkipped}, 10},
        KeptCase{"ThroughAnOutage", hours{5}, true, kDown, 2, 15.0f,
                 {kSkipped, "[WARN] Model service not answering: kept model hours used for 1 points"}},
        KeptCase{"ThroughA429", hours{5}, true, HttpResult::answer(429, R"({"error":true})"), 2, 15.0f,
                 {"[WARN] api.open-meteo.com asks to wait 60 s (HTTP 429): requests paused", kSkipped,
                  "[WARN] Model service not answering: kept model hours used for 1 points"}},
        KeptCase{"NotIntoTheNextDay", hours{14}, true, kDown, 2, std::nullopt, {kSkipped}},
        KeptCase{"NotWhileTheServiceAnswers", hours{5}, true, HttpResult::answer(200, "{}"), 2, std::nullopt, {}}),
    [](const testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

TEST(ModelAnswerStore, KeepsTheNewestPointsOnly) {
    ModelAnswerStore store;
    const json answer = json::parse(dayAnswer(kDay));
    const system_clock::time_point start = kDay + hours{10};
    for (size_t i = 0; i <= ModelAnswerStore::kMaxPoints; ++i) {
        store.keep(ModelAnswerStore::pointKey(static_cast<double>(i), 0), answer, start + seconds{i});
    }
    EXPECT_EQ(store.size(), ModelAnswerStore::kMaxPoints);
    EXPECT_FALSE(store.find(ModelAnswerStore::pointKey(0, 0), start));
    EXPECT_TRUE(store.find(ModelAnswerStore::pointKey(1, 0), start));
    EXPECT_EQ(ModelAnswerStore::pointKey(51.47, -0.4543), "51.4700,-0.4543");
}

}  // namespace
}  // namespace wx
