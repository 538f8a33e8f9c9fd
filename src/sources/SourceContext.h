#pragma once

#include <memory>
#include <optional>

#include "sources/HostPauses.h"
#include "sources/HttpCancel.h"
#include "sources/ModelAnswerStore.h"
#include "weather/UtcTime.h"

namespace wx {

// What the sources of one owner (the engine) share and keep beyond the life
// of a source, so that a change of source forgets none of it. Empty members
// give a source its own: no cancel switch, the computer's clock, pauses and
// kept model answers of its own.
struct SourceContext {
    std::shared_ptr<HttpCancel> cancel;
    // The calendar time: the model's hour, the age of kept answers, HTTP
    // dates in "Retry-After".
    UtcClock clock;
    std::shared_ptr<HostPauses> pauses;
    std::shared_ptr<ModelAnswerStore> modelAnswers;
    // Set while the pilot flies a time in the past: `clock` then shows the
    // weather time and runs on, and this is the time the services live in
    // (an empty function: the computer's clock). Empty: the weather of now.
    std::optional<UtcClock> present;
};

}  // namespace wx
