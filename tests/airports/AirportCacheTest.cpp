#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "airports/AirportCache.h"
#include "airports/AirportDb.h"
#include "airports/LocalAppDataFolder.h"
#include "sources/HttpClient.h"
#include "sources/ServiceHosts.h"
#include "support/LogRecorder.h"
#include "support/ScratchDir.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using std::chrono::system_clock;
using test::LogRecorder;
using test::ScratchDir;
using test::ScriptedTransport;

const std::string kGoodList =
    "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elevation_ft\"\n"
    "1,\"EGLL\",\"large_airport\",\"London Heathrow Airport\",51.470748,-0.459909,83\n";
const std::string kStaleList =
    "ident,latitude_deg,longitude_deg,name\n"
    "LFPG,49.0097,2.5478,Stale Paris\n";
const std::string kHtmlPage = "<html><head><title>404 Not Found</title></head><body>Not Found</body></html>\n";

// A fixed moment for file times, so that ages come out exact.
const system_clock::time_point kWritten = system_clock::time_point(std::chrono::sys_days(2024y / 3 / 1));

const std::string kDownloading = "[INFO] Downloading OurAirports DB (~12 MB)...";
const std::string kDownloaded = "[OK] Airport DB downloaded.";
const std::string kFailed = "[ERROR] Failed to download airport DB.";
const std::string kTlsFallback =
    "[WARN] SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

std::string downloadUrl() { return airportsBaseUrl() + "/ourairports-data/airports.csv"; }

void setWriteTime(const std::string& path, system_clock::time_point time) {
    const auto fileTime = std::chrono::file_clock::from_sys(time);
    fs::last_write_time(utf8Path(path), std::chrono::time_point_cast<fs::file_time_type::duration>(fileTime));
}

system_clock::time_point writeTime(const std::string& path) {
    return std::chrono::time_point_cast<system_clock::duration>(
        std::chrono::file_clock::to_sys(fs::last_write_time(utf8Path(path))));
}

