#include <gtest/gtest.h>

#include <map>

#include "flight/DirectPlan.h"
#include "flight/PlanChoice.h"
#include "flight/PlanFile.h"
#include "support/ScratchDir.h"
#include "support/TestData.h"

namespace wx {
namespace {

const std::map<std::string, Airport> kAirports{{"EGSH", {52.6758, 1.2828, 35, "Norwich", "medium_airport"}},
                                               {"EGBB", {52.4539, -1.7480, 99, "Birmingham", "large_airport"}}};

std::optional<Airport> findAirport(const std::string& ident) {
    const auto it = kAirports.find(ident);
    return it == kAirports.end() ? std::nullopt : std::optional(it->second);
}

// An INI plan whose last waypoint, on line 7, lies at 92° north.
constexpr const char* kBrokenPlan =
    "[flightplan]\r\n"
    "title=EGSH to EGBB\r\n"
    "departure_id=EGSH, N52* 40.55', E1* 16.93', +000117.00\r\n"
    "destination_id=EGBB, N52* 27.21', W1* 44.88', +000325.00\r\n"
    "waypoint.0=EGSH, A, N52* 40.55', E1* 16.93', +000117.00, \r\n"
    "waypoint.1=DTY, V, N52* 10.81', W1* 6.83', +009500.00, \r\n"
    "waypoint.2=EGBB, A, N92* 27.21', W1* 44.88', +000325.00, \r\n";

struct ChoiceCase {
    const char* name;
    PlanChoice choice;         // "{plans}" and "{scratch}" stand for those folders in the path
    const char* planFile;      // the plan expected, read from the test data; empty: made or none
    bool direct;               // the plan of one leg EGSH to EGBB expected
    const char* warning;       // "{path}" stands for the choice's path
};

class TakingAPlan : public testing::TestWithParam<ChoiceCase> {};

std::string replaced(std::string text, const std::string& key, const std::string& value) {
    if (const size_t at = text.find(key); at != std::string::npos) {
        text.replace(at, key.size(), value);
    }
    return text;
}

TEST_P(TakingAPlan, GivesThePlanOrOneWarning) {
    const ChoiceCase& c = GetParam();
    test::ScratchDir scratch;
    scratch.write("broken.pln", kBrokenPlan);
    PlanChoice choice = c.choice;
    choice.planPath = replaced(replaced(choice.planPath, "{plans}", test::testDataPath("plans")), "{scratch}",
                               scratch.path());
    const TakenPlan taken = takePlan(choice, findAirport);
    EXPECT_EQ(taken.warning, replaced(c.warning, "{path}", choice.planPath));
    if (*c.planFile != '\0') {
        EXPECT_EQ(taken.plan, readPlanFile(test::testDataPath(std::string("plans/") + c.planFile)).plan);
    } else if (c.direct) {
        EXPECT_EQ(taken.plan, makeDirectPlan("EGSH", kAirports.at("EGSH"), "EGBB", kAirports.at("EGBB")));
    } else {
        EXPECT_FALSE(taken.plan);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TakingAPlan,
    testing::Values(
        ChoiceCase{"NothingAskedNothingSaid", {}, "", false, ""},
        ChoiceCase{"OneTypedAirportIsNoPlan", {"", "EGSH", "", "EGNX"}, "", false, ""},
        ChoiceCase{"APlanFile", {"{plans}/fs9-short-egsh-egbb.pln", "", "", "EGNX"}, "fs9-short-egsh-egbb.pln",
                   false, ""},
        // The file names its own airports; those typed beside it are not looked at.
        ChoiceCase{"APlanFileBeforeTypedAirports", {"{plans}/lnm-vfr-lflp-lfle.pln", "EGSH", "EGBB", ""},
                   "lnm-vfr-lflp-lfle.pln", false, ""},
        ChoiceCase{"TypedAirportsMakeALegOfTheirOwn", {"", "egsh", "EGBB", ""}, "", true, ""},
        ChoiceCase{"ABrokenFileNamesItsFirstLineAtFault", {"{scratch}/broken.pln", "", "", ""}, "", false,
                   "Flight plan not read: {path}, line 7: waypoint.2: latitude \"N92* 27.21'\" is out of range"},
        ChoiceCase{"AMissingFile", {"{scratch}/none.pln", "", "", ""}, "", false,
                   "Flight plan not read: {path}: the file cannot be opened"},
        ChoiceCase{"AnUnknownAirport", {"", "EGSH", "EGXX", ""}, "", false,
                   "Flight plan not made: EGXX not in the airport list"},
        ChoiceCase{"TwoUnknownAirports", {"", "EGYY", "EGXX", ""}, "", false,
                   "Flight plan not made: EGYY, EGXX not in the airport list"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
