#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "EngineTestKit.h"
#include "engine/StationSelection.h"

namespace wx {
namespace {

using Ids = std::vector<std::string>;

struct SelectionCase {
    const char* name;
    std::function<void(EngineSettings&)> arrange;
    std::optional<SimPosition> position;
    Ids sorted;
    Ids working;
    std::optional<Ids> announced;  // what onStations was given, if it was called
};

class StationSelection : public testing::TestWithParam<SelectionCase> {};

Ids idsOf(const std::vector<StationEntry>& entries) {
    Ids ids;
    for (const StationEntry& entry : entries) {
        ids.push_back(entry.stationId);
    }
    return ids;
}

TEST_P(StationSelection, ChoosesAndOrdersTheStations) {
    const SelectionCase& c = GetParam();
    test::EngineRig rig;
    EngineSettings settings;
    c.arrange(settings);
    std::optional<Ids> announced;
    const StationChoice choice = chooseStations(settings, c.position, rig.airports,
                                                [&](const Ids& ids) { announced = ids; });
    EXPECT_EQ(idsOf(choice.sorted), c.sorted);
    EXPECT_EQ(idsOf(choice.working), c.working);
    EXPECT_EQ(announced, c.announced);
}

const SimPosition kSouth{50.0, 8.0};  // 0.1 to 1.0 degrees south of the ten airports
const Ids kAll{"EAAA", "EBBB", "ECCC", "EDDD", "EEEE", "EFFF", "EGGG", "EHHH", "EIII", "EJJJ"};

void manual(EngineSettings& s, Ids ids) {
    s.stationMode = "manual";
    s.manualStations = std::move(ids);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StationSelection,
    testing::Values(
        SelectionCase{"AutoWithoutPositionFindsNothingAndSaysNothing", [](EngineSettings&) {}, std::nullopt, {}, {},
                      std::nullopt},
        SelectionCase{"AutoWithNothingInRangeSaysSo", [](EngineSettings&) {}, SimPosition{0.0, 0.0}, {}, {}, Ids{}},
        SelectionCase{"AutoTakesMaxStationsWithinTheRadius",
                      [](EngineSettings& s) {
                          s.denseField = false;
                          s.maxStations = 3;
                      },
                      kSouth, Ids{"EAAA", "EBBB", "ECCC"}, Ids{"EAAA", "EBBB", "ECCC"}, Ids{"EAAA", "EBBB", "ECCC"}},
        // Dense field: at least 20 stations (so all ten here), within at
        // most 150 nm, which the 300 nm asked for would exceed.
        SelectionCase{"DenseFieldRaisesTheCount",
                      [](EngineSettings& s) {
                          s.maxStations = 5;
                          s.radiusNm = 300;
                      },
                      kSouth, kAll, kAll, kAll},
        // 0.5 degrees is 30.02 nm, just beyond a 30 nm radius.
        SelectionCase{"DenseFieldKeepsASmallerRadius",
                      [](EngineSettings& s) {
                          s.maxStations = 40;
                          s.radiusNm = 30;
                      },
                      kSouth, Ids{"EAAA", "EBBB", "ECCC", "EDDD"}, Ids{"EAAA", "EBBB", "ECCC", "EDDD"},
                      Ids{"EAAA", "EBBB", "ECCC", "EDDD"}},
        SelectionCase{"OnlyNearestWritesTheFirst", [](EngineSettings& s) { s.onlyNearest = true; }, kSouth, kAll,
                      Ids{"EAAA"}, kAll},
        SelectionCase{"OnlyNearestOfNothingIsNothing", [](EngineSettings& s) { s.onlyNearest = true; },
                      std::nullopt, {}, {}, std::nullopt},
        SelectionCase{"ManualWithoutPositionKeepsTheUsersOrder",
                      [](EngineSettings& s) { manual(s, {"EJJJ", "XXXX", "EAAA"}); }, std::nullopt,
                      Ids{"EJJJ", "XXXX", "EAAA"}, Ids{"EJJJ", "XXXX", "EAAA"}, std::nullopt},
        SelectionCase{"ManualSortsKnownStationsAndPutsUnknownOnesLast",
                      [](EngineSettings& s) { manual(s, {"ZZZZ", "EJJJ", "XXXX", "eaaa", "EEEE"}); }, kSouth,
                      Ids{"eaaa", "EEEE", "EJJJ", "ZZZZ", "XXXX"}, Ids{"eaaa", "EEEE", "EJJJ", "ZZZZ", "XXXX"},
                      std::nullopt},
        SelectionCase{"AnyModeButAutoIsManual",
                      [](EngineSettings& s) {
                          s.stationMode = "Auto";
                          s.manualStations = {"EBBB"};
                      },
                      kSouth, Ids{"EBBB"}, Ids{"EBBB"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

using Roles = std::vector<std::pair<std::string, StationRole>>;

struct PlanAirportsCase {
    const char* name;
    std::function<void(EngineSettings&)> arrange;
    Roles working;                    // the nearest stations written and their roles
    std::vector<StationEntry> plan;   // the plan's airports written besides them
};

class PlanAirportSelection : public testing::TestWithParam<PlanAirportsCase> {};

TEST_P(PlanAirportSelection, MarksOrAddsThePlansAirports) {
    test::EngineRig rig;
    EngineSettings settings = test::EngineRig::threeStations();
    GetParam().arrange(settings);
    const StationChoice choice = chooseStations(settings, kSouth, rig.airports, nullptr);
    Roles working;
    for (const StationEntry& entry : choice.working) {
        working.emplace_back(entry.stationId, entry.role);
    }
    EXPECT_EQ(working, GetParam().working);
    EXPECT_EQ(choice.plan, GetParam().plan);
}

// From the second of the three nearest to the tenth airport.
void flyPlan(EngineSettings& s, const std::string& alternate) {
    s.plan = FlightPlan{};
    s.plan->departureId = "EBBB";
    s.plan->destinationId = "EJJJ";
    s.alternateId = alternate;
}

const double kTenthNm = distanceNm(50.0, 8.0, 51.0, 8.0);
const double kEighthNm = distanceNm(50.0, 8.0, 50.8, 8.0);
constexpr auto kNear = StationRole::Nearest;
constexpr auto kDep = StationRole::Departure;

INSTANTIATE_TEST_SUITE_P(
    Cases, PlanAirportSelection,
    testing::Values(
        PlanAirportsCase{"AnAlternateWithoutAPlanIsNothing", [](EngineSettings& s) { s.alternateId = "EHHH"; },
                         Roles{{"EAAA", kNear}, {"EBBB", kNear}, {"ECCC", kNear}}, {}},
        PlanAirportsCase{"AnAirportAmongTheNearestKeepsItsPlace", [](EngineSettings& s) { flyPlan(s, "EHHH"); },
                         Roles{{"EAAA", kNear}, {"EBBB", kDep}, {"ECCC", kNear}},
                         {{"EJJJ", kTenthNm, StationRole::Destination}, {"EHHH", kEighthNm, StationRole::Alternate}}},
        PlanAirportsCase{"OnlyNearestAddsThoseItDoesNotWrite",
                         [](EngineSettings& s) {
                             flyPlan(s, "");
                             s.onlyNearest = true;
                         },
                         Roles{{"EAAA", kNear}},
                         {{"EBBB", distanceNm(50.0, 8.0, 50.2, 8.0), kDep},
                          {"EJJJ", kTenthNm, StationRole::Destination}}},
        PlanAirportsCase{"AnAlternateThatIsTheDestinationIsWrittenOnce", [](EngineSettings& s) { flyPlan(s, "ejjj"); },
                         Roles{{"EAAA", kNear}, {"EBBB", kDep}, {"ECCC", kNear}},
                         {{"EJJJ", kTenthNm, StationRole::Destination}}},
        PlanAirportsCase{"AnAirportTheListLacksHasNoDistance", [](EngineSettings& s) { flyPlan(s, "XXXX"); },
                         Roles{{"EAAA", kNear}, {"EBBB", kDep}, {"ECCC", kNear}},
                         {{"EJJJ", kTenthNm, StationRole::Destination},
                          {"XXXX", kUnknownDistanceNm, StationRole::Alternate}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StationSelectionDistances, ManualStationsCarryTheirDistanceOrThePlaceholder) {
    test::EngineRig rig;
    EngineSettings settings;
    manual(settings, {"XXXX", "EAAA"});
    const StationChoice choice = chooseStations(settings, kSouth, rig.airports, nullptr);
    ASSERT_EQ(choice.sorted.size(), 2u);
    EXPECT_DOUBLE_EQ(choice.sorted[0].distanceNm, distanceNm(50.0, 8.0, 50.1, 8.0));
    EXPECT_EQ(choice.sorted[1].distanceNm, 99999.0);
}

}  // namespace
}  // namespace wx
