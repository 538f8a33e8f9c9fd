#include <gtest/gtest.h>

#include "sources/PackRecorder.h"
#include "support/PackFiles.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using Results = std::vector<HttpResult>;
const std::string kUrl = "https://aviationweather.gov/api/data/metar?format=json&ids=EGLL";

// Sends one request for each result through a recorder into the pack.
void sendThrough(const std::string& pack, const Results& results, std::shared_ptr<const WeatherClock> weather = {}) {
    std::string error;
    const auto recorder = PackRecorder::open(pack, [] { return std::chrono::sys_days{std::chrono::year{2026} / 10 / 2}; },
                                             error, std::move(weather));
    ASSERT_TRUE(recorder) << error;
    RecordingTransport transport(std::make_shared<test::ScriptedTransport>(results), recorder);
    for (const HttpResult& result : results) {
        EXPECT_EQ(transport.send({kUrl, 25, true}, nullptr), result);
    }
}

// A second recording into the same folder continues the pack; every
// request is kept with its answer's status, body and "Retry-After", or its
// kind of failure.
TEST(PackRecorder, KeepsEachRequestAndWhatCameBack) {
    test::ScratchDir scratch;
    const std::string pack = scratch.path("pack");
    sendThrough(pack, {HttpResult::answer(200, "[]"), HttpResult::failure(HttpOutcome::TimedOut)});
    sendThrough(pack, {HttpResult::answer(503, "<html>busy</html>", "120"), HttpResult::failure(HttpOutcome::Refused)});
    const std::vector<PackEntry> index = test::readPackIndex(pack);
    const std::string time = "2026-10-02T00:00:00.000Z";
    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index[0],
              (PackEntry{1, time, kUrl, HttpOutcome::Answered, 200, "00001.json", 2, index[0].durationMs, "", ""}));
    EXPECT_EQ(index[1], (PackEntry{2, time, kUrl, HttpOutcome::TimedOut, 0, "", 0, index[1].durationMs, "", ""}));
    EXPECT_EQ(index[2],
              (PackEntry{3, time, kUrl, HttpOutcome::Answered, 503, "00003.txt", 17, index[2].durationMs, "120", ""}));
    EXPECT_EQ(index[3].outcome, HttpOutcome::Refused);
    EXPECT_EQ(test::readFile(scratch.path("pack/00003.txt")), "<html>busy</html>");
}

// While a weather time is flown each request carries it beside the time it
// was sent, and the index line reads back the same; without one it has none.
TEST(PackRecorder, KeepsTheWeatherTimeFlown) {
    test::ScratchDir scratch;
    const std::string pack = scratch.path("pack");
    const auto weather = std::make_shared<WeatherClock>([] { return std::chrono::sys_days{std::chrono::year{2026} / 10 / 2}; });
    sendThrough(pack, {HttpResult::answer(200, "[]")}, weather);
    weather->startAt(std::chrono::sys_days{std::chrono::year{2022} / 10 / 23} + std::chrono::hours{14});
    sendThrough(pack, {HttpResult::answer(200, "[]")}, weather);
    const std::vector<PackEntry> index = test::readPackIndex(pack);
    ASSERT_EQ(index.size(), 2u);
    EXPECT_EQ(index[0].weatherTime, "");
    EXPECT_EQ(index[1].time, "2026-10-02T00:00:00.000Z");
    EXPECT_EQ(index[1].weatherTime, "2022-10-23T14:00:00.000Z");
    EXPECT_EQ(parsePackIndexLine(packIndexLine(index[1])), index[1]);
}

}  // namespace
}  // namespace wx
