#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "SimEvents.h"
#include "sim/AmbientWeather.h"
#include "sim/Clock.h"

namespace wx::standin {

// The stand-in's initial state and fault knobs.
struct SimSettings {
    double latitudeDeg = 0.0;
    double longitudeDeg = 0.0;
    double magVarDeg = 0.0;
    int32_t localMinutes = 12 * 60;  // clock, minutes of the day
    int32_t utcMinutes = 12 * 60;
    uint16_t simVersion = 7;
    uint32_t moduleVersion = 0x19980005;
    // Delay before a command's completion shows at 0xC824; negative: never.
    int32_t ackDelayMs = 0;
    // The reply to every batch; a value other than 1 leaves the batch undone.
    uint32_t replyValue = 1;
    std::string windowClass = "FS98MAIN";
};

// Where a station lies (latitude, longitude in degrees), when known.
using StationPositions = std::function<std::optional<std::pair<double, double>>(const std::string& stationId)>;

// Values set in place of the modelled weather at the aircraft, so that the
// program's read-back can be shown a simulator that disagrees.
struct AmbientOverride {
    std::optional<double> windDirDeg;  // as the offset gives it (magnetic at the surface, true aloft)
    std::optional<int32_t> windSpeedKt;
    std::optional<double> temperatureC;
    std::optional<double> qnhHpa;
    std::optional<int32_t> visibilityM;
};

// The simulator's offset space as FSUIPC serves it, with the behaviour the
// program relies on: version words, position, magnetic variation, local and
// UTC clock with the clock controls, the date, the message-line text, and NWI, whose
// commands are carried out and acknowledged through the completion word.
// It keeps a history of everything it was given.
//
// The weather at the aircraft (its ambient offsets) is that of the active
// record of the station nearest to the aircraft, or of the point at the
// aircraft ("GLOB") when no active station's position is known.
//
// The clock stands still unless a control sets it. The version words and
// the completion word are the model's own, so writes to them are dropped.
class SimModel {
public:
    explicit SimModel(const SimSettings& settings = {});

    // Carries out one batch of requests laid out in `area` (the client's
    // shared area of `size` bytes) at time `now`; returns the reply value.
    uint32_t carryOut(uint8_t* area, size_t size, Clock::TimePoint now);

    void setPosition(double latitudeDeg, double longitudeDeg);
    // The aircraft's altitude in metres above sea level (0 at start).
    void setAltitude(double altitudeM);
    // The ground speed in knots and the GPS's time to its destination in
    // seconds (0: the GPS has none), both 0 at start.
    void setGroundSpeed(double knots);
    void setGpsTimeToDestination(uint32_t seconds);
    void setSimVersion(uint16_t version);
    void setModuleVersion(uint32_t version);
    void setAckEnabled(bool enabled) { ackEnabled_ = enabled; }
    void setAckDelay(std::chrono::milliseconds delay) { ackDelay_ = delay; }
    void setReplyValue(uint32_t value) { replyValue_ = value; }
    void setStationPositions(StationPositions positions);
    void setAmbientOverride(const AmbientOverride& values);
    const AmbientOverride& ambientOverride() const { return override_; }
    // The words of the ambient offsets as they stand.
    AmbientWords ambient() const;
    // Raw access to the offset space, for faults no knob covers.
    void poke(uint32_t offset, const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> peek(uint32_t offset, uint32_t size) const;

    const SimSettings& settings() const { return settings_; }
    uint16_t simVersion() const { return simVersion_; }
    // The year the last client announced at 0x330A; 0 before any.
    uint16_t clientYear() const { return clientYear_; }
    bool ackEnabled() const { return ackEnabled_; }
    uint32_t completionWord() const { return completion_; }
    int32_t localMinutes() const { return localMinutes_; }
    int32_t utcMinutes() const { return utcMinutes_; }
    // The date at 0x023E (day of the year) and 0x0240 (year); 0 until written.
    uint16_t dayOfYear() const;
    uint16_t year() const;
    // Records given with 257 and not yet activated, and the active ones.
    const std::map<std::string, DecodedNwiRecord>& pendingRecords() const { return pending_; }
    const std::map<std::string, DecodedNwiRecord>& activeRecords() const { return active_; }
    const std::vector<SimEvent>& events() const { return events_; }
    // Called for every event as it happens.
    void setEventListener(std::function<void(const SimEvent&)> listener) { listener_ = std::move(listener); }
    // Whether events() keeps every event (the default, for tests). A
    // stand-in that serves for hours hands them to its listener only.
    void setHistoryKept(bool kept) { historyKept_ = kept; }

private:
    struct BatchEffects {
        bool command = false;
        bool text = false;
        bool date = false;
    };

    void applyWrite(uint32_t offset, const uint8_t* data, uint32_t size, BatchEffects& effects);
    void fillRead(uint32_t offset, uint8_t* data, uint32_t size) const;
    void carryOutCommand(Clock::TimePoint now);
    void carryOutControl();
    void showText();
    void settleAcks(Clock::TimePoint now);
    void storeClock();
    void storeVersions();
    void storeCompletion();
    void updateAmbient();
    void record(SimEvent event);

    SimSettings settings_;
    std::vector<uint8_t> space_;
    uint32_t moduleVersion_ = 0;
    uint16_t simVersion_ = 0;
    uint16_t clientYear_ = 0;
    bool ackEnabled_ = true;
    std::chrono::milliseconds ackDelay_{0};
    uint32_t replyValue_ = 1;
    uint32_t completion_ = 0;
    std::deque<Clock::TimePoint> dueAcks_;
    int32_t localMinutes_ = 0;
    int32_t utcMinutes_ = 0;
    std::map<std::string, DecodedNwiRecord> pending_;
    std::map<std::string, DecodedNwiRecord> active_;
    std::map<std::string, std::vector<uint8_t>> pendingBytes_;
    std::map<std::string, std::vector<uint8_t>> activeBytes_;
    double latitudeDeg_ = 0.0;
    double longitudeDeg_ = 0.0;
    int32_t altitudeM_ = 0;
    StationPositions positions_;
    AmbientOverride override_;
    std::vector<SimEvent> events_;
    bool historyKept_ = true;
    std::function<void(const SimEvent&)> listener_;
};

// The latitude and longitude words of the simulator for a position in degrees.
int64_t encodeLatitude(double latitudeDeg);
int64_t encodeLongitude(double longitudeDeg);

}  // namespace wx::standin
