#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "sources/HttpTransport.h"

namespace wx {

// A weather pack is a folder: "index.jsonl", one JSON object a line for
// each request in the order they were made, and for each answer its body in
// a file of its own, named after the request's number.
inline constexpr const char* kPackIndexFile = "index.jsonl";

// One line of a pack's index: a request and what came back.
struct PackEntry {
    size_t number = 0;        // 1 for a pack's first request
    std::string time;         // when it was sent, UTC: "2026-10-02T20:20:00.000Z"
    std::string url;          // as sent, with its query
    HttpOutcome outcome = HttpOutcome::Failed;
    int status = 0;           // of an answer
    std::string bodyFile;     // of an answer: the file holding its body, in the pack's folder
    size_t bodyBytes = 0;
    int64_t durationMs = 0;   // from sending to the end of the answer or the failure
    std::string retryAfter;   // of an answer: its "Retry-After" header; empty without one
    // The weather time the engine's clock showed then, while one was
    // flown; empty for the weather of now.
    std::string weatherTime;

    bool operator==(const PackEntry&) const = default;
};

// The names of the outcomes in an index: "answered", "timeout", "refused",
// "certificate", "cancelled", "failed".
const char* outcomeName(HttpOutcome outcome);
std::optional<HttpOutcome> outcomeNamed(const std::string& name);

// An entry as its index line (without the line end), and back; nothing
// for a line that is no such object. "retryAfter" is written only for an
// answer that had the header and "weatherTime" only for a request made
// while a weather time was flown, so packs recorded before them read the
// same.
std::string packIndexLine(const PackEntry& entry);
std::optional<PackEntry> parsePackIndexLine(const std::string& line);

}  // namespace wx
