#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <sstream>
#include <thread>

#include "ServicesSimTest.h"
#include "sources/HttpClient.h"
#include "support/LogRecorder.h"
#include "support/TestData.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using nlohmann::json;
using test::LogRecorder;
using Clock = std::chrono::steady_clock;

const char* const kWarning =
    "[WARN] SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

class PlatformHttp : public test::ServicesSimTest {};

TEST_F(PlatformHttp, PlainGetSendsTheProgramsHeaders) {
    const size_t before = sim_.requests().size();
    const HttpResult result =
        transport_->send({sim_.httpUrl + "/api/data/metar?format=json&ids=EGLL", 10, true}, nullptr);
    ASSERT_TRUE(result.answered());
    EXPECT_EQ(result.status, 200);
    const json answer = json::parse(result.body);
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0]["icaoId"], "EGLL");
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["scheme"], "http");
    EXPECT_EQ(requests[0]["target"], "/api/data/metar?format=json&ids=EGLL");
    EXPECT_EQ(requests[0]["userAgent"], "Nubiro/1.0");
    EXPECT_EQ(requests[0]["accept"], "application/json,text/plain,*/*");
}

TEST_F(PlatformHttp, ClientFallsBackOnceWithOneWarningForARefusedCertificate) {
    LogRecorder log;
    HttpClient client(log.fn(), transport_);
    const auto first = client.get(sim_.wrongHostUrl + "/api/data/isigmet", {{"format", "json"}}, 10);
    ASSERT_TRUE(first);
    EXPECT_EQ(json::parse(*first)[0]["firId"], "EGTT");
    EXPECT_FALSE(client.verifyTls());
    const size_t before = sim_.requests().size();
    EXPECT_TRUE(client.get(sim_.wrongHostUrl + "/api/data/metar", {{"ids", "EDDF"}, {"format", "raw"}}, 10));
    EXPECT_EQ(log.lines(), std::vector<std::string>{kWarning});
    const auto requests = requestsSince(before);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0]["scheme"], "https");
    EXPECT_EQ(requests[0]["target"], "/api/data/metar?format=raw&ids=EDDF");
    EXPECT_EQ(requests[0]["userAgent"], "Nubiro/1.0");
}

// Where a request goes and how the platform must report it.
struct TlsCase {
    const char* name;
    const char* target;  // "https", "wrong-host", "plain" (TLS to the HTTP port) or "refused"
    bool verify;
    HttpOutcome outcome;
};

class PlatformTls : public test::ServicesSimTest, public testing::WithParamInterface<TlsCase> {};

