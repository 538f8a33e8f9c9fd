#include <gtest/gtest.h>


#include "ServicesSimTest.h"
#include "sources/HttpClient.h"
#include "sources/SourceRegistry.h"
#include "sources/TafArchive.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"

namespace wx {
namespace {

using namespace std::chrono;
using test::LogRecorder;
using Time = system_clock::time_point;

// Where the weather time of a case lies.
enum class Past { WithinReach, YearsBack };

Time weatherTimeOf(Past past) {
    if (past == Past::YearsBack) {
        return sys_days{year{2022} / 10 / 23} + hours{14} + minutes{50};
    }
    return floor<minutes>(system_clock::now()) - days{2};
}

// Every source flies a time in the past against the stand-in, its hosts all
// the stand-in over HTTPS.
class PastSources : public test::ServicesSimTest, public testing::WithParamInterface<std::tuple<const char*, Past>> {
protected:
    void SetUp() override {
        ServicesSimTest::SetUp();
        for (const char* variable :
             {"NUBIRO_AWC_URL", "NUBIRO_OPENMETEO_URL", "NUBIRO_OPENMETEO_HISTORY_URL", "NUBIRO_IEM_URL"}) {
            hosts_.push_back(std::make_unique<test::EnvironmentScope>(variable, sim_.httpsUrl));
        }
        source_ = sourceAt(weatherTime_);
    }

    std::unique_ptr<IWeatherSource> sourceAt(Time weatherTime) {
        SourceContext context;
        context.clock = [weatherTime] { return weatherTime; };
        context.present = UtcClock{};
        context.cancel = cancel_;
        return makeSource(std::get<0>(GetParam()), log_.fn(), std::move(context));
    }

    bool full() const { return std::string(std::get<0>(GetParam())) != "metaronly"; }
    bool yearsBack() const { return std::get<1>(GetParam()) == Past::YearsBack; }

    std::vector<std::unique_ptr<test::EnvironmentScope>> hosts_;
    std::shared_ptr<HttpCancel> cancel_ = std::make_shared<HttpCancel>();
    Time weatherTime_ = weatherTimeOf(std::get<1>(GetParam()));
    LogRecorder log_;
    std::unique_ptr<IWeatherSource> source_;
};

TEST_P(PastSources, OneCycleAtTheWeatherTime) {
    const size_t before = sim_.requests().size();
    source_->beginCycle({});
    const MetarMap reports = source_->fetchMetars({"EGLL", "KJFK", "ZZZZ"}).reports;
    const auto sigmets = source_->fetchSigmets();
    const auto model = source_->synthesize("EHAM", 52.3086, 4.7639, -3);
    source_->endCycle();

    // The stand-in's reports of the stations it knows, as it held them then
    // (which report a time picks is the decoders' tests' business).
    EXPECT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports.count("EGLL") + reports.count("KJFK"), 2u);
    EXPECT_EQ(sigmets.empty(), yearsBack());
    if (!yearsBack()) {
        EXPECT_EQ(requestsSince(before)[1]["target"].get<std::string>().rfind("/api/data/isigmet?date=", 0), 0u);
    }
    EXPECT_EQ(model.has_value(), full());

    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), yearsBack() ? (full() ? 2u : 1u) : (full() ? 3u : 2u));
    const std::string reportsTarget = requests[0]["target"];
    EXPECT_EQ(reportsTarget.rfind(yearsBack() ? "/cgi-bin/request/asos.py?data=metar&station=EGLL&station=JFK"
                                                "&station=ZZZZ&year1=2022&month1=10&day1=23&hour1=11&minute1=50"
                                              : "/api/data/metar?date=",
                                  0),
              0u)
        << reportsTarget;
    if (full()) {
        const std::string modelTarget = requests.back()["target"];
        const std::string day = yearsBack() ? "2022-10-23" : reportsTarget.substr(21, 10);
        EXPECT_EQ(modelTarget.rfind("/v1/forecast?end_date=" + day + "&hourly=", 0), 0u) << modelTarget;
        EXPECT_NE(modelTarget.find("&start_date=" + day + "&timezone=UTC"), std::string::npos) << modelTarget;
    }
    const std::string service = yearsBack() ? "the METAR archive" : "the aviation-weather service";
    const std::string modelPart = full() ? ", 1 model point from the historical forecast" : "";
    const std::string label = yearsBack() ? "2022-10-23 14:50Z" : "";
    std::vector<std::string> lines = log_.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back().rfind("[INFO] Weather time " + label, 0), 0u) << lines.back();
    EXPECT_NE(lines.back().find(": 2 reports from " + service + modelPart), std::string::npos) << lines.back();
    if (yearsBack()) {
        EXPECT_EQ(lines.front(), "[INFO] SIGMETs: none kept for " + label + " / SIGMET: не хранятся за " + label);
    }
}

