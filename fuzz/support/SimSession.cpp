#include "SimSession.h"

#include "StationRecord.h"
#include "sim/SimLink.h"

namespace wx::fuzz {

void runSimSession(std::shared_ptr<IpcTransport> transport, std::shared_ptr<Clock> clock, const LogFn& log) {
    SimLink link(log, std::move(transport), std::move(clock));
    const auto position = link.readPosition();
    const double magVarDeg = link.readMagneticVariation();
    link.initWeather();
    link.writeWeather(stationRecord(), magVarDeg);
    link.activatePending();
    link.syncTime(10, 20);
    link.showText(position ? "EGLL 071020Z 27015G28KT" : "no position", 15);
}

}  // namespace wx::fuzz