TEST_P(PlatformTls, OnlyARefusedCertificateIsACertificateFailure) {
    const std::string target = GetParam().target;
    std::string base = target == "https" ? sim_.httpsUrl : target == "wrong-host" ? sim_.wrongHostUrl : "";
    if (target == "plain") {
        base = "https://" + sim_.httpUrl.substr(std::string("http://").size());
    } else if (target == "refused") {
        base = "https://127.0.0.1:1";
    }
    // A server that does not speak TLS may hold a handshake until it gives
    // up itself (5 s for the stand-in under Wine, whose TLS waits for more).
    const HttpResult result =
        transport_->send({base + "/api/data/isigmet?format=json", 20, GetParam().verify}, nullptr);
    EXPECT_EQ(result.outcome, GetParam().outcome);
    if (result.answered()) {
        EXPECT_EQ(result.status, 200);
        EXPECT_EQ(json::parse(result.body).size(), 23u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Servers, PlatformTls,
    testing::Values(TlsCase{"TrustedAuthority", "https", true, HttpOutcome::Answered},
                    TlsCase{"WrongHost", "wrong-host", true, HttpOutcome::Certificate},
                    TlsCase{"WrongHostWithoutVerification", "wrong-host", false, HttpOutcome::Answered},
                    TlsCase{"HandshakeWithAPlainServer", "plain", true, HttpOutcome::Failed},
                    TlsCase{"RefusedConnection", "refused", true, HttpOutcome::Refused}),
    [](const testing::TestParamInfo<TlsCase>& info) { return std::string(info.param.name); });

struct FaultCase {
    const char* name;
    const char* fault;
    HttpOutcome outcome;
    int status;
    const char* bodyStart;
    const char* retryAfter;
};

class PlatformHttpFault : public test::ServicesSimTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(PlatformHttpFault, TheFinalStatusComesWithTheBodyAndBrokenTransfersFail) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/isigmet", GetParam().fault));
    for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
        const HttpResult result = transport_->send({base + "/api/data/isigmet?format=json", 10, false}, nullptr);
        EXPECT_EQ(result.outcome, GetParam().outcome) << base;
        EXPECT_EQ(result.status, GetParam().status) << base;
        EXPECT_EQ(result.body.substr(0, std::string(GetParam().bodyStart).size()), GetParam().bodyStart) << base;
        EXPECT_EQ(result.retryAfter, GetParam().retryAfter) << base;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, PlatformHttpFault,
    testing::Values(
        FaultCase{"NotFoundPage", "status:404", HttpOutcome::Answered, 404, "<!DOCTYPE html>\n<html><head>", ""},
        FaultCase{"ServerErrorPage", "status:503", HttpOutcome::Answered, 503, "<!DOCTYPE html>\n<html><head>", ""},
        FaultCase{"WaitInSeconds", "retry-after:429:30", HttpOutcome::Answered, 429, "<!DOCTYPE html>", "30"},
        FaultCase{"WaitUntilADate", "retry-after:503:Wed, 21 Oct 2015 07:28:00 GMT", HttpOutcome::Answered, 503,
                  "<!DOCTYPE html>", "Wed, 21 Oct 2015 07:28:00 GMT"},
        FaultCase{"EmptyBody", "empty", HttpOutcome::Answered, 200, "", ""},
        FaultCase{"InvalidJson", "invalid-json", HttpOutcome::Answered, 200, "[{\"icaoId\": \"EGLL\"", ""},
        FaultCase{"DelayedAnswer", "delay:300", HttpOutcome::Answered, 200, "[{\"icaoId\":\"EGRR\"", ""},
        FaultCase{"DroppedConnection", "drop", HttpOutcome::Failed, 0, "", ""},
        FaultCase{"CutBody", "drop:100", HttpOutcome::Failed, 0, "", ""}),
    [](const testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(PlatformHttp, NoStationsGiveNoContent) {
    const HttpResult result =
        transport_->send({sim_.httpUrl + "/api/data/metar?ids=QQQQ&format=json", 10, true}, nullptr);
    EXPECT_TRUE(result.answered());
    EXPECT_EQ(result.status, 204);
    EXPECT_EQ(result.body, "");
}

// A server that answers late, never, or one byte at a time: the time-out
// bounds the whole request, over HTTP and HTTPS.
class PlatformTimeOut : public test::ServicesSimTest, public testing::WithParamInterface<const char*> {};

TEST_P(PlatformTimeOut, EndsTheWholeRequestInAboutTheTimeGiven) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/isigmet", GetParam()));
    for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
        const auto start = Clock::now();
        const HttpResult result = transport_->send({base + "/api/data/isigmet?format=json", 2, false}, nullptr);
        const double elapsedSec = secondsSince(start);
        std::printf("observed: %s over %s ended after %.2f s\n", GetParam(), base.c_str(), elapsedSec);
        EXPECT_EQ(result.outcome, HttpOutcome::TimedOut) << base;
        EXPECT_GE(elapsedSec, 1.8) << base;
        EXPECT_LE(elapsedSec, 3.5) << base;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, PlatformTimeOut, testing::Values("delay:6000", "hang", "trickle:500"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(0, std::string(info.param).find(':'));
                         });

// A request is cancelled from another thread once the server holds it:
// it ends within 200 ms, and requests started afterwards fail at once
// without reaching the server until the switch is reset.
TEST_F(PlatformHttp, CancelEndsARequestInFlightAtOnce) {
    ASSERT_TRUE(sim_.setFault(*transport_, "/api/data/isigmet", "hang"));
    HttpCancel cancel;
    for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
        const std::string url = base + "/api/data/isigmet?format=json";
        const size_t held = sim_.requests().size() + 1;
        auto request = std::async(std::launch::async, [&] {
            const HttpResult result = transport_->send({url, 30, false, &cancel}, nullptr);
            return std::make_pair(result.outcome, Clock::now());
        });
        ASSERT_TRUE(sim_.waitForRequests(held, std::chrono::seconds(20))) << base;
        const auto cancelledAt = Clock::now();
        cancel.cancel();
        ASSERT_EQ(request.wait_for(std::chrono::seconds(5)), std::future_status::ready) << base;
        const auto [outcome, endedAt] = request.get();
        const double latencyMs = std::chrono::duration<double, std::milli>(endedAt - cancelledAt).count();
        std::printf("observed: cancel over %s served after %.1f ms\n", base.c_str(), latencyMs);
        EXPECT_EQ(outcome, HttpOutcome::Cancelled) << base;
        EXPECT_LE(latencyMs, 200.0) << base;

        const size_t before = sim_.requests().size();
        EXPECT_EQ(transport_->send({url, 30, false, &cancel}, nullptr).outcome, HttpOutcome::Cancelled);
        EXPECT_EQ(sim_.requests().size(), before);
        cancel.reset();
    }
    ASSERT_TRUE(sim_.resetFaults(*transport_));
    EXPECT_TRUE(transport_->send({sim_.httpUrl + "/api/data/isigmet?format=json", 10, false, &cancel}, nullptr)
                    .answered());
}

// The connections a client's requests opened on each port, told apart by
// the client's end of each.
std::set<std::pair<std::string, int>> connectionsOf(const std::vector<json>& requests) {
    std::set<std::pair<std::string, int>> connections;
    for (const json& request : requests) {
        connections.emplace(request["scheme"], request["clientPort"]);
    }
    return connections;
}

TEST_F(PlatformHttp, RequestsShareOneConnectionPerHostAndSurviveAnIdleClose) {
    const auto transport = makeDefaultHttpTransport();
    const size_t before = sim_.requests().size();
    for (int i = 0; i < 4; ++i) {
        for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
            EXPECT_TRUE(transport->send({base + "/api/data/isigmet?format=json", 10, true}, nullptr).succeeded());
        }
    }
    EXPECT_EQ(connectionsOf(requestsSince(before)).size(), 2u);

    // The stand-in closes a connection idle for five seconds; the next
    // request finds its kept connection closed and still gets its answer.
    std::this_thread::sleep_for(std::chrono::milliseconds(5500));
    const size_t afterIdle = sim_.requests().size();
    for (const std::string& base : {sim_.httpUrl, sim_.httpsUrl}) {
        EXPECT_TRUE(transport->send({base + "/api/data/isigmet?format=json", 10, true}, nullptr).succeeded());
    }
    EXPECT_EQ(requestsSince(afterIdle).size(), 2u);
}

TEST_F(PlatformHttp, UnsplittableUrlIsLoggedOnceAndNotRetried) {
    LogRecorder log;
    HttpClient client(log.fn(), transport_);
    EXPECT_EQ(client.get("aviationweather.gov/api/data/metar", {{"ids", "EGLL"}}, 5), std::nullopt);
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"[ERROR] WinHttpCrackUrl failed: aviationweather.gov/api/data/metar?ids=EGLL"});
    EXPECT_TRUE(client.verifyTls());
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
    for (const char* fault : {"drop", "drop:5000", "status:404"}) {
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
