// The web-services stand-in serving a weather pack, through this platform's
// real HTTP transport.

#include <gtest/gtest.h>

#include "ServicesSimTest.h"
#include "sources/PackIndex.h"
#include "support/ScratchDir.h"

namespace wx {
namespace {

class PackReplay : public test::ServicesSimTest {};

TEST_F(PackReplay, AnswersAsRecordedInOrderWithTheLastRepeated) {
    const test::ScratchDir scratch(sim_.stateDir);
    const std::string awc = "https://aviationweather.gov";
    const auto entry = [](const std::string& url, HttpOutcome outcome, int status, const std::string& body,
                          const std::string& retryAfter = "") {
        return packIndexLine({0, "2026-10-02T20:20:00.000Z", url, outcome, status, body, 0, 0, retryAfter, ""}) + "\n";
    };
    scratch.write("pack/index.jsonl",
                  entry(awc + "/api/data/metar?format=json&hours=2&ids=EGLL", HttpOutcome::Answered, 200, "1.json") +
                      entry(awc + "/api/data/metar?ids=EGLL&format=json&hours=2", HttpOutcome::Answered, 200, "2.json") +
                      entry(awc + "/api/data/isigmet?format=json", HttpOutcome::Answered, 503, "3.txt", "120") +
                      entry(awc + "/v1/forecast?latitude=51.4700", HttpOutcome::TimedOut, 0, "") +
                      entry(awc + "/v1/forecast?latitude=52.0000", HttpOutcome::Refused, 0, "") +
                      entry(awc + "/cgi-bin/data/metar.php?ids=EGLL+EDDF", HttpOutcome::Certificate, 0, "") +
                      entry(awc + "/cgi-bin/data/metar.php?ids=EGLL+EDDF", HttpOutcome::Answered, 200, "4.txt"));
    scratch.write("pack/1.json", "[\"first\"]");
    scratch.write("pack/2.json", "[\"second\"]");
    scratch.write("pack/3.txt", "<html>busy</html>");
    scratch.write("pack/4.txt", "EGLL 021950Z 27010KT CAVOK 15/09 Q1019");
    ASSERT_TRUE(sim_.replay(*transport_, scratch.path("pack")));

    const std::pair<const char*, HttpResult> steps[] = {
        {"/api/data/metar?hours=2&ids=EGLL&format=json", HttpResult::answer(200, "[\"first\"]")},
        {"/api/data/metar?format=json&ids=EGLL&hours=2", HttpResult::answer(200, "[\"second\"]")},
        {"/api/data/metar?ids=EGLL&hours=2&format=json", HttpResult::answer(200, "[\"second\"]")},
        {"/api/data/isigmet?format=json", HttpResult::answer(503, "<html>busy</html>", "120")},
        {"/v1/forecast?latitude=52.0000", HttpResult::failure(HttpOutcome::Failed)},
        {"/cgi-bin/data/metar.php?ids=EGLL%20EDDF", HttpResult::answer(200, "EGLL 021950Z 27010KT CAVOK 15/09 Q1019")},
    };
    for (const auto& [request, expected] : steps) {
        EXPECT_EQ(transport_->send({sim_.httpUrl + request, 10, true}, nullptr), expected) << request;
    }
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/api/data/metar?ids=EDDF", 10, true}, nullptr).status, 404);
    EXPECT_NE(test::readFile(sim_.errorPath).find("services-sim: the pack holds no answer for GET /api/data/metar?ids=EDDF\n"),
              std::string::npos);
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/v1/forecast?latitude=51.4700", 2, true}, nullptr).outcome,
              HttpOutcome::TimedOut);

    ASSERT_TRUE(sim_.resetFaults(*transport_));
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/api/data/isigmet?format=json", 10, true}, nullptr).status, 200);
}

}  // namespace
}  // namespace wx
