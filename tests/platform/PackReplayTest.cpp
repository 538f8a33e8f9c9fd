// The web-services stand-in serving a weather pack, through this platform's
// real HTTP transport.

#include <gtest/gtest.h>

#include "ServicesSimTest.h"
#include "sources/PackIndex.h"
#include "support/ScratchDir.h"

namespace wx {
namespace {

PackEntry answered(size_t number, const std::string& url, int status, const std::string& bodyFile) {
    return {number, "2026-10-02T20:20:00.000Z", url, HttpOutcome::Answered, status, bodyFile, 0, 5};
}

PackEntry failed(size_t number, const std::string& url, HttpOutcome outcome) {
    return {number, "2026-10-02T20:20:01.000Z", url, outcome, 0, "", 0, 5};
}

class PackReplay : public test::ServicesSimTest {
protected:
    // A pack of this test's requests, in a folder the stand-in can read.
    std::string writePack() {
        scratch_.emplace(sim_.stateDir);
        const std::string host = "https://aviationweather.gov";
        const std::vector<PackEntry> entries{
            answered(1, host + "/api/data/metar?format=json&hours=2&ids=EGLL", 200, "00001.json"),
            answered(2, host + "/api/data/metar?ids=EGLL&format=json&hours=2", 200, "00002.json"),
            answered(3, host + "/api/data/isigmet?format=json", 503, "00003.txt"),
            failed(4, "https://api.open-meteo.com/v1/forecast?latitude=51.4700", HttpOutcome::TimedOut),
            failed(5, "https://api.open-meteo.com/v1/forecast?latitude=52.0000", HttpOutcome::Refused),
            failed(6, host + "/cgi-bin/data/metar.php?ids=EGLL+EDDF", HttpOutcome::Certificate),
            answered(7, host + "/cgi-bin/data/metar.php?ids=EGLL+EDDF", 200, "00007.txt"),
        };
        std::string index;
        for (const PackEntry& entry : entries) {
            index += packIndexLine(entry) + "\n";
        }
        scratch_->write("pack/index.jsonl", index);
        scratch_->write("pack/00001.json", "[\"first\"]");
        scratch_->write("pack/00002.json", "[\"second\"]");
        scratch_->write("pack/00003.txt", "<html>busy</html>");
        scratch_->write("pack/00007.txt", "EGLL 021950Z 27010KT CAVOK 15/09 Q1019");
        return scratch_->path("pack");
    }

    HttpResult get(const std::string& pathAndQuery, int timeoutSec = 10) {
        return transport_->send({sim_.httpUrl + pathAndQuery, timeoutSec, true}, nullptr);
    }

    std::optional<test::ScratchDir> scratch_;
};

TEST_F(PackReplay, AnswersAsRecordedInOrderWithTheLastRepeated) {
    ASSERT_TRUE(sim_.replay(*transport_, writePack()));
    const struct {
        const char* request;
        HttpResult result;
    } steps[] = {
        {"/api/data/metar?hours=2&ids=EGLL&format=json", HttpResult::answer(200, "[\"first\"]")},
        {"/api/data/metar?format=json&ids=EGLL&hours=2", HttpResult::answer(200, "[\"second\"]")},
        {"/api/data/metar?ids=EGLL&hours=2&format=json", HttpResult::answer(200, "[\"second\"]")},
        {"/api/data/isigmet?format=json", HttpResult::answer(503, "<html>busy</html>")},
        {"/v1/forecast?latitude=52.0000", HttpResult::failure(HttpOutcome::Failed)},
        {"/cgi-bin/data/metar.php?ids=EGLL%20EDDF", HttpResult::answer(200, "EGLL 021950Z 27010KT CAVOK 15/09 Q1019")},
        {"/api/data/metar?format=json&ids=EDDF&hours=2", HttpResult::answer(404, "")},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.request);
        HttpResult result = get(step.request);
        if (step.result.status == 404) {
            result.body.clear();
        }
        EXPECT_EQ(result, step.result);
    }
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(get("/v1/forecast?latitude=51.4700", 2).outcome, HttpOutcome::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1900));
    EXPECT_NE(test::readFile(sim_.errorPath).find(
                  "services-sim: the pack holds no answer for GET /api/data/metar?format=json&ids=EDDF&hours=2\n"),
              std::string::npos);
}

TEST_F(PackReplay, APackThatCannotBeReadIsRefusedAndResetEndsTheReplay) {
    const std::string pack = writePack();
    scratch_->write("pack/index.jsonl", "{\"number\":1}\n");
    EXPECT_FALSE(sim_.replay(*transport_, pack));
    ASSERT_TRUE(sim_.replay(*transport_, writePack()));
    ASSERT_TRUE(sim_.resetFaults(*transport_));
    const HttpResult sigmets = get("/api/data/isigmet?format=json");
    EXPECT_EQ(sigmets.status, 200);
    EXPECT_EQ(nlohmann::json::parse(sigmets.body).size(), 23u);
}

}  // namespace
}  // namespace wx
