#pragma once

#include <chrono>
#include <cstddef>
#include <map>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

namespace wx {

// Model answers kept per point, keyed by the latitude and longitude as the
// request sends them, with when each came on the engine's UTC clock. An
// answer holds every hour of its UTC day, so while its "time" array holds
// the current hour it serves instead of a new request. Used by one thread
// at a time.
class ModelAnswerStore {
public:
    // At most this many points are kept; the oldest answers go first.
    static constexpr size_t kMaxPoints = 256;
    // An answer younger than this serves instead of a request.
    static constexpr std::chrono::minutes kFreshFor{60};

    using TimePoint = std::chrono::system_clock::time_point;

    struct Kept {
        const nlohmann::json* answer;  // valid until the store changes
        size_t hour;                   // the index of the hour asked for in its "time" array
        bool fresh;                    // younger than kFreshFor
    };

    // "51.4700,-0.4543": the point as the request names it.
    static std::string pointKey(double lat, double lon);

    // The point's answer when its "time" array holds the hour of `now`.
    std::optional<Kept> find(const std::string& point, TimePoint now) const;
    // Keeps an answer that came at `now` when it holds that hour, in place
    // of the point's earlier one.
    void keep(const std::string& point, const nlohmann::json& answer, TimePoint now);
    // Drops answers that came on another UTC day than `now` and, unless
    // `pastTheHour`, those older than kFreshFor.
    void dropStale(TimePoint now, bool pastTheHour);
    size_t size() const { return answers_.size(); }

private:
    struct Entry {
        nlohmann::json answer;
        TimePoint came;
    };

    std::map<std::string, Entry> answers_;
};

}  // namespace wx
