#include <gtest/gtest.h>

#include <functional>

#include "briefing/TafAnswer.h"

namespace wx {
namespace {

UtcMillis at(long long seconds) { return UtcMillis(std::chrono::seconds(seconds)); }

// One forecast of the shape the service sends (from the Jerez answer: base
// and a BECMG whose "timeBec" is text), with the members given put over
// its second period.
std::string answerWith(const std::string& issueTime, const std::string& periodMembers) {
    return R"([{"icaoId":"LEJR","issueTime":)" + issueTime +
           R"(,"validTimeFrom":1698418800,"validTimeTo":1698505200,"rawTAF":"TAF LEJR ...","fcsts":[
        {"timeFrom":1698418800,"timeTo":1698429600,"timeBec":null,"fcstChange":null,"probability":null,
         "wdir":260,"wspd":10,"wgst":null,"visib":"6+","wxString":null,
         "clouds":[{"cover":"FEW","base":3000,"type":null}]},
        {"timeFrom":1698429600,"timeTo":1698490800,)" +
           periodMembers + "}]}]";
}

struct ShapeCase {
    const char* name;
    std::string issueTime;
    std::string period;
    std::function<void(const Taf&)> check;
};

class TafShapes : public testing::TestWithParam<ShapeCase> {};

TEST_P(TafShapes, AreReadAsTheServiceMeansThem) {
    std::vector<std::string> lines;
    const auto tafs = decodeTafAnswer(answerWith(GetParam().issueTime, GetParam().period),
                                      [&](const std::string& m, const std::string&) { lines.push_back(m); });
    ASSERT_TRUE(tafs);
    ASSERT_EQ(tafs->size(), 1u) << testing::PrintToString(lines);
    EXPECT_EQ(tafs->front().validFrom, at(1698418800));
    ASSERT_EQ(tafs->front().periods.size(), 2u) << testing::PrintToString(lines);
    GetParam().check(tafs->front());
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, TafShapes,
    testing::Values(
        ShapeCase{"IsoIssueTimeAndTextBecoming", R"("2023-10-27T14:00:00.000Z")",
                  R"("timeBec":"1698436800","fcstChange":"BECMG","wdir":"VRB","wspd":2,"visib":"6+")",
                  [](const Taf& t) {
                      EXPECT_EQ(t.issued, at(1698415200));
                      EXPECT_EQ(t.periods[1].becomingEnd, at(1698436800));
                      EXPECT_EQ(t.periods[1].change, "BECMG");
                      EXPECT_TRUE(t.periods[1].windVariable);
                      EXPECT_EQ(t.periods[1].windDirDeg, std::nullopt);
                      EXPECT_EQ(t.periods[1].visibilityM, 9999);
                  }},
        ShapeCase{"SpacedIssueTimeAndNumberBecoming", R"("2023-10-27 14:00:00")",
                  R"("timeBec":1698436800,"fcstChange":"BECMG","wdir":240,"wspd":10,"wgst":20)",
                  [](const Taf& t) {
                      EXPECT_EQ(t.issued, at(1698415200));
                      EXPECT_EQ(t.periods[1].becomingEnd, at(1698436800));
                      EXPECT_EQ(t.periods[1].windDirDeg, 240);
                      EXPECT_EQ(t.periods[1].gustKt, 20);
                  }},
        ShapeCase{"OnlyWhatChanges", "1698415200",
                  R"("fcstChange":"TEMPO","probability":null,"wxString":"TSRA")",
                  [](const Taf& t) {
                      const TafPeriod& p = t.periods[1];
                      EXPECT_EQ(p.change, "TEMPO");
                      EXPECT_EQ(p.weather, "TSRA");
                      EXPECT_EQ(p.windSpeedKt, std::nullopt);
                      EXPECT_EQ(p.visibilityM, std::nullopt);
                      EXPECT_FALSE(p.cloudsGiven);
                      EXPECT_EQ(p.category, std::nullopt);
                  }},
        ShapeCase{"EmptyVisibility", "null", R"("fcstChange":"FM","visib":"","clouds":[{"cover":"OVC","base":800}])",
                  [](const Taf& t) {
                      EXPECT_EQ(t.periods[1].visibilityM, std::nullopt);
                      EXPECT_EQ(t.periods[1].ceilingFt, 800);
                      EXPECT_EQ(t.periods[1].category, FlightCategory::Ifr);
                  }},
        ShapeCase{"ProbWithTempoAndObscuredSky", "null",
                  R"("fcstChange":"TEMPO","probability":40,"visib":0.25,"vertVis":200,
                     "clouds":[{"cover":"SCT","base":100},{"cover":"OVX","base":null}])",
                  [](const Taf& t) {
                      EXPECT_EQ(t.periods[1].change, "PROB40 TEMPO");
                      EXPECT_EQ(t.periods[1].visibilityM, 402);
                      EXPECT_EQ(t.periods[1].ceilingFt, 200);
                      EXPECT_EQ(t.periods[1].category, FlightCategory::Lifr);
                  }},
        ShapeCase{"TimesAsText", "null",
                  R"("timeFrom":"2023-10-27T18:00:00Z","fcstChange":"PROB","probability":30,"visib":"2")",
                  [](const Taf& t) {
                      EXPECT_EQ(t.periods[1].from, at(1698429600));
                      EXPECT_EQ(t.periods[1].change, "PROB30");
                      EXPECT_EQ(t.periods[1].visibilityM, 3219);
                  }}),
    [](const testing::TestParamInfo<ShapeCase>& info) { return std::string(info.param.name); });

TEST(TafAnswer, ABrokenForecastIsLeftOutWithALine) {
    std::vector<std::string> lines;
    const auto tafs = decodeTafAnswer(
        R"([{"icaoId":"EGLL","validTimeFrom":"soon","validTimeTo":1,"fcsts":[]},)" +
            answerWith("null", R"("timeTo":"later")").substr(1),
        [&](const std::string& message, const std::string&) { lines.push_back(message); });
    ASSERT_TRUE(tafs);
    ASSERT_EQ(tafs->size(), 1u);
    EXPECT_EQ(tafs->front().stationId, "LEJR");
    EXPECT_EQ(tafs->front().periods.size(), 1u);
    EXPECT_EQ(lines, (std::vector<std::string>{"TAF parse: EGLL: no readable \"validTimeFrom\"",
                                               "TAF parse: LEJR period 2: no readable \"timeTo\""}));
}

TEST(TafAnswer, AnAnswerThatIsNoListIsNone) {
    std::vector<std::string> lines;
    const LogFn log = [&](const std::string& message, const std::string&) { lines.push_back(message); };
    EXPECT_FALSE(decodeTafAnswer(R"([{"icaoId": "EGLL", "rawOb": "EGLL 0610)", log));
    EXPECT_FALSE(decodeTafAnswer(std::string(100000, '['), log));
    EXPECT_EQ(lines, (std::vector<std::string>(2, "TAF: unreadable answer")));
}

}  // namespace
}  // namespace wx
