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

TEST(HttpClientFallback, FirstFailureWarnsOnceAndRetriesWithoutVerification) {
    auto transport =
        std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{std::nullopt, "body"});
    LogRecorder log;
    HttpClient client(log.fn(), transport);
    EXPECT_EQ(client.get("https://h/a", {}, 5), "body");
    EXPECT_FALSE(client.verifyTls());
    ASSERT_EQ(transport->requests().size(), 2u);
    EXPECT_TRUE(transport->requests()[0].verifyTls);
    EXPECT_FALSE(transport->requests()[1].verifyTls);
    EXPECT_EQ(transport->requests()[1].url, "https://h/a");
    EXPECT_EQ(log.lines(), std::vector<std::string>{kWarning});

    // Verification stays off; a later failure is neither retried nor logged.
    EXPECT_EQ(client.get("https://h/b", {}, 5), std::nullopt);
    ASSERT_EQ(transport->requests().size(), 3u);
    EXPECT_FALSE(transport->requests()[2].verifyTls);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(HttpClientFallback, FailingRetryIsReportedAsFailure) {
    auto transport = std::make_shared<ScriptedTransport>();
    LogRecorder log;
    HttpClient client(log.fn(), transport);
    EXPECT_EQ(client.get("https://h/a", {{"k", "v"}}, 5), std::nullopt);
    EXPECT_EQ(transport->urls(), (std::vector<std::string>{"https://h/a?k=v", "https://h/a?k=v"}));
    EXPECT_EQ(log.lines(), std::vector<std::string>{kWarning});
}

TEST(HttpClientFallback, SuccessKeepsVerificationOnAndAnEmptyBodyIsSuccess) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{"", "x"});
    LogRecorder log;
    HttpClient client(log.fn(), transport);
    EXPECT_EQ(client.get("https://h/a", {}, 5), "");
    EXPECT_EQ(client.get("https://h/a", {}, 5), "x");
    EXPECT_TRUE(client.verifyTls());
    EXPECT_EQ(transport->requests().size(), 2u);
    EXPECT_TRUE(log.lines().empty());
}

TEST(HttpClientFallback, WorksWithoutALogCallback) {
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{std::nullopt, "b"});
    HttpClient client(nullptr, transport);
    EXPECT_EQ(client.get("https://h/a", {}, 5), "b");
    EXPECT_FALSE(client.verifyTls());
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
