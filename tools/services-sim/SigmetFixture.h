#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "weather/UtcTime.h"

namespace wx::sim {

// The SIGMET list the stand-in serves, from a file holding a JSON array as
// the service sends it. When the file's moment is given (the time it was
// captured), every row's "receiptTime", "validTimeFrom" and "validTimeTo"
// is served moved by the time since that moment, so that what was current
// then is current now, what had ended has ended as long ago, and what began
// later still lies as far ahead. Otherwise the file is served as it is.
class SigmetFixture {
public:
    // Absent, with the reason in `error`, when the file is no JSON array.
    static std::optional<SigmetFixture> load(const std::string& path, std::optional<UtcMillis> captured,
                                             std::string& error);

    // The JSON answer at `now`.
    std::string jsonAnswer(std::chrono::system_clock::time_point now) const;
    // The plain-text answer: each row's "rawSigmet", then an empty line.
    std::string rawAnswer() const;

private:
    SigmetFixture(std::string text, nlohmann::ordered_json rows, std::optional<UtcMillis> captured);

    std::string text_;
    nlohmann::ordered_json rows_;
    std::optional<UtcMillis> captured_;
};

}  // namespace wx::sim
