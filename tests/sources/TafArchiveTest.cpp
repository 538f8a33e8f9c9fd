#include <gtest/gtest.h>

#include "sources/TafArchive.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"

namespace wx {
namespace {

UtcMillis utc(const char* iso) { return *parseUtcTime(iso); }

const char* const kHeader =
    "station,valid,fx_valid,raw,is_tempo,fx_valid_end,sknt,drct,gust,visibility,presentwx,skyc,skyl,ws_level,"
    "ws_drct,ws_sknt,product_id,ftype,is_amendment\n";

TEST(TafArchiveUrl, AsksForEachStationsLastTafBeforeTheTime) {
    const test::EnvironmentScope host("NUBIRO_IEM_URL", "https://iem.test");
    EXPECT_EQ(tafArchiveUrl({"EGLL", "KDSM"}, std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} +
                                                  std::chrono::hours{14} + std::chrono::minutes{50}),
              "https://iem.test/cgi-bin/request/taf.py?station=EGLL&station=KDSM&sts=2022-10-22T08:50Z"
              "&ets=2022-10-23T14:51Z&fmt=csv&last=1");
}

TEST(DecodeTafArchive, OneTafAStationFromItsGroups) {
    const std::string body =
        std::string(kHeader) +
        "EGLL,2022-10-23 11:00,2022-10-23 12:00,EGLL 231100Z 2312/2418 22012KT 9999 BKN030,False,"
        "2022-10-24 18:00,12.0,220.0,,6.0,[],['BKN'],[3000.0],,,,202210231100-EGRR-FTUK31-TAFLHR,Observation,False\n"
        "EGLL,2022-10-23 11:00,2022-10-23 14:00,TEMPO 2314/2318 4000 RA BKN008,True,2022-10-23 18:00,,,,2.49,"
        "\"['RA']\",\"['BKN']\",\"[800.0]\",,,,202210231100-EGRR-FTUK31-TAFLHR,Temporary,False\n"
        "EGLL,2022-10-23 11:00,2022-10-23 20:00,BECMG 2320/2322 30010KT,False,2022-10-23 22:00,10.0,300.0,,,,,,,,,"
        "202210231100-EGRR-FTUK31-TAFLHR,Becoming,False\n"
        "EGLL,2022-10-23 11:00,2022-10-24 03:00,FM240300 32008KT CAVOK,False,,8.0,320.0,,6.0,[],[],[],,,,"
        "202210231100-EGRR-FTUK31-TAFLHR,Forecast,False\n"
        "DSM,2022-10-23 05:20,2022-10-23 06:00,KDSM 230520Z 2306/2406 18010G20KT P6SM SKC,False,2022-10-24 06:00,"
        "10.0,180.0,20.0,6.0,[],['SKC'],[None],,,,x,Observation,False\n"
        "DSM,2022-10-23 11:20,2022-10-23 12:00,KDSM 231120Z 2312/2412 19012KT 5SM BR OVC009,False,"
        "2022-10-24 12:00,12.0,190.0,,5.0,['BR'],['OVC'],[900.0],,,,y,Observation,False\n";
    test::LogRecorder log;
    const std::vector<Taf> tafs = decodeTafArchive(body, log.fn());
    EXPECT_TRUE(log.lines().empty());
    ASSERT_EQ(tafs.size(), 2u);

    const Taf& egll = tafs[0];
    EXPECT_EQ(egll.stationId, "EGLL");
    EXPECT_EQ(egll.issued, utc("2022-10-23T11:00Z"));
    EXPECT_EQ(egll.validFrom, utc("2022-10-23T12:00Z"));
    EXPECT_EQ(egll.validTo, utc("2022-10-24T18:00Z"));
    ASSERT_EQ(egll.periods.size(), 4u);
    TafPeriod base;
    base.from = utc("2022-10-23T12:00Z");
    base.to = utc("2022-10-24T03:00Z");
    base.windDirDeg = 220;
    base.windSpeedKt = 12;
    base.visibilityM = 9999;
    base.ceilingFt = 3000;
    base.cloudsGiven = true;
    base.category = FlightCategory::Mvfr;
    EXPECT_EQ(egll.periods[0], base);
    EXPECT_EQ(egll.periods[1].change, "TEMPO");
    EXPECT_EQ(egll.periods[1].to, utc("2022-10-23T18:00Z"));
    EXPECT_EQ(egll.periods[1].visibilityM, 4007);
    EXPECT_EQ(egll.periods[1].weather, "RA");
    EXPECT_EQ(egll.periods[1].ceilingFt, 800);
    EXPECT_EQ(egll.periods[1].category, FlightCategory::Ifr);
    EXPECT_EQ(egll.periods[2].change, "BECMG");
    EXPECT_EQ(egll.periods[2].becomingEnd, utc("2022-10-23T22:00Z"));
    EXPECT_EQ(egll.periods[2].category, std::nullopt);
    EXPECT_EQ(egll.periods[3].change, "FM");
    EXPECT_EQ(egll.periods[3].to, utc("2022-10-24T18:00Z"));
    EXPECT_EQ(egll.periods[3].category, FlightCategory::Vfr);

    // The later issuance of a station replaces the earlier; US ids get their K.
    EXPECT_EQ(tafs[1].stationId, "KDSM");
    EXPECT_EQ(tafs[1].issued, utc("2022-10-23T11:20Z"));
    ASSERT_EQ(tafs[1].periods.size(), 1u);
    EXPECT_EQ(tafs[1].periods[0].weather, "BR");
    EXPECT_EQ(tafs[1].periods[0].category, FlightCategory::Ifr);
}

TEST(DecodeTafArchive, AnswersWithoutTafs) {
    struct Row {
        std::string body;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {kHeader, {}},
        {std::string(kHeader) + "EGLL,,2022-10-23 12:00,x\n,2022-10-23 11:00,2022-10-23 12:00,x\n", {}},
        {"ERROR: server over capacity, please try later", {"[WARN] TAF archive: no forecast table in the answer"}},
    };
    for (const Row& row : rows) {
        test::LogRecorder log;
        EXPECT_TRUE(decodeTafArchive(row.body, log.fn()).empty()) << row.body;
        EXPECT_EQ(log.lines(), row.lines) << row.body;
    }
}

}  // namespace
}  // namespace wx