// The briefing's TAFs are those in force at the weather time: asked of the
// aviation-weather service with its date within its reach, of the TAF
// archive beyond it.
TEST_P(PastSources, TafsOfTheWeatherTime) {
    const size_t before = sim_.requests().size();
    const auto tafs = source_->fetchTafs({"EGLL", "EGBB"});
    ASSERT_TRUE(tafs);
    ASSERT_FALSE(tafs->empty());
    for (const Taf& taf : *tafs) {
        EXPECT_LE(taf.validFrom, weatherTime_) << taf.stationId;
        EXPECT_GT(taf.validTo, weatherTime_) << taf.stationId;
    }
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    const std::string target = requests[0]["target"];
    EXPECT_EQ(target.rfind(yearsBack() ? "/cgi-bin/request/taf.py?" : "/api/data/taf?date=", 0), 0u) << target;
}

INSTANTIATE_TEST_SUITE_P(AllSources, PastSources,
                         testing::Combine(testing::Values("openmeteo", "noaa", "metaronly"),
                                          testing::Values(Past::WithinReach, Past::YearsBack)));

// The archive's failures end the cycle's report fetch with no reports and
// the lines today's services give; the next cycle asks again.
class ArchiveFaults : public test::ServicesSimTest {
protected:
    void SetUp() override {
        ServicesSimTest::SetUp();
        for (const char* variable : {"NUBIRO_AWC_URL", "NUBIRO_OPENMETEO_HISTORY_URL", "NUBIRO_IEM_URL"}) {
            hosts_.push_back(std::make_unique<test::EnvironmentScope>(variable, sim_.httpsUrl));
        }
    }

    std::vector<std::unique_ptr<test::EnvironmentScope>> hosts_;
};

TEST_F(ArchiveFaults, TheCycleGoesOn) {
    const std::string where = hostAndPath(sim_.httpsUrl);
    struct Row {
        const char* fault;
        std::vector<std::string> lines;
        size_t secondCycleReports;  // the next cycle, the fault cleared
    };
    const Row rows[] = {
        {"status:503", {"[WARN] HTTP 503 from " + where + "/cgi-bin/request/asos.py", "[ERROR] METAR archive fetch failed"},
         2},
        {"retry-after:429:600",
         {"[WARN] " + where + " asks to wait 600 s (HTTP 429): requests paused", "[ERROR] METAR archive fetch failed",
          "[ERROR] METAR archive fetch failed"},
         0},
        {"drop:60", {"[ERROR] METAR archive fetch failed"}, 2},
        {"empty", {"[WARN] METAR archive: no report table in the answer"}, 2},
    };
    const Time weatherTime = weatherTimeOf(Past::YearsBack);
    for (const Row& row : rows) {
        ASSERT_TRUE(sim_.resetFaults(*transport_));
        ASSERT_TRUE(sim_.setFault(*transport_, "/cgi-bin/request/asos.py", row.fault));
        LogRecorder log;
        SourceContext context;
        context.clock = [weatherTime] { return weatherTime; };
        context.present = UtcClock{};
        auto source = makeSource("metaronly", log.fn(), std::move(context));
        const MetarFetch first = source->fetchMetars({"EGLL", "KJFK"});
        ASSERT_TRUE(sim_.setFault(*transport_, "/cgi-bin/request/asos.py", "none"));
        const MetarFetch second = source->fetchMetars({"EGLL", "KJFK"});
        EXPECT_TRUE(first.reports.empty()) << row.fault;
        EXPECT_EQ(second.reports.size(), row.secondCycleReports) << row.fault;
        EXPECT_EQ(log.lines(), row.lines) << row.fault;
    }
}

TEST_F(ArchiveFaults, TafsFromTheArchive) {
    LogRecorder log;
    HttpClient http(log.fn());
    RequestSpacing spacing(seconds{1});
    const Time time = weatherTimeOf(Past::YearsBack);
    const auto tafs = fetchTafArchive(http, spacing, nullptr, log.fn(), {"EGLL", "KJFK", "ZZZZ"}, time);
    ASSERT_TRUE(tafs);
    ASSERT_EQ(tafs->size(), 2u);
    EXPECT_EQ((*tafs)[0].stationId, "EGLL");
    EXPECT_EQ((*tafs)[1].stationId, "KJFK");
    for (const Taf& taf : *tafs) {
        EXPECT_LE(taf.issued, time);
        EXPECT_LT(taf.validFrom, time + hours{24});
        ASSERT_EQ(taf.periods.size(), 1u);
        EXPECT_TRUE(taf.periods[0].category);
    }
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[INFO] TAF archive: none kept for ZZZZ at 2022-10-23 14:50Z"});
}

}  // namespace
}  // namespace wx
