#include "sources/PackRecorder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <utility>

#include "util/LineInput.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

namespace fs = std::filesystem;

// The number after the highest one the index holds; 1 for a new pack.
size_t numberAfterIndex(const fs::path& index) {
    std::ifstream in(index, std::ios::binary);
    size_t highest = 0;
    std::string line;
    while (readLine(in, line)) {
        if (const auto entry = parsePackIndexLine(line)) {
            highest = std::max(highest, entry->number);
        }
    }
    return highest + 1;
}

// "00012.json" for a JSON body, ".csv" for the airport list, ".txt" else.
std::string bodyFileName(size_t number, const std::string& url, const std::string& body) {
    char stem[32];
    std::snprintf(stem, sizeof stem, "%05zu", number);
    const std::string path = url.substr(0, url.find_first_of("?#"));
    const char* extension = nlohmann::json::accept(body)                                   ? ".json"
                            : path.size() >= 4 && path.compare(path.size() - 4, 4, ".csv") == 0 ? ".csv"
                                                                                             : ".txt";
    return stem + std::string(extension);
}

bool writeWhole(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

bool appendLine(const fs::path& path, const std::string& line) {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    out << line << '\n';
    return static_cast<bool>(out.flush());
}

}  // namespace

std::shared_ptr<PackRecorder> PackRecorder::open(const std::string& dir, UtcClock clock, std::string& error,
                                                 std::shared_ptr<const WeatherClock> weather) {
    const fs::path folder = utf8Path(dir);
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure || !fs::is_directory(folder, failure)) {
        error = "cannot make the folder " + dir + (failure ? ": " + failure.message() : "");
        return nullptr;
    }
    const fs::path index = folder / kPackIndexFile;
    if (!std::ofstream(index, std::ios::binary | std::ios::app)) {
        error = "cannot write " + utf8String(index);
        return nullptr;
    }
    return std::shared_ptr<PackRecorder>(
        new PackRecorder(dir, std::move(clock), std::move(weather), numberAfterIndex(index)));
}

PackRecorder::PackRecorder(std::string dir, UtcClock clock, std::shared_ptr<const WeatherClock> weather,
                           size_t nextNumber)
    : dir_(std::move(dir)), clock_(std::move(clock)), weather_(std::move(weather)), nextNumber_(nextNumber) {}

UtcMillis PackRecorder::now() const { return std::chrono::floor<std::chrono::milliseconds>(utcNow(clock_)); }

std::optional<UtcMillis> PackRecorder::weatherNow() const {
    if (!weather_ || !weather_->flyingPast()) {
        return std::nullopt;
    }
    return std::chrono::floor<std::chrono::milliseconds>(weather_->now());
}

void PackRecorder::keep(const HttpRequest& request, const HttpResult& result, UtcMillis sent,
                        std::chrono::milliseconds took, const LogFn& log, std::optional<UtcMillis> weatherSent) {
    PackEntry entry;
    entry.time = formatUtcTime(sent);
    entry.weatherTime = weatherSent ? formatUtcTime(*weatherSent) : std::string();
    entry.url = request.url;
    entry.outcome = result.outcome;
    entry.durationMs = took.count();
    if (result.answered()) {
        entry.status = result.status;
        entry.bodyBytes = result.body.size();
        entry.retryAfter = result.retryAfter;
    }
    std::string failedPath;
    std::lock_guard lock(mutex_);
    entry.number = nextNumber_++;
    if (result.answered()) {
        entry.bodyFile = bodyFileName(entry.number, request.url, result.body);
    }
    if (!write(entry, result.body, failedPath) && !failureLogged_) {
        failureLogged_ = true;
        logLine(log, "Weather pack: cannot write " + failedPath, "WARN");
    }
}

bool PackRecorder::write(const PackEntry& entry, const std::string& body, std::string& failedPath) {
    const fs::path folder = utf8Path(dir_);
    if (!entry.bodyFile.empty() && !writeWhole(folder / entry.bodyFile, body)) {
        failedPath = utf8String(folder / entry.bodyFile);
        return false;
    }
    if (!appendLine(folder / kPackIndexFile, packIndexLine(entry))) {
        failedPath = utf8String(folder / kPackIndexFile);
        return false;
    }
    return true;
}

RecordingTransport::RecordingTransport(std::shared_ptr<HttpTransport> inner, std::shared_ptr<PackRecorder> pack)
    : inner_(std::move(inner)), pack_(std::move(pack)) {}

HttpResult RecordingTransport::send(const HttpRequest& request, const LogFn& log) {
    const UtcMillis sent = pack_->now();
    const std::optional<UtcMillis> weatherSent = pack_->weatherNow();
    const auto began = std::chrono::steady_clock::now();
    HttpResult result = inner_->send(request, log);
    pack_->keep(request, result, sent,
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began), log,
                weatherSent);
    return result;
}

bool recordRequestsInto(const std::string& dir, UtcClock clock, std::string& error,
                        std::shared_ptr<const WeatherClock> weather) {
    const std::shared_ptr<PackRecorder> pack = PackRecorder::open(dir, std::move(clock), error, std::move(weather));
    if (!pack) {
        return false;
    }
    setDefaultHttpTransportFactory([inner = defaultHttpTransportFactory(), pack] {
        return std::make_shared<RecordingTransport>(inner(), pack);
    });
    return true;
}

}  // namespace wx
