// The first load in a fresh Wine prefix downloads the airport list from the
// web-services stand-in into the prefix's local application-data folder; the
// second load uses that cache without asking the stand-in again. Both go
// through the program's real platform defaults: the shell folder lookup and
// WinHTTP.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>

#include "airports/AirportDb.h"
#include "airports/LocalAppDataFolder.h"
#include "platform/PlatformDefaults.h"
#include "platform/win32/LocalAppDataFolder.h"
#include "sources/HttpTransport.h"
#include "support/Environment.h"
#include "support/LogRecorder.h"
#include "support/ServicesSim.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

// The test empties the user's cache folder, which is only ever acceptable in
// the throw-away prefix of a Wine test run.
bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

size_t downloadsLogged(const test::ServicesSim& sim) {
    const auto requests = sim.requests();
    return static_cast<size_t>(std::count_if(requests.begin(), requests.end(), [](const nlohmann::json& request) {
        return request.value("path", "") == "/ourairports-data/airports.csv";
    }));
}

bool logged(const test::LogRecorder& log, const std::string& line) {
    const auto lines = log.lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

class AirportDownload : public testing::Test {
protected:
    void SetUp() override {
        if (!runningUnderWine()) {
            GTEST_SKIP() << "empties the user's cache folder: runs only in a Wine test prefix";
        }
        sim_ = test::servicesSimFromFixture();
        ASSERT_TRUE(sim_.has_value()) << "no web-services stand-in (NUBIRO_SERVICES_SIM_STATE)";
        installPlatformDefaults();
        const auto folder = shellLocalAppDataFolder();
        ASSERT_TRUE(folder.has_value());
        cacheFolder_ = utf8Path(*folder) / ".nubiro";
        std::filesystem::remove_all(cacheFolder_);
    }

    void TearDown() override {
        setDefaultHttpTransport(nullptr);
        setDefaultLocalAppDataLookup(nullptr);
    }

    std::optional<test::ServicesSim> sim_;
    std::filesystem::path cacheFolder_;
};

TEST_F(AirportDownload, FirstLoadDownloadsIntoLocalAppDataAndSecondUsesTheCache) {
    const test::EnvironmentScope host("NUBIRO_AIRPORTS_URL", sim_->httpsUrl);
    // The stand-in may have served this test before: only the downloads
    // from now on count.
    const size_t before = downloadsLogged(*sim_);

    test::LogRecorder firstLog;
    AirportDb first(firstLog.fn());
    ASSERT_TRUE(first.load());
    EXPECT_TRUE(logged(firstLog, "[INFO] Downloading OurAirports DB (~12 MB)..."));
    EXPECT_TRUE(logged(firstLog, "[OK] Airport DB downloaded."));
    EXPECT_TRUE(std::filesystem::is_regular_file(cacheFolder_ / "airports.csv"));
    EXPECT_FALSE(std::filesystem::exists(cacheFolder_ / "airports.csv.download"));
    EXPECT_GT(first.size(), 17000u);
    EXPECT_TRUE(first.findAirport("EGLL").has_value());
    EXPECT_EQ(downloadsLogged(*sim_) - before, 1u);

    test::LogRecorder secondLog;
    AirportDb second(secondLog.fn());
    ASSERT_TRUE(second.load());
    EXPECT_TRUE(logged(secondLog, "[INFO] Airport DB: cache OK (0.00 days).")) << testing::PrintToString(secondLog.lines());
    EXPECT_FALSE(logged(secondLog, "[INFO] Downloading OurAirports DB (~12 MB)..."));
    EXPECT_EQ(second.size(), first.size());
    EXPECT_EQ(downloadsLogged(*sim_) - before, 1u);
}

}  // namespace
}  // namespace wx
