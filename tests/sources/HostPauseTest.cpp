#include <gtest/gtest.h>

#include <memory>

#include "sources/HttpClient.h"
#include "sources/RetryAfter.h"
#include "support/LogRecorder.h"
#include "support/ScriptedTransport.h"

namespace wx {
namespace {

using namespace std::chrono;
using test::LogRecorder;
using test::ScriptedTransport;

// 1994-11-06T08:48:37Z, a minute before the dates below.
const system_clock::time_point kNow =
    sys_days{year{1994} / 11 / 6} + hours{8} + minutes{48} + seconds{37};

struct DelayCase {
    const char* value;
    std::optional<int> seconds;
};

class RetryAfterValue : public testing::TestWithParam<DelayCase> {};

TEST_P(RetryAfterValue, IsSecondsOrAnHttpDate) {
    const auto delay = retryAfterDelay(GetParam().value, kNow);
    EXPECT_EQ(delay ? std::optional<int>(static_cast<int>(delay->count())) : std::nullopt, GetParam().seconds)
        << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, RetryAfterValue,
                         testing::Values(DelayCase{"30", 30}, DelayCase{" 45 ", 45}, DelayCase{"0", 0},
                                         DelayCase{"Sun, 06 Nov 1994 08:49:37 GMT", 60},
                                         DelayCase{"Sunday, 06-Nov-94 08:49:37 GMT", 60},
                                         DelayCase{"Sun Nov  6 08:49:37 1994", 60},
                                         DelayCase{"Sun, 06 Nov 1994 08:00:00 GMT", 0},
                                         DelayCase{"Mon, 31 Feb 1994 08:49:37 GMT", std::nullopt},
                                         DelayCase{"Sun, 06 Nov 1994 25:49:37 GMT", std::nullopt},
                                         DelayCase{"Sun, 06 Nov 1994 08:49:37 CET", std::nullopt},
                                         DelayCase{"-5", std::nullopt}, DelayCase{"1.5", std::nullopt},
                                         DelayCase{"soon", std::nullopt}, DelayCase{"", std::nullopt}));

// What one answer makes the client do: the line it logs and how long the
// host then stays paused (none: not paused).
struct PauseCase {
    const char* name;
    HttpResult answer;
    const char* line;
    std::optional<int> pauseSec;
};

class HostPause : public testing::TestWithParam<PauseCase> {
protected:
    steady_clock::time_point steadyNow_{};
    std::shared_ptr<HostPauses> pauses_ = std::make_shared<HostPauses>([this] { return steadyNow_; });
};

TEST_P(HostPause, AWaitAskedForHoldsEveryRequestToThatHostOnly) {
    const PauseCase& c = GetParam();
    auto transport = std::make_shared<ScriptedTransport>();
    LogRecorder log;
    HttpClient client(log.fn(), transport, nullptr, pauses_, [] { return kNow; });
    transport->answer(c.answer);
    EXPECT_EQ(client.get("https://h:8443/a", {{"k", "v"}}, 5), std::nullopt);
    EXPECT_EQ(log.lines(), std::vector<std::string>{c.line});

    const auto asks = [&](const std::string& url) {
        const size_t before = transport->requests().size();
        transport->answer(HttpResult::answer(200, "ok"));
        const bool answered = client.get(url, {}, 5).has_value();
        EXPECT_EQ(transport->requests().size() > before, answered) << url;
        return answered;
    };
    EXPECT_TRUE(asks("https://other:8443/a"));
    steadyNow_ += seconds{c.pauseSec.value_or(0)} - milliseconds{1};
    EXPECT_EQ(asks("https://h:8443/b"), !c.pauseSec);
    steadyNow_ += milliseconds{1};
    EXPECT_TRUE(asks("https://h:8443/b"));
    EXPECT_EQ(log.lines().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, HostPause,
    testing::Values(
        PauseCase{"TooManyWithSeconds", HttpResult::answer(429, "", "30"),
                  "[WARN] h:8443 asks to wait 30 s (HTTP 429): requests paused", 30},
        PauseCase{"TooManyWithout", HttpResult::answer(429, R"({"error":true})"),
                  "[WARN] h:8443 asks to wait 60 s (HTTP 429): requests paused", 60},
        PauseCase{"TooManyUnreadable", HttpResult::answer(429, "", "soon"),
                  "[WARN] h:8443 asks to wait 60 s (HTTP 429): requests paused", 60},
        PauseCase{"UnavailableWithDate", HttpResult::answer(503, "", "Sun, 06 Nov 1994 08:50:07 GMT"),
                  "[WARN] h:8443 asks to wait 90 s (HTTP 503): requests paused", 90},
        PauseCase{"LongerThanAnHour", HttpResult::answer(503, "", "86400"),
                  "[WARN] h:8443 asks to wait 3600 s (HTTP 503): requests paused", 3600},
        PauseCase{"UnavailableWithout", HttpResult::answer(503, ""), "[WARN] HTTP 503 from h:8443/a", std::nullopt},
        PauseCase{"TooManyNoWait", HttpResult::answer(429, "", "0"), "[WARN] HTTP 429 from h:8443/a", std::nullopt},
        PauseCase{"OtherStatus", HttpResult::answer(500, "", "30"), "[WARN] HTTP 500 from h:8443/a", std::nullopt}),
    [](const testing::TestParamInfo<PauseCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wx
