#include <gtest/gtest.h>

#include <chrono>

#include "engine/SigmetSelection.h"

namespace wx {
namespace {

using nlohmann::json;

// 2026-10-02 20:20:00 UTC.
constexpr double kNowSec = 1790972400;
const auto kNow = std::chrono::system_clock::time_point{std::chrono::seconds{1790972400}};

json valid(const json& from, const json& to, const char* firId = "XXXX") {
    json sigmet{{"hazard", "TS"}, {"firId", firId}};
    if (!from.is_null()) {
        sigmet["validTimeFrom"] = from;
    }
    if (!to.is_null()) {
        sigmet["validTimeTo"] = to;
    }
    return sigmet;
}

json series(const char* icaoId, const char* firId, const char* hazard, const json& seriesId) {
    json sigmet{{"hazard", hazard}, {"seriesId", seriesId}};
    if (icaoId != nullptr) {
        sigmet["icaoId"] = icaoId;
    }
    if (firId != nullptr) {
        sigmet["firId"] = firId;
    }
    return sigmet;
}

json bulletin(const char* receiptTime, const char* firId = "MHTG") {
    return {{"icaoId", "MHTG"}, {"firId", firId}, {"receiptTime", receiptTime}, {"seriesId", "G1"},
            {"hazard", "TS"},   {"base", nullptr}, {"coords", json::array({{{"lat", 9.05}, {"lon", -83.617}}})}};
}

struct SelectionCase {
    const char* name;
    std::vector<json> list;
    std::vector<size_t> applied;  // indexes into the list
};

class SigmetSelection : public testing::TestWithParam<SelectionCase> {};

TEST_P(SigmetSelection, AppliesEachSigmetInForceOnce) {
    const SelectionCase& c = GetParam();
    const SigmetList selected = sigmetsToApply(c.list, kNow);
    std::vector<json> expected;
    for (const size_t index : c.applied) {
        expected.push_back(c.list[index]);
    }
    EXPECT_EQ(selected.applicable, expected);
    EXPECT_EQ(selected.listed, c.list.size());
}

INSTANTIATE_TEST_SUITE_P(
    Validity, SigmetSelection,
    testing::Values(
        SelectionCase{"WithoutTimes", {valid(nullptr, nullptr), json("TS"), valid(nullptr, nullptr, "YYYY")}, {0, 2}},
        SelectionCase{"InForceAsNumbers", {valid(kNowSec - 3600, kNowSec + 1), valid(kNowSec, nullptr)}, {0, 1}},
        SelectionCase{"EndedAtOrBeforeNow", {valid(nullptr, kNowSec), valid(kNowSec - 7200, kNowSec - 900)}, {}},
        SelectionCase{"BeginsAfterNow", {valid(kNowSec + 0.5, nullptr), valid(kNowSec + 10800, kNowSec + 25200)}, {}},
        SelectionCase{"InForceAsText",
                      {valid("2026-10-02T19:00Z", "2026-10-02T23:00:00Z"),
                       valid("2026-10-02T20:20:00.000+00:00", "2026-10-02T20:20:00.001Z")},
                      {0, 1}},
        SelectionCase{"EndedAsText", {valid("2026-10-02T16:05:00Z", "2026-10-02T20:05:00.25Z")}, {}},
        SelectionCase{"UnknownTimesLimitNothing",
                      {valid("2026-10-02 23:00", json::object()), valid(true, "2026-10-02T20:05:00+01:00"),
                       valid("2026-10-32T00:00Z", "20:05"), valid(json::array(), "2026-10-02T24:00Z")},
                      {0, 1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Once, SigmetSelection,
    testing::Values(
        SelectionCase{"TheForecastTwinGoes",
                      {series("PHFO", "KZAK", "TC", "TANGO 9"), series("PHFO", "KZAK", "TC", "TANGO 9F")},
                      {0}},
        SelectionCase{"ATwinBeforeItsSeriesGoesToo",
                      {series("MHTG", "MHTG", "VA", "1F"), series("MHTG", "MHTG", "VA", "1")},
                      {1}},
        SelectionCase{"TwinsWithAbsentMembers", {series(nullptr, nullptr, "VA", "2"), series(nullptr, nullptr, "VA", "2F")}, {0}},
        SelectionCase{"AnFWithoutItsSeriesStays",
                      {series("PHFO", "KZAK", "TC", "TANGO 9F"), series("PHFO", "KZAK", "TC", "TANGO 8")},
                      {0, 1}},
        SelectionCase{"TheSeriesOfAnotherFirOrHazard",
                      {series("PHFO", "KZAK", "TC", "9"), series("PHFO", "KZAK", "VA", "9F"),
                       series("PHFO", "PGZU", "TC", "9F"), series("PHFO", "KZAK", "TC", json(9)),
                       series("PHFO", "KZAK", "TC", "F")},
                      {0, 1, 2, 3, 4}},
        SelectionCase{"ARepeatedBulletinGoes",
                      {bulletin("2026-10-02T19:08:06.478Z"), bulletin("2026-10-02T19:08:06.480Z")},
                      {0}},
        SelectionCase{"OneSeriesOfOneOfficeForTwoBulletins",
                      {bulletin("2026-10-02T16:05:13.474Z", "NZZC"), bulletin("2026-10-02T19:47:16.700Z", "NZZO")},
                      {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
