#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "flight/PlanFile.h"
#include "support/ScratchDir.h"
#include "support/TestData.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using namespace std::string_literals;

std::string planText(const std::string& name) {
    std::ifstream in(utf8Path(test::testDataPath("plans/" + name)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct RealPlanCase {
    const char* file;
    const char* departureId;
    const char* destinationId;
    const char* departureName;
    std::optional<int> cruiseFt;
    size_t waypointCount;
    const char* firstIdent;
    const char* lastIdent;
};

class RealPlan : public testing::TestWithParam<RealPlanCase> {};

TEST_P(RealPlan, ReadsTheHeaderAndEveryWaypointInOrder) {
    const RealPlanCase& c = GetParam();
    const PlanReadResult result = readPlanFile(test::testDataPath(std::string("plans/") + c.file));
    ASSERT_TRUE(result.plan) << result.failure.line << ": " << result.failure.reason;
    const FlightPlan& plan = *result.plan;
    EXPECT_EQ(plan.departureId, c.departureId);
    EXPECT_EQ(plan.destinationId, c.destinationId);
    EXPECT_EQ(plan.departureName, c.departureName);
    EXPECT_EQ(plan.cruiseFt, c.cruiseFt);
    ASSERT_EQ(plan.waypoints.size(), c.waypointCount);
    EXPECT_EQ(plan.waypoints.front().ident, c.firstIdent);
    EXPECT_EQ(plan.waypoints.back().ident, c.lastIdent);
    EXPECT_EQ(plan.waypoints.front().type, 'A');
    EXPECT_EQ(plan.waypoints.back().type, 'A');
}

INSTANTIATE_TEST_SUITE_P(
    Files, RealPlan,
    testing::Values(
        RealPlanCase{"lnm-vfr-lflp-lfle.pln", "LFLP", "LFLE", "Annecy Haute-Sovoie Mont Blanc Meythet", 6500, 7, "LFLP",
                     "LFLE"},
        RealPlanCase{"lnm-ifr-eghj-egpc.pln", "EGHJ", "EGPC", "Bembridge", 10000, 24, "EGHJ", "EGPC"},
        RealPlanCase{"hudbar-ifr-lszh-lsgg.pln", "LSZH", "LSGG", "Zurich", 14000, 19, "LSZH", "LSGG"},
        RealPlanCase{"fs9-short-egsh-egbb.pln", "EGSH", "EGBB", "Norwich", 9500, 3, "EGSH", "EGBB"},
        RealPlanCase{"fs9-long-lsgg-egmc.pln", "LSGG", "EGMC", "Geneva", 35000, 7, "LSGG", "EGMC"},
        RealPlanCase{"fs9-vfr-lflp-lsgg-cp1252.pln", "LFLP", "LSGG", "Annecy Meythet", 4500, 4, "LFLP", "LSGG"}));

TEST(PlanFile, XmlWaypointsKeepTypeAirwayPositionAndAltitude) {
    const PlanReadResult result = readPlanText(planText("lnm-ifr-eghj-egpc.pln"));
    ASSERT_TRUE(result.plan);
    const Waypoint& sam = result.plan->waypoints[1];
    EXPECT_EQ(sam, (Waypoint{"SAM", 'V', 50 + 57 / 60.0 + 18.90 / 3600, -(1 + 20 / 60.0 + 42.20 / 3600), 0.0, ""}));
    EXPECT_EQ(result.plan->waypoints[2].ident, "PEPIS");
    EXPECT_EQ(result.plan->waypoints[2].type, 'I');
    EXPECT_EQ(result.plan->waypoints[2].airway, "Q41");
    EXPECT_EQ(result.plan->waypoints.front().altitudeFt, 55.0);
    EXPECT_EQ(result.plan->title, "EGHJ to EGPC");
}

TEST(PlanFile, XmlIdentComesFromIcaoIdentBeforeTheIdAttribute) {
    const PlanReadResult result = readPlanText(planText("hudbar-ifr-lszh-lsgg.pln"));
    ASSERT_TRUE(result.plan);
    EXPECT_EQ(result.plan->waypoints[0].ident, "LSZH");  // id="Zurich"
    EXPECT_EQ(result.plan->waypoints[1].ident, "RW34");  // no <ICAO>
    EXPECT_EQ(result.plan->waypoints[1].type, 'U');
}

TEST(PlanFile, IniLongFormTakesTheIdentTypeAndAirway) {
    const PlanReadResult result = readPlanText(planText("fs9-long-lsgg-egmc.pln"));
    ASSERT_TRUE(result.plan);
    const Waypoint& tro = result.plan->waypoints[2];
    EXPECT_EQ(tro, (Waypoint{"TRO", 'V', 48 + 15.07 / 60, 3 + 57.79 / 60, 0.0, "UN871"}));
    EXPECT_EQ(result.plan->waypoints[0].altitudeFt, 1410.99);
    EXPECT_EQ(result.plan->title, "LSGG to EGMC");
}

TEST(PlanFile, IniKeysInAnyCaseWaypointsByNumberNamesAsBytes) {
    const PlanReadResult result = readPlanText(planText("fs9-vfr-lflp-lsgg-cp1252.pln"));
    ASSERT_TRUE(result.plan);
    EXPECT_EQ(result.plan->destinationName, "Gen\xE8ve A\xE9roport");
    EXPECT_EQ(result.plan->title, "LFLP to LSGG");
    ASSERT_EQ(result.plan->waypoints.size(), 4u);
    EXPECT_EQ(result.plan->waypoints[1].ident, "SALEV");
    EXPECT_EQ(result.plan->waypoints[1].type, 'U');
    EXPECT_EQ(result.plan->waypoints[2].type, 'N');
}

TEST(PlanFile, IniShortFormWithoutAirwayAndCrLfAndByteOrderMark) {
    const PlanReadResult result = readPlanText(planText("fs9-short-egsh-egbb.pln"));
    ASSERT_TRUE(result.plan);
    EXPECT_EQ(result.plan->waypoints[1], (Waypoint{"DTY", 'V', 52 + 10.81 / 60, -(1 + 6.83 / 60), 9500.0, ""}));
}

struct BrokenCase {
    const char* name;
    std::string text;
    int line;
    const char* reasonPart;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class BrokenPlan : public testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenPlan, FailsAtTheFirstLineAtFaultSayingWhy) {
    const BrokenCase& c = GetParam();
    const PlanReadResult result = readPlanText(c.text);
    ASSERT_FALSE(result.plan);
    EXPECT_EQ(result.failure.line, c.line) << result.failure.reason;
    EXPECT_NE(result.failure.reason.find(c.reasonPart), std::string::npos) << result.failure.reason;
}

const std::string kIniHead = "[flightplan]\ndeparture_id=EGSH\ndestination_id=EGBB\n";
const std::string kXmlHead =
    "<?xml version=\"1.0\"?>\n<SimBase.Document>\n<FlightPlan.FlightPlan>\n"
    "<DepartureID>EGSH</DepartureID>\n<DestinationID>EGBB</DestinationID>\n";
const std::string kXmlTail = "</FlightPlan.FlightPlan>\n</SimBase.Document>\n";

INSTANTIATE_TEST_SUITE_P(
    Plans, BrokenPlan,
    testing::Values(
        BrokenCase{"Empty", "", 0, "empty"}, BrokenCase{"OnlyWhiteSpace", " \r\n\t\n", 0, "empty"},
        BrokenCase{"TooLarge", std::string(kPlanFileMaxBytes + 1, ' '), 0, "larger than 4 MB"},
        BrokenCase{"Binary", "[flightplan]\ntitle=a\n\x01\x02\0\x03"s, 3, "NUL byte"},
        BrokenCase{"Utf16", "\xFF\xFE[\0f\0"s, 0, "UTF-16"},
        BrokenCase{"NotAPlan", "hello\nworld\n", 1, "no [flightplan] section"},
        BrokenCase{"IniNoDestination", "; plan\n[flightplan]\ndeparture_id=EGSH\nwaypoint.0=EGSH, A, N1* 0', E1* 0', 0,\n",
                   2, "no destination"},
        BrokenCase{"IniNoDeparture", "[flightplan]\ndestination_id=EGBB\n", 1, "no departure"},
        BrokenCase{"IniWaypointOutOfRange", kIniHead + "waypoint.0=EGSH, A, N52* 40.55', E1* 16.93', +0,\n"
                                                       "waypoint.1=DTY, V, N95* 10.81', W1* 6.83', +0,\n",
                   5, "latitude \"N95* 10.81'\" is out of range"},
        BrokenCase{"IniAirportOutOfRange", "[flightplan]\ndeparture_id=EGSH, N52* 40.55', E181* 16.93', +0\n", 2,
                   "departure_id: longitude"},
        BrokenCase{"IniWaypointTooFewFields", kIniHead + "waypoint.0=DTY, V, N52* 10.81'\n", 4, "not 3"},
        BrokenCase{"IniWaypointType", kIniHead + "waypoint.0=DTY, X, N52* 10.81', W1* 6.83', +0,\n", 4,
                   "type \"X\" is not one of A V N I U"},
        BrokenCase{"IniWaypointAltitude", kIniHead + "waypoint.0=DTY, V, N52* 10.81', W1* 6.83', high,\n", 4,
                   "altitude \"high\""},
        BrokenCase{"IniWaypointNoIdent", kIniHead + "waypoint.0=, , , , V, N52* 10.81', W1* 6.83', +0,\n", 4,
                   "no ident"},
        BrokenCase{"IniWaypointNumber", kIniHead + "waypoint.x=DTY, V, N52* 10.81', W1* 6.83', +0,\n", 4,
                   "waypoint.N with a number"},
        BrokenCase{"IniWaypointTwice", kIniHead + "waypoint.1=DTY, V, N52* 10.81', W1* 6.83', +0,\n"
                                                  "waypoint.01=DTY, V, N52* 10.81', W1* 6.83', +0,\n",
                   5, "waypoint.1 appears twice"},
        BrokenCase{"IniAirportIdent", "[flightplan]\ndeparture_id=EGSHX, N52* 40.55', E1* 16.93'\n", 2,
                   "\"EGSHX\" is not 3 or 4 letters or digits"},
        BrokenCase{"IniCruise", kIniHead + "cruising_altitude=FL95\n", 4, "cruising_altitude \"FL95\""},
        BrokenCase{"XmlNoDestination",
                   "<SimBase.Document><FlightPlan.FlightPlan>\n<DepartureID>EGSH</DepartureID>\n" + kXmlTail, 1,
                   "no destination (<DestinationID>)"},
        BrokenCase{"XmlOutOfRange", kXmlHead + "<ATCWaypoint id=\"X\">\n<WorldPosition>N10* 0',E200* 0',+0</WorldPosition>\n"
                                               "</ATCWaypoint>\n" + kXmlTail,
                   7, "<WorldPosition> of X: longitude"},
        BrokenCase{"XmlNoPosition", kXmlHead + "<ATCWaypoint id=\"P34\">\n</ATCWaypoint>\n" + kXmlTail, 6,
                   "P34 has no <WorldPosition>"},
        BrokenCase{"XmlMismatchedTag", kXmlHead + "<Title>a</Titel>\n" + kXmlTail, 6, "</Titel> does not close <Title>"},
        BrokenCase{"XmlUnclosed", kXmlHead + "<Title>a\n", 7, "<Title> of line 6 is not closed"},
        BrokenCase{"XmlEntity", kXmlHead + "<Title>a&nbsp;b</Title>\n" + kXmlTail, 6, "unknown entity \"&nbsp;\""},
        BrokenCase{"XmlOtherDocument", "<html><body/></html>", 1, "not a flight plan"},
        BrokenCase{"XmlNoPlanElement", "<SimBase.Document>\n<Descr>x</Descr>\n</SimBase.Document>", 1,
                   "no <FlightPlan.FlightPlan>"},
        BrokenCase{"XmlTagWithoutName", "<SimBase.Document>\n< a/>", 2, "a tag without a name"},
        BrokenCase{"XmlNestedTooDeep", [] {
                       std::string text;
                       for (int i = 0; i < 40; ++i) {
                           text += "<a>\n";
                       }
                       return text;
                   }(),
                   33, "nest deeper than 32"},
        BrokenCase{"XmlTextAfterRoot", kXmlHead + kXmlTail + "tail", 8, "text after the end"}));

TEST(PlanFile, XmlReadsCommentsEntitiesCdataAndTextAroundComments) {
    const PlanReadResult result = readPlanText(
        "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE plan>\n<!-- a plan -->\n<SimBase.Document Type='AceXML'>\n"
        "<FlightPlan.FlightPlan>\n<Title>\n KVNY to KBUR\n <!-- the title -->\n</Title>\n"
        "<DepartureName>Van &amp; Nuys &lt;&gt;&quot;&apos;</DepartureName>\n<DestinationName><![CDATA[Bob <Hope>]]></DestinationName>\n"
        "<CruisingAlt>00000</CruisingAlt>\n<DepartureID>kvny</DepartureID>\n<DestinationID>KBUR</DestinationID>\n"
        "<ATCWaypoint id=\"A&amp;B\"><ATCWaypointType>ATC</ATCWaypointType>"
        "<WorldPosition>N34\xC2\xB0 12' 36.57\",W118\xC2\xB0 29' 24.03\",+000775.50</WorldPosition></ATCWaypoint>\n"
        "</FlightPlan.FlightPlan>\n</SimBase.Document>\n<!-- end -->\n");
    ASSERT_TRUE(result.plan) << result.failure.line << ": " << result.failure.reason;
    EXPECT_EQ(result.plan->title, "KVNY to KBUR");
    EXPECT_EQ(result.plan->departureName, "Van & Nuys <>\"'");
    EXPECT_EQ(result.plan->destinationName, "Bob <Hope>");
    EXPECT_EQ(result.plan->departureId, "KVNY");
    EXPECT_EQ(result.plan->cruiseFt, std::nullopt);
    ASSERT_EQ(result.plan->waypoints.size(), 1u);
    EXPECT_EQ(result.plan->waypoints[0].ident, "A&B");
    EXPECT_EQ(result.plan->waypoints[0].type, 'U');
}

TEST(PlanFile, IniIgnoresUnknownKeysLinesWithoutValueAndOtherSections) {
    const PlanReadResult result = readPlanText(
        "[fsdata]\nwaypoint.0=junk\n[flightplan]\nsome words\nunknown_key=??\ntitle=First\nTitle=Second\n"
        "departure_id=EGSH\ndestination_id=EGBB\ncruising_altitude=0\n[other]\ndestination_id=XXXX\n");
    ASSERT_TRUE(result.plan) << result.failure.line << ": " << result.failure.reason;
    EXPECT_EQ(result.plan->title, "First");
    EXPECT_EQ(result.plan->destinationId, "EGBB");
    EXPECT_EQ(result.plan->cruiseFt, std::nullopt);
    EXPECT_TRUE(result.plan->waypoints.empty());
}

TEST(PlanFile, FileReadsAsItsTextAndRefusesLargeOrMissingFiles) {
    const test::ScratchDir folder;
    const std::string big = folder.path("big.pln");
    {
        std::ofstream out(utf8Path(big), std::ios::binary);
        out << "[flightplan]\n";
    }
    std::filesystem::resize_file(utf8Path(big), 10 * 1024 * 1024);
    const PlanReadResult tooLarge = readPlanFile(big);
    EXPECT_FALSE(tooLarge.plan);
    EXPECT_EQ(tooLarge.failure, (PlanFailure{0, "the file is larger than 4 MB: not a flight plan"}));

    const PlanReadResult missing = readPlanFile(folder.path("none.pln"));
    EXPECT_FALSE(missing.plan);
    EXPECT_EQ(missing.failure, (PlanFailure{0, "the file cannot be opened"}));

    const std::string name = "fs9-long-lsgg-egmc.pln";
    EXPECT_EQ(readPlanFile(test::testDataPath("plans/" + name)).plan, readPlanText(planText(name)).plan);
}

}  // namespace
}  // namespace wx
