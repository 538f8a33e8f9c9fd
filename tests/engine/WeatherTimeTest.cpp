// The weather time: reading and refusing what the pilot typed, and the
// engine's clock running on from it.

#include <gtest/gtest.h>

#include "EngineTestKit.h"
#include "engine/WeatherTime.h"
#include "sim/SimTestKit.h"

namespace wx {
namespace {

using namespace std::chrono;

const UtcMillis kPresentMs = sys_days{year{2026} / 12 / 8} + hours{18} + minutes{31};
const system_clock::time_point kPresent{kPresentMs};
const UtcMillis kTime = sys_days{year{2022} / 10 / 23} + hours{14} + minutes{50};

struct ChoiceCase {
    const char* typed;
    WeatherTimeVerdict verdict;
    std::optional<UtcMillis> time;
    const char* refusal;  // empty: none
};

TEST(WeatherTime, IsReadAndCheckedAgainstThePresent) {
    const std::string range = ": the weather can be flown from 2000-01-01 00:00Z to 2026-12-08 18:31Z";
    const ChoiceCase cases[] = {
        {"", WeatherTimeVerdict::Now, std::nullopt, ""},
        {" now ", WeatherTimeVerdict::Now, std::nullopt, ""},
        {kWeatherTimeNowRussian, WeatherTimeVerdict::Now, std::nullopt, ""},
        {"2022-10-23T14:50Z", WeatherTimeVerdict::Past, kTime, ""},
        {"2022-10-23T14:50:00Z", WeatherTimeVerdict::Past, kTime, ""},
        {" 2022-10-23 14:50 ", WeatherTimeVerdict::Past, kTime, ""},
        {"2000-01-01T00:00Z", WeatherTimeVerdict::Past, sys_days{year{2000} / 1 / 1}, ""},
        {"2026-12-08T18:31Z", WeatherTimeVerdict::Past, kPresentMs, ""},
        {"2022-02-30T10:00Z", WeatherTimeVerdict::Unreadable, std::nullopt,
         "Weather time \"2022-02-30T10:00Z\" is no UTC time such as 2022-10-23T14:50Z or 2022-10-23 14:50"},
        {"2026-12-08T18:31:01Z", WeatherTimeVerdict::Future, kPresentMs + seconds{1},
         "Weather time 2026-12-08 18:31Z is in the future"},
        {"1999-12-31T23:59Z", WeatherTimeVerdict::BeforeArchive, sys_days{year{2000} / 1 / 1} - minutes{1},
         "Weather time 1999-12-31 23:59Z is older than the METAR archive"},
    };
    for (const ChoiceCase& c : cases) {
        const WeatherTimeChoice choice = chooseWeatherTime(c.typed, kPresent);
        EXPECT_EQ(choice, (WeatherTimeChoice{c.verdict, c.time})) << c.typed;
        const std::string refusal = *c.refusal == '\0' ? "" : c.refusal + range;
        EXPECT_EQ(weatherTimeRefusal(choice, c.typed, kPresent), refusal) << c.typed;
    }
}

// A cycle a little over two minutes after the first still sees the reports
// of its weather time, two minutes older; the simulator's date is set once.
TEST(WeatherTime, TheEnginesClockRunsOnFromIt) {
    test::EngineRig rig;
    rig.routeDefaults();
    // Years back the reports come from the METAR archive.
    rig.http->route("/cgi-bin/request/asos.py",
                    "station,valid,metar\nEAAA,2022-10-23 14:40,EAAA 231440Z 25010KT 9999 12/06 Q1012\n");
    rig.utcNow = [clock = rig.clock] {
        return system_clock::time_point{test::EngineRig::kUtcNow} + clock->elapsed();
    };
    EngineSettings settings = test::EngineRig::threeStations();
    settings.weatherTime = kTime;
    settings.intervalSec = 120;
    rig.run(settings, 2);
    EXPECT_EQ(rig.count("[INFO] Weather time: 2022-10-23 14:50Z, running on from the start"), 1);
    EXPECT_EQ(rig.count("[METAR] [EAAA] EAAA 231440Z 25010KT 9999 12/06 Q1012 (10 min)"), 1);
    EXPECT_EQ(rig.count("[METAR] [EAAA] EAAA 231440Z 25010KT 9999 12/06 Q1012 (12 min)"), 1);
    EXPECT_EQ(test::eventsOf<standin::DateEvent>(*rig.model).size(), 1u);
}

}  // namespace
}  // namespace wx
