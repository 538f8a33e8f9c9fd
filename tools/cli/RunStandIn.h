#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include <nlohmann/json.hpp>

#include "LoopbackIpcTransport.h"
#include "SimModel.h"
#include "sim/IpcTransport.h"

namespace wx::cli {

// The simulator stand-in served in-process to the engine's worker while
// another thread moves the aircraft, switches acknowledgements and replies
// or makes the simulator go away: every batch and every command takes the
// model's lock. Each event the model records goes to the listener, under
// that lock.
class RunStandIn {
public:
    RunStandIn(const standin::SimSettings& settings, std::function<void(const standin::SimEvent&)> listener);

    // The transport the engine's simulator link uses.
    std::shared_ptr<IpcTransport> transport() const { return transport_; }
    // Carries out one stand-in command line ("move LAT LON", "ack on|off",
    // "reply N"; "kill": the simulator's process ends, as in a crash, so its
    // window is gone and no send is answered from then on; "restart": the
    // simulator runs again; "hang MS": its window does not take messages for
    // MS milliseconds and the system reports it hung) and returns its answer
    // line.
    nlohmann::ordered_json apply(const std::string& line);
    // Where stations lie, for the weather at the aircraft.
    void setStationPositions(standin::StationPositions positions);

private:
    std::shared_ptr<std::mutex> mutex_ = std::make_shared<std::mutex>();
    std::shared_ptr<Clock> clock_ = makeSteadyClock();
    std::shared_ptr<standin::SimModel> model_;
    std::shared_ptr<standin::LoopbackIpcTransport> loopback_;
    std::shared_ptr<IpcTransport> transport_;
};

}  // namespace wx::cli
