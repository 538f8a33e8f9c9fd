#include <gtest/gtest.h>

#include "engine/SigmetSelection.h"

namespace wx {
namespace {

using nlohmann::json;

// 2026-10-02 20:20:00 UTC.
constexpr double kNowSec = 1790972400;

json valid(const json& from, const json& to, const char* firId = "XXXX") {
    return {{"hazard", "TS"}, {"firId", firId}, {"validTimeFrom", from}, {"validTimeTo", to}};
}

json series(const char* firId, const char* hazard, const json& seriesId) {
    return {{"icaoId", "PHFO"}, {"firId", firId}, {"hazard", hazard}, {"seriesId", seriesId}};
}

json bulletin(const char* receiptTime, const char* firId = "MHTG") {
    return {{"icaoId", "MHTG"}, {"firId", firId}, {"receiptTime", receiptTime}, {"seriesId", "G1"}, {"hazard", "TS"}};
}

struct SigmetSelectionCase {
    const char* name;
    std::vector<json> list;
    std::vector<size_t> applied;  // indexes into the list
};

class SigmetSelection : public testing::TestWithParam<SigmetSelectionCase> {};

TEST_P(SigmetSelection, AppliesEachSigmetInForceOnce) {
    const SigmetList selected =
        sigmetsToApply(GetParam().list, std::chrono::system_clock::time_point{std::chrono::seconds{1790972400}});
    std::vector<json> expected;
    for (const size_t index : GetParam().applied) {
        expected.push_back(GetParam().list[index]);
    }
    EXPECT_EQ(selected.applicable, expected);
    EXPECT_EQ(selected.listed, GetParam().list.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SigmetSelection,
    testing::Values(
        SigmetSelectionCase{"WithoutTimes", {valid(nullptr, nullptr), json("TS"), valid(nullptr, nullptr, "YYYY")}, {0, 2}},
        SigmetSelectionCase{"InForceAsNumbers", {valid(kNowSec - 3600, kNowSec + 1), valid(kNowSec, nullptr)}, {0, 1}},
        SigmetSelectionCase{"EndedAtOrBeforeNow", {valid(nullptr, kNowSec), valid(kNowSec - 7200, kNowSec - 900)}, {}},
        SigmetSelectionCase{"BeginsAfterNow", {valid(kNowSec + 0.5, nullptr), valid(kNowSec + 10800, kNowSec + 25200)}, {}},
        SigmetSelectionCase{"TimesAsText",
                      {valid("2026-10-02T19:00Z", "2026-10-02T23:00:00Z"),
                       valid("2026-10-02T20:20:00.000+00:00", "2026-10-02T20:20:00.001Z"),
                       valid("2026-10-02T16:05:00Z", "2026-10-02T20:05:00.25Z")},
                      {0, 1}},
        SigmetSelectionCase{"UnknownTimesLimitNothing",
                      {valid("2026-10-02 23:00", json::object()), valid(true, "2026-10-02T20:05:00+01:00"),
                       valid("2026-10-32T00:00Z", "20:05"), valid(json::array(), "2026-10-02T24:00Z")},
                      {0, 1, 2, 3}},
        SigmetSelectionCase{"TheForecastTwinGoes", {series("KZAK", "TC", "TANGO 9F"), series("KZAK", "TC", "TANGO 9")}, {1}},
        SigmetSelectionCase{"TwinsWithAbsentMembers", {json{{"seriesId", "2"}}, json{{"seriesId", "2F"}}}, {0}},
        SigmetSelectionCase{"NoTwinOfAnotherSeriesFirOrHazard",
                      {series("KZAK", "TC", "9"), series("KZAK", "VA", "9F"), series("PGZU", "TC", "9F"),
                       series("KZAK", "TC", "8F"), series("KZAK", "TC", json(9)), series("KZAK", "TC", "F")},
                      {0, 1, 2, 3, 4, 5}},
        SigmetSelectionCase{"ARepeatedBulletinGoes",
                      {bulletin("2026-10-02T19:08:06.478Z"), bulletin("2026-10-02T19:08:06.480Z")},
                      {0}},
        SigmetSelectionCase{"OneSeriesOfOneOfficeForTwoBulletins",
                      {bulletin("2026-10-02T16:05:13.474Z", "NZZC"), bulletin("2026-10-02T19:47:16.700Z", "NZZO")},
                      {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
