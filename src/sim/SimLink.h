#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "sim/AmbientWeather.h"
#include "sim/Clock.h"
#include "sim/FsuipcClient.h"
#include "sim/IpcTransport.h"
#include "weather/LogFn.h"
#include "weather/UtcTime.h"
#include "weather/WeatherData.h"

namespace wx {

// The aircraft position, degrees, with what the arrival time is worked
// out from: the ground speed and the GPS's time to its destination
// (seconds; 0 when it has none).
struct SimPosition {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double groundSpeedKt = 0.0;
    uint32_t gpsTimeToDestinationSec = 0;

    bool operator==(const SimPosition&) const = default;
};

// The program's connection to the simulator. Constructing it opens the
// FSUIPC client and finds out whether the simulator takes NWI weather; its
// operations write weather through NWI, read the aircraft position and the
// magnetic variation, set the simulator clock and show texts. One link
// exists at a time; it has no lock.
class SimLink {
public:
    explicit SimLink(LogFn log, std::shared_ptr<IpcTransport> transport = defaultIpcTransport(),
                     std::shared_ptr<Clock> clock = makeSteadyClock());
    ~SimLink();
    SimLink(const SimLink&) = delete;
    SimLink& operator=(const SimLink&) = delete;

    // False once the simulator's window has gone away ("FSUIPC connection
    // lost."); the link stays closed then and writes nothing more.
    bool connected() const { return connected_; }
    bool nwiAvailable() const { return nwiAvailable_; }

    // Clears the simulator's NWI weather, in the two steps NWI wants.
    void initWeather();
    // Writes one finished record as an NWI record and waits for the
    // simulator to take it.
    bool writeWeather(const WeatherData& weather, double magVarDeg);
    // Makes the written records the simulator's weather.
    bool activatePending();

    std::optional<SimPosition> readPosition();
    // Degrees; 0 when it cannot be read.
    double readMagneticVariation();
    // The weather the simulator has at the aircraft; empty when it cannot
    // be read.
    std::optional<AmbientWeather> readAmbient();
    // Sets the simulator's local clock to the report's UTC time shifted by
    // the simulator's own local-to-UTC offset.
    bool syncTime(int32_t hourUtc, int32_t minuteUtc);
    // Sets the simulator's date and local clock to a UTC time shifted by
    // the simulator's own local-to-UTC offset: the day of the year and the
    // year of that local time first, then the clock as syncTime sets it.
    bool syncDateTime(UtcMillis timeUtc);
    // Shows the first 127 bytes of `text` for `seconds` (low 15 bits).
    bool showText(const std::string& text, int32_t seconds);

private:
    void connect();
    bool process();
    void sendControl(uint32_t control, uint32_t parameter);
    std::optional<int64_t> readLocalOffsetMinutes();
    void setClock(int64_t localMinutes);
    std::optional<uint32_t> readCompletionWord();
    bool sendNwiCommand(uint16_t command, const std::string& station, bool wait);
    bool waitForNwiChange(uint32_t previous, double timeoutSec);

    LogFn log_;
    std::shared_ptr<Clock> clock_;
    FsuipcClient client_;
    bool connected_ = false;
    bool lost_ = false;  // was connected until the simulator's window went away
    bool nwiAvailable_ = false;
};

}  // namespace wx
