#include "sources/PackIndex.h"

#include <array>
#include <utility>

namespace wx {
namespace {

using nlohmann::json;

constexpr std::array<std::pair<HttpOutcome, const char*>, 6> kOutcomeNames{{
    {HttpOutcome::Answered, "answered"},
    {HttpOutcome::TimedOut, "timeout"},
    {HttpOutcome::Refused, "refused"},
    {HttpOutcome::Certificate, "certificate"},
    {HttpOutcome::Cancelled, "cancelled"},
    {HttpOutcome::Failed, "failed"},
}};

template <typename T>
bool readIndexMember(const json& object, const char* key, T& target) {
    const auto it = object.find(key);
    if (it == object.end()) {
        return false;
    }
    try {
        target = it->get<T>();
        return true;
    } catch (const json::exception&) {
        return false;
    }
}

}  // namespace

const char* outcomeName(HttpOutcome outcome) {
    for (const auto& [kind, name] : kOutcomeNames) {
        if (kind == outcome) {
            return name;
        }
    }
    return "failed";
}

std::optional<HttpOutcome> outcomeNamed(const std::string& name) {
    for (const auto& [kind, known] : kOutcomeNames) {
        if (name == known) {
            return kind;
        }
    }
    return std::nullopt;
}

std::string packIndexLine(const PackEntry& entry) {
    nlohmann::ordered_json line{{"number", entry.number},
                                {"time", entry.time}};
    if (!entry.weatherTime.empty()) {
        line["weatherTime"] = entry.weatherTime;
    }
    line.update(nlohmann::ordered_json{{"url", entry.url},
                                       {"outcome", outcomeName(entry.outcome)}});
    if (entry.outcome == HttpOutcome::Answered) {
        line["status"] = entry.status;
        line["body"] = entry.bodyFile;
        line["bytes"] = entry.bodyBytes;
        if (!entry.retryAfter.empty()) {
            line["retryAfter"] = entry.retryAfter;
        }
    }
    line["ms"] = entry.durationMs;
    return line.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<PackEntry> parsePackIndexLine(const std::string& line) {
    const json object = json::parse(line, nullptr, false);
    PackEntry entry;
    std::string outcome;
    if (!object.is_object() || !readIndexMember(object, "number", entry.number) || !readIndexMember(object, "time", entry.time) ||
        !readIndexMember(object, "url", entry.url) || !readIndexMember(object, "outcome", outcome)) {
        return std::nullopt;
    }
    const auto kind = outcomeNamed(outcome);
    if (!kind) {
        return std::nullopt;
    }
    entry.outcome = *kind;
    readIndexMember(object, "ms", entry.durationMs);
    if (entry.outcome == HttpOutcome::Answered &&
        (!readIndexMember(object, "status", entry.status) || !readIndexMember(object, "body", entry.bodyFile))) {
        return std::nullopt;
    }
    readIndexMember(object, "bytes", entry.bodyBytes);
    readIndexMember(object, "retryAfter", entry.retryAfter);
    readIndexMember(object, "weatherTime", entry.weatherTime);
    return entry;
}

}  // namespace wx
