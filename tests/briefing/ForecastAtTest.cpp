#include <gtest/gtest.h>

#include "briefing/ForecastAt.h"
#include "briefing/TafPeriodCategory.h"

namespace wx {
namespace {

using std::chrono::hours;

const UtcMillis kStart{std::chrono::sys_days{std::chrono::year{2026} / 12 / 8} + hours(12)};

TafPeriod period(int from, int to, const char* change) {
    TafPeriod p;
    p.from = kStart + hours(from);
    p.to = kStart + hours(to);
    p.change = change;
    return p;
}

TafPeriod withSky(TafPeriod p, std::optional<int> visibilityM, std::optional<int> ceilingFt) {
    p.visibilityM = visibilityM;
    p.ceilingFt = ceilingFt;
    p.cloudsGiven = ceilingFt.has_value();
    p.category = periodCategory(p);
    return p;
}

// Base VFR; TEMPO IFR 2-6; BECMG 6-8 to a ceiling of 1,200 ft (MVFR), its
// visibility unchanged; PROB30 LIFR 10-14; PROB40 TEMPO with only weather
// 18-22; FM 24 CAVOK; valid 0-30.
Taf forecast() {
    Taf taf;
    taf.stationId = "EGBB";
    taf.validFrom = kStart;
    taf.validTo = kStart + hours(30);
    TafPeriod base = withSky(period(0, 30, "BASE"), 9999, 3500);
    base.windDirDeg = 240;
    base.windSpeedKt = 12;
    TafPeriod becoming = withSky(period(6, 24, "BECMG"), std::nullopt, 1200);
    becoming.becomingEnd = kStart + hours(8);
    TafPeriod weatherOnly = period(18, 22, "PROB40 TEMPO");
    weatherOnly.weather = "TSRA";
    taf.periods = {base,
                   withSky(period(2, 6, "TEMPO"), 4800, 800),
                   becoming,
                   withSky(period(10, 14, "PROB30"), 800, 200),
                   weatherOnly,
                   withSky(period(24, 30, "FM"), 9999, std::nullopt)};
    return taf;
}

struct AtCase {
    const char* name;
    int minutes;  // from the start of the validity
    std::optional<std::string> prevailing;  // its change; empty: no forecast
    std::optional<FlightCategory> category;
    std::vector<std::string> alongside;
};

class ForecastInForce : public testing::TestWithParam<AtCase> {};

TEST_P(ForecastInForce, TakesTheBaseTheLastChangeBegunAndThePeriodsBeside) {
    const AtCase& c = GetParam();
    const auto at = forecastAt(forecast(), kStart + std::chrono::minutes(c.minutes));
    ASSERT_EQ(at.has_value(), c.prevailing.has_value());
    if (!at) {
        return;
    }
    EXPECT_EQ(at->prevailing.change, *c.prevailing);
    EXPECT_EQ(at->prevailing.category, c.category);
    std::vector<std::string> alongside;
    for (const AlongsidePeriod& period : at->alongside) {
        alongside.push_back(period.change);
        EXPECT_EQ(period.category, period.period.category);
    }
    EXPECT_EQ(alongside, c.alongside);
}

using FC = FlightCategory;
INSTANTIATE_TEST_SUITE_P(
    Times, ForecastInForce,
    testing::Values(AtCase{"BeforeTheValidity", -1, std::nullopt, std::nullopt, {}},
                    AtCase{"Base", 60, "BASE", FC::Vfr, {}},
                    AtCase{"TempoBeside", 3 * 60, "BASE", FC::Vfr, {"TEMPO"}},
                    AtCase{"BecomingPreviousValuesPrevail", 7 * 60, "BASE", FC::Vfr, {}},
                    AtCase{"BecomingComplete", 8 * 60, "BECMG", FC::Mvfr, {}},
                    AtCase{"ProbBeside", 11 * 60, "BECMG", FC::Mvfr, {"PROB30"}},
                    AtCase{"ProbTempoWithoutCategory", 19 * 60, "BECMG", FC::Mvfr, {"PROB40 TEMPO"}},
                    AtCase{"FromReplacesAll", 25 * 60, "FM", FC::Vfr, {}},
                    AtCase{"AtTheEndOfTheValidity", 30 * 60, std::nullopt, std::nullopt, {}}),
    [](const testing::TestParamInfo<AtCase>& info) { return std::string(info.param.name); });

TEST(ForecastInForce, ABecomingKeepsWhatItDoesNotGive) {
    const auto at = forecastAt(forecast(), kStart + hours(9));
    ASSERT_TRUE(at);
    EXPECT_EQ(at->prevailing.visibilityM, 9999);
    EXPECT_EQ(at->prevailing.ceilingFt, 1200);
    EXPECT_EQ(at->prevailing.windSpeedKt, 12);
}

TEST(ForecastInForce, APeriodOfOnlyWeatherHasNoCategory) {
    EXPECT_EQ(forecast().periods[4].category, std::nullopt);
}

}  // namespace
}  // namespace wx
