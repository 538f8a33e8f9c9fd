#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ServicesSimTest.h"
#include "sources/HttpClient.h"
#include "support/LogRecorder.h"
#include "support/TestData.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using nlohmann::json;
using test::LogRecorder;

const char* const kWarning =
    "[WARN] SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

class PlatformHttp : public test::ServicesSimTest {};

TEST_F(PlatformHttp, PlainGetSendsTheProgramsHeaders) {
    const size_t before = sim_.requests().size();
    const auto body = transport_->send({sim_.httpUrl + "/api/data/metar?format=json&ids=EGLL", 10, true}, nullptr);
    ASSERT_TRUE(body);
    const json answer = json::parse(*body);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0]["icaoId"], "EGLL");
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["scheme"], "http");
    EXPECT_EQ(requests[0]["target"], "/api/data/metar?format=json&ids=EGLL");
    EXPECT_EQ(requests[0]["userAgent"], "Nubiro/1.0");
    EXPECT_EQ(requests[0]["accept"], "application/json,text/plain,*/*");
}

TEST_F(PlatformHttp, HttpsVerificationRejectsTheSelfSignedCertificate) {
    const std::string url = sim_.httpsUrl + "/api/data/isigmet?format=json";
    EXPECT_EQ(transport_->send({url, 10, true}, nullptr), std::nullopt);
    const auto body = transport_->send({url, 10, false}, nullptr);
    ASSERT_TRUE(body);
    EXPECT_EQ(json::parse(*body).size(), 7u);
}

TEST_F(PlatformHttp, ClientFallsBackOnceWithOneWarning) {
    LogRecorder log;
    HttpClient client(log.fn(), transport_);
    const auto first = client.get(sim_.httpsUrl + "/api/data/isigmet", {{"format", "json"}}, 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(json::parse(*first)[0]["firId"], "EGTT");
    EXPECT_FALSE(client.verifyTls());
    const size_t before = sim_.requests().size();
    EXPECT_TRUE(client.get(sim_.httpsUrl + "/api/data/metar", {{"ids", "EDDF"}, {"format", "raw"}}, 10));
    EXPECT_EQ(log.lines(), std::vector<std::string>{kWarning});
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["scheme"], "https");
    EXPECT_EQ(requests[0]["target"], "/api/data/metar?format=raw&ids=EDDF");
    EXPECT_EQ(requests[0]["userAgent"], "Nubiro/1.0");
}

struct FaultCase {
    const char* name;
    const char* fault;
    bool present;
    const char* bodyStart;
};

class PlatformHttpFault : public test::ServicesSimTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(PlatformHttpFault, StatusIsNeverExaminedButBrokenTransfersFail) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/isigmet", GetParam().fault));
    for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
        const auto body = transport_->send({base + "/api/data/isigmet?format=json", 10, false}, nullptr);
        ASSERT_EQ(body.has_value(), GetParam().present) << base;
        if (body) {
            EXPECT_EQ(body->substr(0, std::string(GetParam().bodyStart).size()), GetParam().bodyStart) << base;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PlatformHttpFault,
    testing::Values(FaultCase{"NotFoundPage", "status:404", true, "<!DOCTYPE html>\n<html><head><title>404 Not Found"},
                    FaultCase{"ServerErrorPage", "status:500", true, "<!DOCTYPE html>\n<html><head><title>500 Internal"},
                    FaultCase{"EmptyBody", "empty", true, ""},
                    FaultCase{"InvalidJson", "invalid-json", true, "[{\"icaoId\": \"EGLL\", \"rawOb\": \"EGLL 0610"},
                    FaultCase{"DelayedAnswer", "delay:300", true, "[\n  {\n    \"icaoId\": \"EGRR\""},
                    FaultCase{"DroppedConnection", "drop", false, ""},
                    FaultCase{"CutBody", "drop:100", false, ""}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(PlatformHttp, EmptyBodyIsPresentAndEmpty) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/metar", "empty"));
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/api/data/metar?ids=EGLL", 10, true}, nullptr), "");
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/api/data/metar?ids=QQQQ&format=json", 10, true}, nullptr), "");
}

TEST_F(PlatformHttp, UnknownPathGivesTheNotFoundPage) {
    const auto body = transport_->send({sim_.httpUrl + "/no/such/path", 10, true}, nullptr);
    ASSERT_TRUE(body);
    EXPECT_NE(body->find("<title>404 Not Found</title>"), std::string::npos);
}

TEST_F(PlatformHttp, TimeOutEndsTheRequestInAboutTheTimeGiven) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/v1/forecast", "delay:6000"));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(transport_->send({sim_.httpUrl + "/v1/forecast?latitude=1&longitude=2&hourly=cape", 1, true}, nullptr),
              std::nullopt);
    const double elapsedSec = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(elapsedSec, 0.8);
    EXPECT_LE(elapsedSec, 3.5);
}

TEST_F(PlatformHttp, UnsplittableUrlFailsTwiceAroundTheWarning) {
    LogRecorder log;
    HttpClient client(log.fn(), transport_);
    EXPECT_EQ(client.get("aviationweather.gov/api/data/metar", {{"ids", "EGLL"}}, 5), std::nullopt);
    const std::string error = "[ERROR] WinHttpCrackUrl failed: aviationweather.gov/api/data/metar?ids=EGLL";
    EXPECT_EQ(log.lines(), (std::vector<std::string>{error, kWarning, error}));
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST_F(PlatformHttp, DownloadToFileKeepsTheOldFileUntilADownloadSucceeds) {
    const auto dir = std::filesystem::temp_directory_path() / utf8Path("nubiro-загрузка");
    std::filesystem::create_directories(dir);
    const auto file = dir / "airports.csv";
    std::ofstream(file, std::ios::binary) << "old list";
    const std::string url = sim_.httpUrl + "/ourairports-data/airports.csv";
    HttpClient client(nullptr, transport_);
    for (const char* fault : {"drop", "drop:5000"}) {
        ASSERT_TRUE(sim_.setFault(*transport_, "/ourairports-data/airports.csv", fault));
        EXPECT_FALSE(client.downloadToFile(url, utf8String(file), 30)) << fault;
        EXPECT_EQ(fileText(file), "old list") << fault;
    }
    ASSERT_TRUE(sim_.resetFaults(*transport_));
    EXPECT_TRUE(client.downloadToFile(url, utf8String(file), 30));
    EXPECT_EQ(fileText(file), fileText(utf8Path(test::testDataPath("airports.csv"))));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace wx
