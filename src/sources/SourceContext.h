#pragma once

#include <memory>

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
};

}  // namespace wx
