#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "sources/HttpClient.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

using test::LogRecorder;
using test::ScriptedTransport;

const char* const kWarning =
    "[WARN] SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

struct QueryCase {
    const char* url;
    QueryParams params;
    const char* expected;
};

class QueryBuilding : public testing::TestWithParam<QueryCase> {};

TEST_P(QueryBuilding, AppendsSortedEncodedParameters) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{"ok"});
    HttpClient client(nullptr, transport);
    EXPECT_EQ(client.get(GetParam().url, GetParam().params, 7), "ok");
    ASSERT_EQ(transport->requests().size(), 1u);
    EXPECT_EQ(transport->requests()[0].url, GetParam().expected);
    EXPECT_EQ(transport->requests()[0].timeoutSec, 7);
    EXPECT_TRUE(transport->requests()[0].verifyTls);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QueryBuilding,
    testing::Values(QueryCase{"https://h/p", {{"b", "x y"}, {"a", "1,2"}}, "https://h/p?a=1,2&b=x+y"},
                    QueryCase{"https://h/p?k=v", {{"z", "1"}}, "https://h/p?k=v&z=1"},
                    QueryCase{"https://h/p", {}, "https://h/p"},
                    QueryCase{"https://h/p", {{"ids", "EGLL,EDDF"}, {"format", "json"}, {"hours", "2"}},
                              "https://h/p?format=json&hours=2&ids=EGLL,EDDF"},
                    QueryCase{"https://h/p", {{"a b", "c&d=e"}}, "https://h/p?a+b=c%26d%3De"},
                    QueryCase{"https://h/p", {{"B", "1"}, {"a", "2"}}, "https://h/p?B=1&a=2"}));

struct EncodeCase {
    const char* text;
    const char* encoded;
};

class UrlEncoding : public testing::TestWithParam<EncodeCase> {};

TEST_P(UrlEncoding, KeepsUnreservedBytesAndEscapesTheRest) {
    EXPECT_EQ(urlEncode(GetParam().text), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, UrlEncoding,
                         testing::Values(EncodeCase{"/", "%2F"}, EncodeCase{"*", "%2A"},
                                         EncodeCase{"\xC3\xA9", "%C3%A9"},
                                         EncodeCase{"AZaz09-_.~,", "AZaz09-_.~,"}, EncodeCase{" ", "+"},
                                         EncodeCase{"+", "%2B"}, EncodeCase{"%", "%25"},
                                         EncodeCase{"\n\x7F\xFF", "%0A%7F%FF"}, EncodeCase{"", ""}));

struct OutcomeCase {
    const char* name;
    std::vector<HttpResult> results;
    std::optional<std::string> body;
    std::vector<std::string> log;
    std::vector<bool> verified;  // the verification flag of each request sent
};

class HttpClientOutcome : public testing::TestWithParam<OutcomeCase> {};

TEST_P(HttpClientOutcome, OnlyASuccessStatusIsAnAnswerAndOnlyACertificateFailureFallsBack) {
    auto transport = std::make_shared<ScriptedTransport>(GetParam().results);
    LogRecorder log;
    HttpClient client(log.fn(), transport);
    EXPECT_EQ(client.get("https://h:8443/a/b", {{"k", "v"}}, 5), GetParam().body);
    EXPECT_EQ(log.lines(), GetParam().log);
    std::vector<bool> verified;
    for (const HttpRequest& request : transport->requests()) {
        EXPECT_EQ(request.url, "https://h:8443/a/b?k=v");
        verified.push_back(request.verifyTls);
    }
    EXPECT_EQ(verified, GetParam().verified);
    EXPECT_EQ(client.verifyTls(), GetParam().verified.back());
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, HttpClientOutcome,
    testing::Values(
        OutcomeCase{"Certificate",
                    {HttpResult::failure(HttpOutcome::Certificate), HttpResult::answer(200, "body")},
                    "body",
                    {kWarning},
                    {true, false}},
        OutcomeCase{"CertificateThenNothing",
                    {HttpResult::failure(HttpOutcome::Certificate), HttpResult::failure(HttpOutcome::Failed)},
                    std::nullopt,
                    {kWarning},
                    {true, false}},
        OutcomeCase{"Failed", {HttpResult::failure(HttpOutcome::Failed)}, std::nullopt, {}, {true}},
        OutcomeCase{"TimedOut", {HttpResult::failure(HttpOutcome::TimedOut)}, std::nullopt, {}, {true}},
        OutcomeCase{"Cancelled", {HttpResult::failure(HttpOutcome::Cancelled)}, std::nullopt, {}, {true}},
        OutcomeCase{"ErrorStatus",
                    {HttpResult::answer(503, "<html>Service Unavailable</html>")},
                    std::nullopt,
                    {"[WARN] HTTP 503 from h:8443/a/b"},
                    {true}},
        OutcomeCase{"NoContent", {HttpResult::answer(204, "")}, "", {}, {true}}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

TEST(HttpClientFallback, VerificationStaysOffAndALaterCertificateFailureIsNotRetried) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<HttpResult>{
        HttpResult::failure(HttpOutcome::Certificate), HttpResult::answer(200, "a"),
        HttpResult::failure(HttpOutcome::Certificate)});
    LogRecorder log;
    HttpClient client(log.fn(), transport);
    EXPECT_EQ(client.get("https://h/a", {}, 5), "a");
    EXPECT_EQ(client.get("https://h/b", {}, 5), std::nullopt);
    ASSERT_EQ(transport->requests().size(), 3u);
    EXPECT_FALSE(transport->requests()[2].verifyTls);
    EXPECT_EQ(log.lines(), std::vector<std::string>{kWarning});
}

TEST(HttpClientCancel, RequestsFailAtOnceWhileTheSwitchIsOn) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{"a"});
    auto cancel = std::make_shared<HttpCancel>();
    HttpClient client(nullptr, transport, cancel);
    int woken = 0;
    {
        const auto watch = cancel->watch([&woken] { ++woken; });
        cancel->cancel();
    }
    cancel->cancel();  // the watch is gone: nothing more runs
    EXPECT_EQ(woken, 1);
    EXPECT_TRUE(client.cancelled());
    EXPECT_EQ(client.get("https://h/a", {}, 5), std::nullopt);
    EXPECT_TRUE(transport->requests().empty());
    cancel->reset();
    EXPECT_EQ(client.get("https://h/a", {}, 5), "a");
    EXPECT_EQ(transport->requests().at(0).cancel, cancel.get());
}

class DownloadToFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("nubiro-download-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_ / utf8Path("Кэш"));
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return utf8String(dir_ / utf8Path("Кэш") / utf8Path(name)); }

    static std::string contents(const std::string& path) {
        std::ifstream file(utf8Path(path), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    static void write(const std::string& path, const std::string& text) {
        std::ofstream(utf8Path(path), std::ios::binary) << text;
    }

    std::filesystem::path dir_;
};

TEST_F(DownloadToFile, FailureLeavesTheExistingFileUntouched) {
    write(path("airports.csv"), "old list");
    HttpClient client(nullptr, std::make_shared<ScriptedTransport>());
    EXPECT_FALSE(client.downloadToFile("https://h/f.csv", path("airports.csv"), 90));
    EXPECT_EQ(contents(path("airports.csv")), "old list");
}

TEST_F(DownloadToFile, ReplacesTheFileWithTheWholeBody) {
    write(path("airports.csv"), "a much longer old list that must not survive");
    const std::string body = std::string("id,name\n\0binary\xFF", 16) + std::string(100000, 'x');
    HttpClient client(nullptr, std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{body}));
    EXPECT_TRUE(client.downloadToFile("https://h/f.csv", path("airports.csv"), 90));
    EXPECT_EQ(contents(path("airports.csv")), body);
}

TEST_F(DownloadToFile, EmptyBodyGivesAnEmptyFile) {
    HttpClient client(nullptr, std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{""}));
    EXPECT_TRUE(client.downloadToFile("https://h/f.csv", path("new.csv"), 90));
    EXPECT_TRUE(std::filesystem::exists(utf8Path(path("new.csv"))));
    EXPECT_EQ(contents(path("new.csv")), "");
}

TEST_F(DownloadToFile, UnwritablePathFails) {
    HttpClient client(nullptr, std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{"x"}));
    EXPECT_FALSE(client.downloadToFile("https://h/f.csv", path("missing-dir/f.csv"), 90));
}

}  // namespace
}  // namespace wx
