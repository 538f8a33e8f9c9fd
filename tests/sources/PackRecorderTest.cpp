#include <gtest/gtest.h>

#include <fstream>

#include "sources/PackRecorder.h"
#include "support/LogRecorder.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"
#include "util/LineInput.h"

namespace wx {
namespace {

using nlohmann::json;

const auto kSent = std::chrono::sys_days{std::chrono::year{2026} / 10 / 2} + std::chrono::hours{20};

std::vector<json> indexLines(const test::ScratchDir& scratch) {
    std::ifstream in(utf8Path(scratch.path("pack/index.jsonl")), std::ios::binary);
    std::vector<json> lines;
    for (std::string line; readLine(in, line);) {
        lines.push_back(json::parse(line));
    }
    return lines;
}

// What the pack keeps of one request: the answer's status and body in a
// file of its own, or the kind of failure.
struct KeptCase {
    const char* name;
    HttpResult result;
    json line;               // the index line without its time and duration
    const char* bodyFile;    // null: none
};

class PackRecorderKeeps : public testing::TestWithParam<KeptCase> {};

TEST_P(PackRecorderKeeps, TheRequestAndWhatCameBack) {
    test::ScratchDir scratch;
    std::string error;
    const auto pack = PackRecorder::open(scratch.path("pack"), [] { return kSent; }, error);
    ASSERT_TRUE(pack) << error;
    RecordingTransport transport(std::make_shared<test::ScriptedTransport>(std::vector<HttpResult>{GetParam().result}),
                                 pack);
    const std::string url = "https://aviationweather.gov/api/data/metar?format=json&hours=2&ids=EGLL";
    EXPECT_EQ(transport.send({url, 25, true}, nullptr), GetParam().result);
    const auto lines = indexLines(scratch);
    ASSERT_EQ(lines.size(), 1u);
    json line = lines[0];
    EXPECT_EQ(line["time"], "2026-10-02T20:00:00.000Z");
    line.erase("time");
    line.erase("ms");
    json expected = GetParam().line;
    expected["number"] = 1;
    expected["url"] = url;
    EXPECT_EQ(line, expected);
    if (GetParam().bodyFile != nullptr) {
        EXPECT_EQ(test::readFile(scratch.path(std::string("pack/") + GetParam().bodyFile)), GetParam().result.body);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, PackRecorderKeeps,
    testing::Values(
        KeptCase{"JsonAnswer", HttpResult::answer(200, "[{\"icaoId\":\"EGLL\"}]"),
                 {{"outcome", "answered"}, {"status", 200}, {"body", "00001.json"}, {"bytes", 19}}, "00001.json"},
        KeptCase{"ErrorPage", HttpResult::answer(503, "<html>busy</html>"),
                 {{"outcome", "answered"}, {"status", 503}, {"body", "00001.txt"}, {"bytes", 17}}, "00001.txt"},
        KeptCase{"NoContent", HttpResult::answer(204, ""),
                 {{"outcome", "answered"}, {"status", 204}, {"body", "00001.txt"}, {"bytes", 0}}, "00001.txt"},
        KeptCase{"TimedOut", HttpResult::failure(HttpOutcome::TimedOut), {{"outcome", "timeout"}}, nullptr},
        KeptCase{"Refused", HttpResult::failure(HttpOutcome::Refused), {{"outcome", "refused"}}, nullptr},
        KeptCase{"Certificate", HttpResult::failure(HttpOutcome::Certificate), {{"outcome", "certificate"}}, nullptr},
        KeptCase{"Cancelled", HttpResult::failure(HttpOutcome::Cancelled), {{"outcome", "cancelled"}}, nullptr},
        KeptCase{"Failed", HttpResult::failure(HttpOutcome::Failed), {{"outcome", "failed"}}, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PackRecorder, APackRecordedAgainIsAddedTo) {
    test::ScratchDir scratch;
    for (int run = 0; run < 2; ++run) {
        std::string error;
        const auto pack = PackRecorder::open(scratch.path("pack"), {}, error);
        ASSERT_TRUE(pack) << error;
        RecordingTransport transport(
            std::make_shared<test::ScriptedTransport>(std::vector<std::optional<std::string>>{"a", "b"}), pack);
        transport.send({"http://127.0.0.1:1/v1/forecast?latitude=1", 40, true}, nullptr);
        transport.send({"http://127.0.0.1:1/v1/forecast?latitude=2", 40, true}, nullptr);
    }
    const auto lines = indexLines(scratch);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[3]["number"], 4);
    EXPECT_EQ(lines[3]["body"], "00004.txt");
    EXPECT_EQ(test::readFile(scratch.path("pack/00003.txt")), "a");
}

TEST(PackRecorder, AFolderThatCannotBeMadeChangesNothing) {
    test::ScratchDir scratch;
    const std::string file = scratch.write("taken", "a file");
    const auto platform = std::make_shared<test::ScriptedTransport>();
    const test::DefaultTransportScope scope(platform);
    std::string error;
    EXPECT_FALSE(recordRequestsInto(file + "/pack", {}, error));
    EXPECT_EQ(error.rfind("cannot make the folder " + file + "/pack", 0), 0u) << error;
    EXPECT_EQ(makeDefaultHttpTransport(), platform);
}

TEST(PackRecorder, AFileThatCannotBeWrittenIsLoggedOnce) {
    test::ScratchDir scratch;
    std::string error;
    const auto pack = PackRecorder::open(scratch.path("pack"), {}, error);
    ASSERT_TRUE(pack) << error;
    std::filesystem::create_directory(utf8Path(scratch.path("pack/00001.txt")));
    std::filesystem::create_directory(utf8Path(scratch.path("pack/00002.txt")));
    RecordingTransport transport(
        std::make_shared<test::ScriptedTransport>(std::vector<std::optional<std::string>>{"a", "b"}), pack);
    test::LogRecorder log;
    EXPECT_TRUE(transport.send({"http://127.0.0.1:1/x", 1, true}, log.fn()).succeeded());
    EXPECT_TRUE(transport.send({"http://127.0.0.1:1/x", 1, true}, log.fn()).succeeded());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[WARN] Weather pack: cannot write " + scratch.path("pack/00001.txt")});
}

}  // namespace
}  // namespace wx
