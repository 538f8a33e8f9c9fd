#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sources/HttpTransport.h"

namespace wx::sim {

// A recorded answer as the stand-in gives it again.
struct ReplayAnswer {
    HttpOutcome outcome = HttpOutcome::Failed;  // Answered, TimedOut, Cancelled, Refused or Failed
    int status = 0;
    std::shared_ptr<const std::string> body;
    std::string contentType;
    std::string retryAfter;  // the answer's "Retry-After" header, when it had one
};

// Query parameters, decoded and sorted: the same set in any order matches.
using QueryKey = std::vector<std::pair<std::string, std::string>>;

// A weather pack (a folder written by nubiro-cli run --record or by
// Nubiro.exe with NUBIRO_RECORD) loaded for serving: the answers recorded
// for each path and query, in recorded order. A recorded certificate
// refusal is left out (the stand-in cannot refuse its own certificate for
// one request): the request sent again without checks that followed it
// takes its place.
class ReplayPack {
public:
    // Absent, with the reason in `error`, when the index or a body file
    // cannot be read.
    static std::shared_ptr<ReplayPack> load(const std::string& dir, std::string& error);

    // The next recorded answer for this request: each in turn, then the
    // last one again. Absent when the pack holds none for it.
    std::optional<ReplayAnswer> next(const std::string& path, const QueryKey& query);

private:
    struct Series {
        std::vector<ReplayAnswer> answers;
        size_t served = 0;
    };

    std::mutex mutex_;
    std::map<std::pair<std::string, QueryKey>, Series> series_;
};

// The pack being served, if any; replaced while requests are served.
class ReplaySlot {
public:
    std::shared_ptr<ReplayPack> get() const {
        std::lock_guard lock(mutex_);
        return pack_;
    }
    void set(std::shared_ptr<ReplayPack> pack) {
        std::lock_guard lock(mutex_);
        pack_ = std::move(pack);
    }

private:
    mutable std::mutex mutex_;
    std::shared_ptr<ReplayPack> pack_;
};

// The path of a URL and its query, decoded and sorted.
std::pair<std::string, QueryKey> requestKey(const std::string& url);

}  // namespace wx::sim
