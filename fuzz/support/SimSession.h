#pragma once

#include <memory>

#include "sim/Clock.h"
#include "sim/IpcTransport.h"
#include "weather/LogFn.h"

namespace wx::fuzz {

// The simulator link's conversation over one transport, in the order the
// engine holds it: connect (version words), position, magnetic variation,
// the NWI clear, one record written and activated (completion word), the
// clock set and a text shown.
void runSimSession(std::shared_ptr<IpcTransport> transport, std::shared_ptr<Clock> clock, const LogFn& log);

}  // namespace wx::fuzz