// The files in a folder, by name.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(utf8Path(folder))) {
        names.push_back(utf8String(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A cache folder in a scratch folder, a clock at kWritten + age and a
// transport with canned replies.
struct CacheFixture {
    explicit CacheFixture(std::vector<std::optional<std::string>> replies, system_clock::duration age = 0h)
        : transport(std::make_shared<ScriptedTransport>(std::move(replies))),
          options{scratch.path("cache"), [age] { return kWritten + age; }, transport} {}
    CacheFixture(std::vector<HttpResult> replies, system_clock::duration age)
        : transport(std::make_shared<ScriptedTransport>(std::move(replies))),
          options{scratch.path("cache"), [age] { return kWritten + age; }, transport} {}

    std::string cacheFile() const { return utf8String(utf8Path(options.directory) / "airports.csv"); }
    std::string writeCache(const std::string& content) const {
        const std::string path = scratch.write("cache/airports.csv", content);
        setWriteTime(path, kWritten);
        return path;
    }

    ScratchDir scratch;
    std::shared_ptr<ScriptedTransport> transport;
    AirportCacheOptions options;
    LogRecorder log;
};

struct AgeCase {
    const char* name;
    system_clock::duration age;
    const char* shownDays;  // null: stale, downloaded again
};

void PrintTo(const AgeCase& c, std::ostream* os) { *os << c.name; }

class CacheAge : public testing::TestWithParam<AgeCase> {};

TEST_P(CacheAge, FreshUnderThirtyDays) {
    const AgeCase& c = GetParam();
    CacheFixture f({kGoodList}, c.age);
    const std::string path = f.writeCache(kStaleList);
    EXPECT_EQ(ensureAirportCacheFile(f.options, f.log.fn()), path);
    if (c.shownDays != nullptr) {
        EXPECT_EQ(f.log.lines(),
                  std::vector<std::string>{std::string("[INFO] Airport DB: cache OK (") + c.shownDays + " days)."});
        EXPECT_TRUE(f.transport->requests().empty());
        EXPECT_EQ(test::readFile(path), kStaleList);
    } else {
        EXPECT_EQ(f.log.lines(), (std::vector<std::string>{kDownloading, kDownloaded}));
        EXPECT_EQ(f.transport->requests().size(), 1u);
        EXPECT_EQ(test::readFile(path), kGoodList);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ages, CacheAge,
    testing::Values(AgeCase{"JustWritten", 0h, "0.00"}, AgeCase{"OneHour", 1h, "0.04"},
                    AgeCase{"HoursAreTruncated", 59min, "0.00"}, AgeCase{"ThreeAndAHalfDays", 84h, "3.50"},
                    AgeCase{"TwelveAndAQuarterDays", 294h, "12.2"},
                    AgeCase{"TwentyNineDaysTwentyThreeHours", 24h * 29 + 23h, "29.9"},
                    AgeCase{"OneMinuteShortOfThirtyDays", 24h * 30 - 1min, "29.9"},
                    AgeCase{"ThirtyDays", 24h * 30, nullptr}, AgeCase{"ThirtyDaysAndAnHour", 24h * 30 + 1h, nullptr},
                    AgeCase{"ThreeYears", 24h * 1096, nullptr}, AgeCase{"TwoHoursInTheFuture", -2h, "-0.0"},
                    AgeCase{"FarInTheFuture", -24h * 400, "-400"}),
    [](const testing::TestParamInfo<AgeCase>& info) { return std::string(info.param.name); });

TEST(CacheAge, DaysAreWholeHoursOverTwentyFour) {
    EXPECT_EQ(cacheAgeDays(kWritten + 36h + 59min, kWritten), 1.5);
    EXPECT_EQ(cacheAgeDays(kWritten - 36h - 59min, kWritten), -1.5);
    EXPECT_EQ(formatAgeDays(12345.0), "1234");
    EXPECT_EQ(formatAgeDays(0.04), "0.04");
}

struct DownloadCase {
    const char* name;
    bool staleFile;
    std::vector<HttpResult> replies;
    std::vector<std::string> log;
    const char* content;  // what the cache file holds afterwards; null: no file
};

void PrintTo(const DownloadCase& c, std::ostream* os) { *os << c.name; }

HttpResult ok(const std::string& body) { return HttpResult::answer(200, body); }

class CacheDownload : public testing::TestWithParam<DownloadCase> {};

// Only an answer that starts with the list's header line replaces the cache
// file; anything else leaves the old file (or none) and no temporary file.
TEST_P(CacheDownload, ReplacesTheCacheOnlyWithAnAirportList) {
    const DownloadCase& c = GetParam();
    CacheFixture f(c.replies, 24h * 45);
    if (c.staleFile) {
        f.writeCache(kStaleList);
    }
    const std::string result = ensureAirportCacheFile(f.options, f.log.fn());
    EXPECT_EQ(f.log.lines(), c.log);
    ASSERT_EQ(f.transport->requests().size(), c.replies.size());
    EXPECT_TRUE(f.transport->requests()[0].verifyTls);
    for (const HttpRequest& request : f.transport->requests()) {
        EXPECT_EQ(request.url, downloadUrl());
        EXPECT_EQ(request.timeoutSec, 90);
    }
    if (c.content == nullptr) {
        EXPECT_EQ(result, "");
        EXPECT_TRUE(filesIn(f.scratch.path("cache")).empty());
        return;
    }
    EXPECT_EQ(result, f.cacheFile());
    EXPECT_EQ(test::readFile(f.cacheFile()), c.content);
    EXPECT_EQ(filesIn(f.scratch.path("cache")), std::vector<std::string>{"airports.csv"});
    if (std::string(c.content) == kStaleList) {
        EXPECT_EQ(writeTime(f.cacheFile()), kWritten);
    }
}

const std::string kCrLfList = "\"ident\",\"latitude_deg\",\"longitude_deg\"\r\n\"EDDF\",50.03,8.57\r\n";
const std::string kCutHeader = "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\",\"longitude_deg\",\"elev";
const std::string kHeaderWithoutLongitude = "\"id\",\"ident\",\"type\",\"name\",\"latitude_deg\"\n1,\"EGLL\",x,y,51\n";

INSTANTIATE_TEST_SUITE_P(
    Answers, CacheDownload,
    testing::Values(
        DownloadCase{"ListWithoutCache", false, {ok(kGoodList)}, {kDownloading, kDownloaded}, kGoodList.c_str()},
        DownloadCase{"ListOverStaleCache", true, {ok(kGoodList)}, {kDownloading, kDownloaded}, kGoodList.c_str()},
        DownloadCase{"CrLfList", true, {ok(kCrLfList)}, {kDownloading, kDownloaded}, kCrLfList.c_str()},
        DownloadCase{"ListAfterTlsFallback", false, {HttpResult::failure(HttpOutcome::Certificate), ok(kGoodList)},
                     {kDownloading, kTlsFallback, kDownloaded}, kGoodList.c_str()},
        DownloadCase{"HtmlPageWithoutCache", false, {ok(kHtmlPage)}, {kDownloading, kFailed}, nullptr},
        DownloadCase{"HtmlPageOverStaleCache", true, {ok(kHtmlPage)}, {kDownloading, kFailed}, kStaleList.c_str()},
        DownloadCase{"NotFoundOverStaleCache", true, {HttpResult::answer(404, kHtmlPage)},
                     {kDownloading, "[WARN] HTTP 404 from " + hostAndPath(downloadUrl()), kFailed}, kStaleList.c_str()},
        DownloadCase{"CutHeaderOverStaleCache", true, {ok(kCutHeader)}, {kDownloading, kFailed}, kStaleList.c_str()},
        DownloadCase{"CutHeaderWithoutCache", false, {ok(kCutHeader)}, {kDownloading, kFailed}, nullptr},
        DownloadCase{"HeaderWithoutLongitude", true, {ok(kHeaderWithoutLongitude)}, {kDownloading, kFailed},
                     kStaleList.c_str()},
        DownloadCase{"EmptyBody", true, {ok("")}, {kDownloading, kFailed}, kStaleList.c_str()},
        DownloadCase{"NoAnswerWithoutCache", false, {HttpResult::failure(HttpOutcome::Failed)},
                     {kDownloading, kFailed}, nullptr},
        DownloadCase{"NoAnswerOverStaleCache", true, {HttpResult::failure(HttpOutcome::TimedOut)},
                     {kDownloading, kFailed}, kStaleList.c_str()}),
    [](const testing::TestParamInfo<DownloadCase>& info) { return std::string(info.param.name); });

TEST(AirportDbLoad, LoadsTheDownloadedListThenTheCache) {
    CacheFixture f({kGoodList});
    AirportDb first(f.log.fn(), f.options);
    ASSERT_TRUE(first.load());
    EXPECT_EQ(first.findAirport("EGLL")->name, "London Heathrow Airport");
    setWriteTime(f.cacheFile(), kWritten);

    AirportDb second(f.log.fn(), f.options);
    ASSERT_TRUE(second.load());
    EXPECT_EQ(second.size(), 1u);
    EXPECT_EQ(f.transport->requests().size(), 1u);
    EXPECT_EQ(f.log.lines(),
              (std::vector<std::string>{kDownloading, kDownloaded, "[INFO] Airport DB loaded: 1 stations.",
                                        "[INFO] Airport DB: cache OK (0.00 days).",
                                        "[INFO] Airport DB loaded: 1 stations."}));
}

TEST(AirportDbLoad, StaleListIsLoadedWhenTheDownloadFails) {
    CacheFixture f({kHtmlPage}, 24h * 31);
    f.writeCache(kStaleList);
    AirportDb db(f.log.fn(), f.options);
    ASSERT_TRUE(db.load());
    EXPECT_EQ(db.findAirport("LFPG")->name, "Stale Paris");
    EXPECT_EQ(f.log.lines(),
              (std::vector<std::string>{kDownloading, kFailed, "[INFO] Airport DB loaded: 1 stations."}));
}

// A fresh cache file that is no airport list (say a portal's page an older
// download stored) would fail every load for 30 days: it is fetched again.
TEST(AirportDbLoad, FreshCacheThatIsNoListIsDownloadedAgain) {
    CacheFixture repaired({kGoodList});
    repaired.writeCache(kHtmlPage);
    AirportDb db(repaired.log.fn(), repaired.options);
    ASSERT_TRUE(db.load());
    EXPECT_EQ(test::readFile(repaired.cacheFile()), kGoodList);
    EXPECT_EQ(repaired.log.lines(),
              (std::vector<std::string>{kDownloading, kDownloaded, "[INFO] Airport DB loaded: 1 stations."}));

    CacheFixture unreachable({});
    unreachable.writeCache(kHtmlPage);
    AirportDb none(unreachable.log.fn(), unreachable.options);
    EXPECT_FALSE(none.load());
    EXPECT_EQ(unreachable.log.lines(), (std::vector<std::string>{kDownloading, kFailed}));
}

TEST(AirportDbLoad, NoListAndNoAnswerIsAFailedLoadWithoutFurtherLines) {
    CacheFixture f({});
    AirportDb db(f.log.fn(), f.options);
    EXPECT_FALSE(db.load());
    EXPECT_EQ(db.size(), 0u);
    EXPECT_EQ(f.log.lines(), (std::vector<std::string>{kDownloading, kFailed}));
}

TEST(AirportDbLoad, UnusableCacheFolderIsAFailedLoad) {
    CacheFixture f({kGoodList});
    const std::string blocker = f.scratch.write("blocker", "a file where a folder should be");
    f.options.directory = utf8String(utf8Path(blocker) / ".nubiro");
    AirportDb db(f.log.fn(), f.options);
    EXPECT_FALSE(db.load());
    EXPECT_TRUE(f.transport->requests().empty());
    EXPECT_EQ(f.log.lines(),
              std::vector<std::string>{"[ERROR] Airport cache folder unusable: " + f.options.directory});
}

TEST(AirportDbLoad, WorksInAFolderWithACyrillicName) {
    CacheFixture f({kGoodList});
    f.options.directory = f.scratch.path("\xD0\x9F\xD0\xB8\xD0\xBB\xD0\xBE\xD1\x82/.nubiro");  // "Пилот"
    AirportDb db(nullptr, f.options);
    ASSERT_TRUE(db.load());
    EXPECT_EQ(db.size(), 1u);
    EXPECT_EQ(test::readFile(db.ensureCacheFile()), kGoodList);
}

// Installs a folder lookup for one test and puts the previous one back.
class FolderLookupOverride {
public:
    explicit FolderLookupOverride(FolderLookup lookup) : previous_(defaultLocalAppDataLookup()) {
        setDefaultLocalAppDataLookup(std::move(lookup));
    }
    ~FolderLookupOverride() { setDefaultLocalAppDataLookup(previous_); }

private:
    FolderLookup previous_;
};

TEST(CacheDirectory, IsDotNubiroInTheLocalAppDataFolder) {
    ScratchDir scratch;
    const std::string folder = scratch.path("Local");
    FolderLookupOverride lookup([folder]() -> std::optional<std::string> { return folder; });
    EXPECT_EQ(cacheDirectory(), utf8String(utf8Path(folder) / ".nubiro"));

    // A database left to its defaults keeps its list there.
    auto transport = std::make_shared<ScriptedTransport>(std::vector<std::optional<std::string>>{kGoodList});
    AirportDb db(nullptr, {{}, {}, transport});
    ASSERT_TRUE(db.load());
    EXPECT_EQ(test::readFile(utf8String(utf8Path(folder) / ".nubiro" / "airports.csv")), kGoodList);
}

TEST(CacheDirectory, IsRelativeWhenTheLookupFails) {
    FolderLookupOverride failing([] { return std::optional<std::string>(); });
    EXPECT_EQ(cacheDirectory(), ".nubiro");
    FolderLookupOverride empty(nullptr);
    EXPECT_EQ(cacheDirectory(), ".nubiro");
}

}  // namespace
}  // namespace wx
