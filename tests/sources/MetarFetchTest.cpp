#include <gtest/gtest.h>

#include <memory>

#include "sources/MetarOnlySource.h"
#include "sources/OpenMeteoSource.h"
#include "sources/ReportOrder.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using test::LogRecorder;
using test::ScriptedTransport;
using Answers = std::vector<std::optional<std::string>>;

const std::string kJsonUrl = "https://awc.test/api/data/metar?format=json&hours=2&ids=EGLL,EDDF";
const std::string kRawUrl = "https://awc.test/cgi-bin/data/metar.php?format=raw&hours=2&ids=EGLL,EDDF";
const std::string kTypeError = "[ERROR] METAR parse: [json.exception.type_error.302] type must be string, but is number";
const std::string kNullError = "[ERROR] METAR parse: [json.exception.type_error.302] type must be string, but is null";

struct FullCase {
    const char* name;
    Answers answers;
    MetarMap expected;
    std::vector<std::string> log;
    std::vector<std::string> urls;
};

class FullMetarFetch : public testing::TestWithParam<FullCase> {
protected:
    test::EnvironmentScope host_{"NUBIRO_AWC_URL", "https://awc.test/"};
};

TEST_P(FullMetarFetch, DecodesTheAnswer) {
    const FullCase& c = GetParam();
    auto transport = std::make_shared<ScriptedTransport>(c.answers);
    LogRecorder log;
    OpenMeteoSource source(log.fn(), transport);
    EXPECT_EQ(source.fetchMetars({"EGLL", "EDDF"}).reports, c.expected);
    EXPECT_EQ(log.lines(), c.log);
    EXPECT_EQ(transport->urls(), c.urls);
    for (const HttpRequest& request : transport->requests()) {
        EXPECT_EQ(request.timeoutSec, 25);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FullMetarFetch,
    testing::Values(
        FullCase{"JsonArray",
                 {R"([{"icaoId":"EGLL","rawOb":"EGLL 061020Z 27010KT"},{"icaoId":"EDDF","rawOb":"EDDF 061020Z"}])"},
                 {{"EGLL", "EGLL 061020Z 27010KT"}, {"EDDF", "EDDF 061020Z"}},
                 {},
                 {kJsonUrl}},
        FullCase{"EmptyJsonThenPlainText",
                 {"", "METAR EGLL 061020Z 27010KT\nshort\nEDDF 061020Z 08006KT CAVOK\n"},
                 {{"EGLL", "METAR EGLL 061020Z 27010KT"}, {"EDDF", "EDDF 061020Z 08006KT CAVOK"}},
                 {},
                 {kJsonUrl, kRawUrl}},
        FullCase{"PlainTextKeepsCarriageReturnsAndAnyFourBytes",
                 {"SPECI KJFK 061051Z\r\nNot found: no data\nMETAR AB\n"},
                 {{"KJFK", "SPECI KJFK 061051Z\r"}, {"Not ", "Not found: no data"}},
                 {},
                 {kJsonUrl}},
        FullCase{"BothEndpointsFail",
                 {std::nullopt, ""},
                 {},
                 {"[ERROR] METAR fetch failed"},
                 {kJsonUrl, kRawUrl}},
        FullCase{"HtmlPageHasNoFallback",
                 {"<!DOCTYPE html><html><body>Not Found</body></html>"},
                 {},
                 {"[WARN] METAR: empty or HTML response"},
                 {kJsonUrl}},
        FullCase{"BlankAnswerIsNotEmpty", {" \r\n\t \n"}, {}, {"[WARN] METAR: empty or HTML response"}, {kJsonUrl}},
        FullCase{"ByteOrderMarkAfterWhitespace",
                 {"  \n\xEF\xBB\xBF[{\"icaoId\":\"EGLL\",\"rawOb\":\"EGLL 1\"}]"},
                 {{"EGLL", "EGLL 1"}},
                 {},
                 {kJsonUrl}},
        FullCase{"OnlyAByteOrderMark", {"\xEF\xBB\xBF"}, {}, {"[WARN] METAR: empty or HTML response"}, {kJsonUrl}},
        FullCase{"AlternativeKeysInAnArray",
                 {R"([{"icao":"EGLL","raw_text":"EGLL A"},{"icaoId":"EDDF","ob":"EDDF B"},{"rawOb":"X"},1,"s"])"},
                 {{"EGLL", "EGLL A"}, {"EDDF", "EDDF B"}},
                 {},
                 {kJsonUrl}},
        FullCase{"IcaoIdWinsOverIcaoAndRawObOverOthers",
                 {R"([{"icaoId":"EGLL","icao":"XXXX","rawOb":"R","raw_text":"T","ob":"O"}])"},
                 {{"EGLL", "R"}},
                 {},
                 {kJsonUrl}},
        FullCase{"SingleObjectIgnoresOb",
                 {R"({"icaoId":"EGLL","ob":"EGLL B"})"},
                 {},
                 {},
                 {kJsonUrl}},
        FullCase{"SingleObjectWithRawText",
                 {R"({"icao":"EGLL","raw_text":"EGLL C"})"},
                 {{"EGLL", "EGLL C"}},
                 {},
                 {kJsonUrl}},
        FullCase{"LaterEntryWins",
                 {R"([{"icaoId":"EGLL","rawOb":"first"},{"icaoId":"EGLL","rawOb":"second"}])"},
                 {{"EGLL", "second"}},
                 {},
                 {kJsonUrl}},
        FullCase{"NewestReportWinsWhenListedFirst",
                 {R"([{"icaoId":"EGLL","rawOb":"EGLL 061050Z 1"},{"icaoId":"EGLL","rawOb":"EGLL 060950Z 2"}])"},
                 {{"EGLL", "EGLL 061050Z 1"}},
                 {},
                 {kJsonUrl}},
        FullCase{"NumberIdSkipsOnlyItsElement",
                 {R"([{"icaoId":"EGLL","rawOb":"A"},{"icaoId":5,"rawOb":"B"},{"icaoId":"EDDF","rawOb":"C"}])"},
                 {{"EGLL", "A"}, {"EDDF", "C"}},
                 {kTypeError},
                 {kJsonUrl}},
        FullCase{"NonStringObIsATypeErrorEvenBesideRawOb",
                 {R"([{"icaoId":"EGLL","rawOb":"A","ob":7},{"icaoId":"EDDF","rawOb":"C"}])"},
                 {{"EDDF", "C"}},
                 {kTypeError},
                 {kJsonUrl}},
        FullCase{"EveryMistypedElementIsLoggedAndSkipped",
                 {R"([{"icao":null,"rawOb":"A"},{"icaoId":"EGLL","raw_text":false},{"icaoId":"EDDF","rawOb":"C"}])"},
                 {{"EDDF", "C"}},
                 {kNullError, "[ERROR] METAR parse: [json.exception.type_error.302] type must be string, but is boolean"},
                 {kJsonUrl}},
        FullCase{"MistypedSingleObject", {R"({"icaoId":"EGLL","rawOb":null})"}, {}, {kNullError}, {kJsonUrl}},
        FullCase{"ScalarAnswersGiveNothing", {"\"EGLL 061020Z\""}, {}, {}, {kJsonUrl}},
        FullCase{"NullGivesNothing", {"null"}, {}, {}, {kJsonUrl}}),
    [](const testing::TestParamInfo<FullCase>& info) { return std::string(info.param.name); });

struct FetchOutcomeCase {
    const char* name;
    std::vector<HttpResult> results;
    MetarMap expected;
    std::vector<std::string> log;
    std::vector<std::string> urls;
};

class FullMetarFetchOutcome : public testing::TestWithParam<FetchOutcomeCase> {
protected:
    test::EnvironmentScope host_{"NUBIRO_AWC_URL", "https://awc.test"};
};

TEST_P(FullMetarFetchOutcome, ErrorStatusIsNoAnswerAndACancelEndsQuietly) {
    auto transport = std::make_shared<ScriptedTransport>(GetParam().results);
    LogRecorder log;
    OpenMeteoSource source(log.fn(), transport);
    EXPECT_EQ(source.fetchMetars({"EGLL", "EDDF"}).reports, GetParam().expected);
    EXPECT_EQ(log.lines(), GetParam().log);
    EXPECT_EQ(transport->urls(), GetParam().urls);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, FullMetarFetchOutcome,
    testing::Values(FetchOutcomeCase{"ErrorPageTakesThePlainTextEndpoint",
                                {HttpResult::answer(503, "<html>503</html>"),
                                 test::scripted("METAR EGLL 061020Z 27010KT\n")},
                                {{"EGLL", "METAR EGLL 061020Z 27010KT"}},
                                {"[WARN] HTTP 503 from awc.test/api/data/metar"},
                                {kJsonUrl, kRawUrl}},
                    FetchOutcomeCase{"CancelledRequest", {HttpResult::failure(HttpOutcome::Cancelled)}, {}, {}, {kJsonUrl}}),
    [](const testing::TestParamInfo<FetchOutcomeCase>& info) { return std::string(info.param.name); });

TEST(FullMetarFetch, EmptyListMakesNoRequest) {
    auto transport = std::make_shared<ScriptedTransport>(Answers{"[]"});
    OpenMeteoSource source(nullptr, transport);
    EXPECT_TRUE(source.fetchMetars({}).reports.empty());
    EXPECT_TRUE(transport->requests().empty());
}

TEST(FullMetarFetch, IdsTravelInTheCallersOrderUnchanged) {
    test::EnvironmentScope host("NUBIRO_AWC_URL", "http://127.0.0.1:8080");
    auto transport = std::make_shared<ScriptedTransport>(Answers{"[]"});
    OpenMeteoSource source(nullptr, transport);
    source.fetchMetars({"lfpg", "EGLL", "EGLL", "K S"});
    EXPECT_EQ(transport->urls(),
              std::vector<std::string>{"http://127.0.0.1:8080/api/data/metar?format=json&hours=2&ids=lfpg,EGLL,EGLL,K+S"});
}

struct ReducedCase {
    const char* name;
    std::optional<std::string> answer;
    MetarMap expected;
    std::vector<std::string> log;
};

class ReducedMetarFetch : public testing::TestWithParam<ReducedCase> {
protected:
    test::EnvironmentScope host_{"NUBIRO_AWC_URL", "https://awc.test"};
};

TEST_P(ReducedMetarFetch, DecodesOnlyJsonArrays) {
    auto transport = std::make_shared<ScriptedTransport>(Answers{GetParam().answer, std::nullopt, std::nullopt});
    LogRecorder log;
    MetarOnlySource source(log.fn(), transport);
    EXPECT_EQ(source.fetchMetars({"EGLL"}).reports, GetParam().expected);
    // There is no other endpoint.
    EXPECT_EQ(transport->urls(), std::vector<std::string>{"https://awc.test/api/data/metar?format=json&ids=EGLL"});
    EXPECT_EQ(log.lines(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReducedMetarFetch,
    testing::Values(
        ReducedCase{"Array", R"([{"icaoId":"EGLL","rawOb":"A"},{"icaoId":"EDDF","ob":"B"}])",
                    {{"EGLL", "A"}, {"EDDF", "B"}},
                    {}},
        ReducedCase{"AlternativeKeysIgnored", R"([{"icao":"EGLL","raw_text":"A"},{"icaoId":"EDDF","raw_text":"B"}])",
                    {},
                    {}},
        ReducedCase{"NonObjectStopsDecoding", R"([{"icaoId":"EGLL","rawOb":"A"},3,{"icaoId":"EDDF","rawOb":"B"}])",
                    {{"EGLL", "A"}},
                    {}},
        ReducedCase{"TypeErrorSkipsOnlyItsElement",
                    R"([{"icaoId":"EGLL","rawOb":"A"},{"icaoId":"EDDF","rawOb":1},{"icaoId":"LFPG","rawOb":"C"}])",
                    {{"EGLL", "A"}, {"LFPG", "C"}},
                    {kTypeError}},
        ReducedCase{"NullIdSkipsOnlyItsElement", R"([{"icaoId":null,"ob":"A"},{"icaoId":"EDDF","ob":"B"}])",
                    {{"EDDF", "B"}},
                    {kNullError}},
        ReducedCase{"SingleObject", R"({"icaoId":"EGLL","rawOb":"A"})", {}, {}},
        ReducedCase{"PlainText", "EGLL 061020Z 27010KT", {}, {}},
        ReducedCase{"Html", "<html></html>", {}, {}},
        ReducedCase{"Empty", "", {}, {}},
        ReducedCase{"Failure", std::nullopt, {}, {}}),
    [](const testing::TestParamInfo<ReducedCase>& info) { return std::string(info.param.name); });

TEST(ReducedMetarFetch, EmptyListMakesNoRequest) {
    auto transport = std::make_shared<ScriptedTransport>(Answers{"[]"});
    MetarOnlySource source(nullptr, transport);
    EXPECT_TRUE(source.fetchMetars({}).reports.empty());
    EXPECT_TRUE(transport->requests().empty());
}

struct SigmetCase {
    const char* name;
    std::optional<std::string> answer;
    std::vector<nlohmann::json> expected;
};

// levels arrays around core: "[[core]]" for two.
std::string nestedArrays(size_t levels, const std::string& core) {
    return std::string(levels, '[') + core + std::string(levels, ']');
}

class SigmetFetch : public testing::TestWithParam<SigmetCase> {
protected:
    test::EnvironmentScope host_{"NUBIRO_AWC_URL", "https://awc.test"};
};

TEST_P(SigmetFetch, ReturnsTheArrayElementsUnchanged) {
    for (const std::string id : {"openmeteo", "metaronly"}) {
        auto transport = std::make_shared<ScriptedTransport>(Answers{GetParam().answer, GetParam().answer});
        LogRecorder log;
        std::unique_ptr<IWeatherSource> source;
        if (id == "openmeteo") {
            source = std::make_unique<OpenMeteoSource>(log.fn(), transport);
        } else {
            source = std::make_unique<MetarOnlySource>(log.fn(), transport);
        }
        EXPECT_EQ(source->fetchSigmets(), GetParam().expected) << id;
        EXPECT_EQ(transport->urls().at(0), "https://awc.test/api/data/isigmet?format=json");
        EXPECT_EQ(transport->requests().at(0).timeoutSec, 25);
        EXPECT_TRUE(log.lines().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SigmetFetch,
    testing::Values(
        SigmetCase{"Array", R"([{"hazard":"TS","coords":[{"lat":1,"lon":2}]},3,"x",null])",
                   {nlohmann::json::parse(R"({"hazard":"TS","coords":[{"lat":1,"lon":2}]})"), 3, "x", nullptr}},
        SigmetCase{"Object", R"({"hazard":"TS"})", {}},
        SigmetCase{"EmptyArray", "[]", {}},
        SigmetCase{"InvalidJson", "[{", {}},
        SigmetCase{"Html", "<html>Service unavailable</html>", {}},
        SigmetCase{"Empty", "", {}},
        SigmetCase{"Failure", std::nullopt, {}},
        SigmetCase{"NestedSixtyFourLevels", nestedArrays(64, "1"), {nlohmann::json::parse(nestedArrays(63, "1"))}},
        SigmetCase{"NestedSixtyFiveLevels", nestedArrays(65, "1"), {}},
        SigmetCase{"NestedTooDeepToCopy", nestedArrays(200000, ""), {}}),
    [](const testing::TestParamInfo<SigmetCase>& info) { return std::string(info.param.name); });

struct OrderCase {
    const char* candidate;
    const char* current;
    bool older;
};

class ReportAge : public testing::TestWithParam<OrderCase> {};

TEST_P(ReportAge, ComparesTimeGroupsAcrossDayAndMonthEnds) {
    EXPECT_EQ(isOlderReport(GetParam().candidate, GetParam().current), GetParam().older);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportAge,
    testing::Values(OrderCase{"EGLL 061020Z", "EGLL 061050Z", true}, OrderCase{"EGLL 061050Z", "EGLL 061020Z", false},
                    OrderCase{"EGLL 061020Z", "EGLL 061020Z", false},
                    OrderCase{"EGLL 052350Z", "EGLL 060020Z", true},
                    OrderCase{"EGLL 312350Z", "EGLL 010020Z", true},
                    OrderCase{"EGLL 010020Z", "EGLL 312350Z", false},
                    OrderCase{"METAR EGLL 061020Z", "EGLL 061050Z", true},
                    OrderCase{"EGLL 061020Z", "no time group", false},
                    OrderCase{"EGLL 999999Z 061020Z", "EGLL 061050Z", true},
                    OrderCase{"EGLL 06102Z", "EGLL 061050Z", false}));

}  // namespace
}  // namespace wx
