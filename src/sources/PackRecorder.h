#pragma once

#include <chrono>
#include <memory>
#include <mutex>
#include <string>

#include "sources/HttpTransport.h"
#include "sources/PackIndex.h"
#include "weather/LogFn.h"
#include "weather/UtcTime.h"
#include "weather/WeatherClock.h"

namespace wx {

// A weather pack being written (see PackIndex.h). Requests come from any
// thread; each is kept whole (its body file first, then its index line,
// flushed) before the next.
class PackRecorder {
public:
    // The pack in `dir`, made when missing; a pack already there is added
    // to, its numbering continued. Null, with the reason in `error`, when
    // the folder or its index cannot be made or written. `clock` is the
    // present; `weather`, when given, the engine's clock, whose weather
    // time each request made while one is flown carries.
    static std::shared_ptr<PackRecorder> open(const std::string& dir, UtcClock clock, std::string& error,
                                              std::shared_ptr<const WeatherClock> weather = {});

    // The time on the recorder's clock.
    UtcMillis now() const;
    // The weather time on the engine's clock while one is flown.
    std::optional<UtcMillis> weatherNow() const;
    // Keeps a request sent at `sent` (at the weather time `weatherSent`,
    // when one was flown) and what came back. A file that cannot be written
    // is logged once as "Weather pack: cannot write " and its path
    // ("WARN"); the request's result stays as it was.
    void keep(const HttpRequest& request, const HttpResult& result, UtcMillis sent, std::chrono::milliseconds took,
              const LogFn& log, std::optional<UtcMillis> weatherSent = std::nullopt);

private:
    PackRecorder(std::string dir, UtcClock clock, std::shared_ptr<const WeatherClock> weather, size_t nextNumber);
    bool write(const PackEntry& entry, const std::string& body, std::string& failedPath);

    const std::string dir_;
    const UtcClock clock_;
    const std::shared_ptr<const WeatherClock> weather_;
    std::mutex mutex_;
    size_t nextNumber_;
    bool failureLogged_ = false;
};

// A transport that sends through another one and keeps every request and
// its result in a pack.
class RecordingTransport final : public HttpTransport {
public:
    RecordingTransport(std::shared_ptr<HttpTransport> inner, std::shared_ptr<PackRecorder> pack);
    HttpResult send(const HttpRequest& request, const LogFn& log) override;

private:
    std::shared_ptr<HttpTransport> inner_;
    std::shared_ptr<PackRecorder> pack_;
};

// From now on every new transport of the process-wide kind keeps its
// requests in the pack in `dir`, with times from `clock` and weather times
// from `weather`. False, with the reason in `error`, when the pack cannot
// be opened; nothing changes then.
bool recordRequestsInto(const std::string& dir, UtcClock clock, std::string& error,
                        std::shared_ptr<const WeatherClock> weather = {});

}  // namespace wx
