#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "sim/Clock.h"
#include "support/LogRecorder.h"
#include "support/ManualClock.h"
#include "weather/LogFn.h"

namespace wx::test {

using LogLines = std::vector<std::string>;

// The stand-in served in-process on a manual clock.
struct LoopbackRig {
    explicit LoopbackRig(const standin::SimSettings& settings = {})
        : model(std::make_shared<standin::SimModel>(settings)),
          transport(std::make_shared<standin::LoopbackIpcTransport>(model, clock)) {}

    std::shared_ptr<ManualClock> clock = std::make_shared<ManualClock>();
    std::shared_ptr<standin::SimModel> model;
    std::shared_ptr<standin::LoopbackIpcTransport> transport;
};

// The events of one kind the model recorded, in order.
template <typename Event>
std::vector<Event> eventsOf(const standin::SimModel& model) {
    std::vector<Event> found;
    for (const auto& event : model.events()) {
        if (const auto* match = std::get_if<Event>(&event)) {
            found.push_back(*match);
        }
    }
    return found;
}

}  // namespace wx::test
