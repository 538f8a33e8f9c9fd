#include <gtest/gtest.h>

#include <thread>

#include "sources/ArchiveStationIds.h"
#include "sources/MetarArchive.h"
#include "sources/PastServices.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"
#include "weather/UtcTime.h"

namespace wx {
namespace {

using namespace std::chrono;
using Time = system_clock::time_point;

Time at(const char* iso) { return time_point_cast<system_clock::duration>(*parseUtcTime(iso)); }

const Time kPresent = at("2026-12-08T18:00:00Z");

TEST(PastServicesFor, ChoosesByTheWeatherTime) {
    struct Row {
        const char* weatherTime;
        PastServices expected;
    };
    const Row rows[] = {
        {"2026-12-08T17:59:00Z", {ReportService::AviationWeather, true, true}},
        // The whole report period, three hours back from the weather time,
        // lies within the service's fifteen days, or the archive answers.
        {"2026-11-23T21:00:00Z", {ReportService::AviationWeather, true, true}},
        {"2026-11-23T20:59:00Z", {ReportService::MetarArchive, false, true}},
        {"2022-10-23T14:50:00Z", {ReportService::MetarArchive, false, true}},
        {"2022-01-01T00:00:00Z", {ReportService::MetarArchive, false, true}},
        {"2021-12-31T23:59:00Z", {ReportService::MetarArchive, false, false}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(pastServicesFor(at(row.weatherTime), kPresent), row.expected) << row.weatherTime;
    }
}

TEST(ArchiveStationIds, MapUsStationsToThreeLettersAndBack) {
    struct Row {
        const char* icao;
        const char* archive;
    };
    for (const Row& row : {Row{"KDSM", "DSM"}, Row{"KJFK", "JFK"}, Row{"EGLL", "EGLL"}, Row{"PANC", "PANC"},
                           Row{"CYYZ", "CYYZ"}}) {
        EXPECT_EQ(archiveStationId(row.icao), row.archive);
        EXPECT_EQ(icaoStationId(row.archive), row.icao);
    }
    // Only a four-letter id loses its K.
    EXPECT_EQ(archiveStationId("K12"), "K12");
}

TEST(MetarArchiveUrl, NamesEveryStationAndThePeriodUpToTheWeatherMinute) {
    const test::EnvironmentScope host("NUBIRO_IEM_URL", "https://iem.test/");
    EXPECT_EQ(metarArchiveUrl({"KDSM", "EGLL"}, at("2022-10-23T14:50:30Z")),
              "https://iem.test/cgi-bin/request/asos.py?data=metar&station=DSM&station=EGLL"
              "&year1=2022&month1=10&day1=23&hour1=11&minute1=50"
              "&year2=2022&month2=10&day2=23&hour2=14&minute2=51&tz=Etc%2FUTC&format=onlycomma&missing=empty");
}

TEST(DecodeMetarArchive, TakesEachStationsLastReportOfThePeriod) {
    const Time weatherTime = at("2022-10-23T14:50:00Z");
    struct Row {
        const char* what;
        std::string body;
        MetarMap expected;
    };
    const std::string header = "station,valid,metar\n";
    const Row rows[] = {
        {"US three-letter ids, the newest report wins",
         header + "DSM,2022-10-23 13:54,KDSM 231354Z 18010KT 10SM CLR 12/03 A3001\n"
                  "EGLL,2022-10-23 14:20,EGLL 231420Z 22012KT 9999 -RA BKN012 14/12 Q1008\n"
                  "DSM,2022-10-23 14:54,KDSM 231454Z 18011KT 10SM CLR 13/03 A3000\n"
                  "DSM,2022-10-23 14:40,KDSM 231440Z 18012KT 10SM CLR 13/03 A3000\n",
         {{"KDSM", "KDSM 231440Z 18012KT 10SM CLR 13/03 A3000"},
          {"EGLL", "EGLL 231420Z 22012KT 9999 -RA BKN012 14/12 Q1008"}}},
        {"a report at the weather time serves; one older than three hours does not",
         header + "EGLL,2022-10-23 14:50,EGLL 231450Z 22012KT 9999 BKN012 14/12 Q1008\n"
                  "LFPG,2022-10-23 11:49,LFPG 231149Z 16002KT CAVOK 15/10 Q1020\n",
         {{"EGLL", "EGLL 231450Z 22012KT 9999 BKN012 14/12 Q1008"}}},
        {"empty fields and a station that sent nothing",
         header + "EHAM,2022-10-23 14:25,\nLFPG,,LFPG 231430Z 16002KT CAVOK 15/10 Q1020\n"
                  ",2022-10-23 14:25,EHAM 231425Z 20010KT 9999 15/10 Q1010\n",
         {}},
        {"a cut last line is passed over",
         header + "EGLL,2022-10-23 14:20,EGLL 231420Z 22012KT 9999 -RA BKN012 14/12 Q1008\n"
                  "EGLL,2022-10-23 14:50,EGLL 231450Z 2201",
         {{"EGLL", "EGLL 231420Z 22012KT 9999 -RA BKN012 14/12 Q1008"}}},
        {"Windows line ends", header + "EGLL,2022-10-23 14:20,EGLL 231420Z 22012KT 9999 14/12 Q1008\r\n",
         {{"EGLL", "EGLL 231420Z 22012KT 9999 14/12 Q1008"}}},
        {"only the header", header, {}},
    };
    for (const Row& row : rows) {
        test::LogRecorder log;
        EXPECT_EQ(decodeMetarArchive(row.body, weatherTime, log.fn()), row.expected) << row.what;
        EXPECT_TRUE(log.lines().empty()) << row.what;
    }
}

TEST(DecodeMetarArchive, AnAnswerWithoutTheTableIsNoArchiveAnswer) {
    for (const char* body : {"", "ERROR: server over capacity, please try later",
                             "<!DOCTYPE html><html><body>503</body></html>\n"}) {
        test::LogRecorder log;
        EXPECT_TRUE(decodeMetarArchive(body, at("2022-10-23T14:50:00Z"), log.fn()).empty()) << body;
        EXPECT_EQ(log.lines(), std::vector<std::string>{"[WARN] METAR archive: no report table in the answer"});
    }
}

TEST(RequestSpacing, TheCancelSwitchEndsTheWait) {
    RequestSpacing spacing(hours{1});
    HttpCancel cancel;
    ASSERT_TRUE(spacing.waitTurn(&cancel));
    std::thread stopper([&] { cancel.cancel(); });
    EXPECT_FALSE(spacing.waitTurn(&cancel));
    stopper.join();
}

}  // namespace
}  // namespace wx
