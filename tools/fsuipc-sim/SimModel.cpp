#include "SimModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "NwiRecordDecoder.h"
#include "airports/Distance.h"
#include "sim/FsuipcBatch.h"
#include "sim/LittleEndian.h"
#include "sim/SimOffsets.h"

namespace wx::standin {
namespace {

constexpr size_t kSpaceSize = 0x10000;
constexpr int32_t kMinutesPerDay = 1440;

bool overlaps(uint32_t offset, uint32_t size, uint32_t first, uint32_t length) {
    return static_cast<uint64_t>(offset) < static_cast<uint64_t>(first) + length &&
           first < static_cast<uint64_t>(offset) + size;
}

int64_t saturatingWord(long double units) {
    constexpr long double kLowest = static_cast<long double>(std::numeric_limits<int64_t>::min());
    constexpr long double kHighest = static_cast<long double>(std::numeric_limits<int64_t>::max());
    if (std::isnan(units)) {
        return 0;
    }
    if (units <= kLowest) {
        return std::numeric_limits<int64_t>::min();
    }
    if (units >= kHighest) {
        return std::numeric_limits<int64_t>::max();
    }
    return static_cast<int64_t>(std::llround(units));
}

int32_t dayMinutes(int64_t minutes) {
    return static_cast<int32_t>(((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay);
}

}  // namespace

int64_t encodeLatitude(double latitudeDeg) {
    return saturatingWord(static_cast<long double>(latitudeDeg) * kLatitudeUnitsPer90Deg / 90.0L);
}

int64_t encodeLongitude(double longitudeDeg) {
    return saturatingWord(static_cast<long double>(longitudeDeg) * kLongitudeUnitsPer360Deg / 360.0L);
}

SimModel::SimModel(const SimSettings& settings)
    : settings_(settings),
      space_(kSpaceSize, 0),
      ackEnabled_(settings.ackDelayMs >= 0),
      ackDelay_(std::max(settings.ackDelayMs, 0)),
      replyValue_(settings.replyValue),
      localMinutes_(dayMinutes(settings.localMinutes)),
      utcMinutes_(dayMinutes(settings.utcMinutes)) {
    setModuleVersion(settings.moduleVersion);
    setSimVersion(settings.simVersion);
    setPosition(settings.latitudeDeg, settings.longitudeDeg);
    const double variation = std::clamp(std::round(settings.magVarDeg * 65536.0 / 360.0), -32768.0, 32767.0);
    storeLe16(&space_[SimOffsets::kMagneticVariation], static_cast<uint16_t>(static_cast<int16_t>(variation)));
    storeClock();
    storeCompletion();
}

void SimModel::setPosition(double latitudeDeg, double longitudeDeg) {
    storeLe64(&space_[SimOffsets::kLatitude], static_cast<uint64_t>(encodeLatitude(latitudeDeg)));
    storeLe64(&space_[SimOffsets::kLongitude], static_cast<uint64_t>(encodeLongitude(longitudeDeg)));
    latitudeDeg_ = latitudeDeg;
    longitudeDeg_ = longitudeDeg;
    updateAmbient();
}

void SimModel::setGroundSpeed(double knots) {
    const double units = std::round(std::clamp(knots, 0.0, 5000.0) * 1852.0 / 3600.0 * 65536.0);
    storeLe32(&space_[SimOffsets::kGroundSpeed], static_cast<uint32_t>(units));
}

void SimModel::setGpsTimeToDestination(uint32_t seconds) {
    storeLe32(&space_[SimOffsets::kGpsTimeToDestination], seconds);
}

void SimModel::setAltitude(double altitudeM) {
    const auto units = static_cast<int64_t>(std::llround(std::clamp(altitudeM, -1e6, 1e6) * 65536.0 * 65536.0));
    // Metres × 2^32: the fraction, then the whole metres.
    storeLe64(&space_[SimOffsets::kAltitudeMetres - 4], static_cast<uint64_t>(units));
    altitudeM_ = static_cast<int32_t>(units >> 32);
    updateAmbient();
}

void SimModel::setStationPositions(StationPositions positions) {
    positions_ = std::move(positions);
    updateAmbient();
}

void SimModel::setAmbientOverride(const AmbientOverride& values) {
    override_ = values;
    updateAmbient();
}

AmbientWords SimModel::ambient() const {
    AmbientWords words;
    words.visibilityHundredthsMile = loadLe16(&space_[SimOffsets::kAmbientVisibility]);
    words.temperature256 = static_cast<int16_t>(loadLe16(&space_[SimOffsets::kAmbientTemperature]));
    words.windSpeedKt = loadLe16(&space_[SimOffsets::kAmbientWindSpeed]);
    words.windDirection = loadLe16(&space_[SimOffsets::kAmbientWindDirection]);
    words.qnh16 = loadLe16(&space_[SimOffsets::kAmbientQnh]);
    words.altitudeM = static_cast<int32_t>(loadLe32(&space_[SimOffsets::kAltitudeMetres]));
    words.surfaceWindCeilingM = static_cast<int16_t>(loadLe16(&space_[SimOffsets::kSurfaceWindCeiling]));
    return words;
}

// The active record of the station nearest to the aircraft, or the point
// at the aircraft, shown at the ambient offsets, with any override on top.
void SimModel::updateAmbient() {
    const std::vector<uint8_t>* chosen = nullptr;
    double nearestNm = std::numeric_limits<double>::infinity();
    for (const auto& [station, bytes] : activeBytes_) {
        const auto position = positions_ && station != "GLOB" ? positions_(station) : std::nullopt;
        if (position) {
            const double awayNm = distanceNm(latitudeDeg_, longitudeDeg_, position->first, position->second);
            if (awayNm < nearestNm) {
                nearestNm = awayNm;
                chosen = &bytes;
            }
        }
    }
    if (chosen == nullptr && activeBytes_.count("GLOB") != 0) {
        chosen = &activeBytes_.at("GLOB");
    }
    AmbientWords words = chosen != nullptr ? ambientWordsAt(chosen->data(), altitudeM_) : AmbientWords{};
    if (override_.windDirDeg) {
        words.windDirection = static_cast<uint16_t>(std::lround(*override_.windDirDeg * 65536.0 / 360.0) & 0xFFFF);
    }
    if (override_.windSpeedKt) {
        words.windSpeedKt = static_cast<uint16_t>(std::clamp(*override_.windSpeedKt, 0, 0xFFFF));
    }
    if (override_.temperatureC) {
        words.temperature256 = static_cast<int16_t>(std::clamp(std::lround(*override_.temperatureC * 256.0), -32768L, 32767L));
    }
    if (override_.qnhHpa) {
        words.qnh16 = static_cast<uint16_t>(std::clamp(std::lround(*override_.qnhHpa * 16.0), 0L, 65535L));
    }
    if (override_.visibilityM) {
        words.visibilityHundredthsMile =
            static_cast<uint16_t>(std::clamp(std::lround(*override_.visibilityM / 16.0934), 0L, 65535L));
    }
    storeLe16(&space_[SimOffsets::kAmbientVisibility], words.visibilityHundredthsMile);
    storeLe16(&space_[SimOffsets::kAmbientTemperature], static_cast<uint16_t>(words.temperature256));
    storeLe16(&space_[SimOffsets::kAmbientWindSpeed], words.windSpeedKt);
    storeLe16(&space_[SimOffsets::kAmbientWindDirection], words.windDirection);
    storeLe16(&space_[SimOffsets::kAmbientQnh], words.qnh16);
    storeLe16(&space_[SimOffsets::kSurfaceWindCeiling], static_cast<uint16_t>(words.surfaceWindCeilingM));
}

void SimModel::setSimVersion(uint16_t version) {
    simVersion_ = version;
    storeVersions();
}

void SimModel::setModuleVersion(uint32_t version) {
    moduleVersion_ = version;
    storeVersions();
}

void SimModel::storeVersions() {
    storeLe32(&space_[SimOffsets::kModuleVersion], moduleVersion_);
    storeLe32(&space_[SimOffsets::kSimVersion], 0xFADE0000u | simVersion_);
}

void SimModel::poke(uint32_t offset, const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i < bytes.size() && offset + i < kSpaceSize; ++i) {
        space_[offset + i] = bytes[i];
    }
}

std::vector<uint8_t> SimModel::peek(uint32_t offset, uint32_t size) const {
    std::vector<uint8_t> bytes(size, 0);
    fillRead(offset, bytes.data(), size);
    return bytes;
}

uint32_t SimModel::carryOut(uint8_t* area, size_t size, Clock::TimePoint now) {
    settleAcks(now);
    if (replyValue_ != 1) {
        return replyValue_;
    }
    BatchEffects effects;
    forEachBatchRequest(area, size, [&](const BatchRequest& request) {
        if (request.read) {
            fillRead(request.offset, area + request.dataAt, request.size);
        } else {
            applyWrite(request.offset, area + request.dataAt, request.size, effects);
        }
    });
    if (effects.text) {
        showText();
    }
    if (effects.command) {
        carryOutCommand(now);
    }
    if (effects.date) {
        record(DateEvent{dayOfYear(), year()});
    }
    return 1;
}

void SimModel::fillRead(uint32_t offset, uint8_t* data, uint32_t size) const {
    for (uint64_t i = 0; i < size; ++i) {
        const uint64_t from = static_cast<uint64_t>(offset) + i;
        data[i] = from < kSpaceSize ? space_[from] : 0;
    }
}

// Stores the bytes. A write that reaches the control word carries the
// control out at once, with whatever parameter is stored by then, as the
// simulator's module does. NWI commands, texts and dates are carried out once the
// batch is done, so that a text's display time may follow it in the same
// batch. The version words and the completion word are the model's own:
// writes to them are dropped (a client's year, written over the upper half
// of the version word, is kept apart).
void SimModel::applyWrite(uint32_t offset, const uint8_t* data, uint32_t size, BatchEffects& effects) {
    for (uint64_t i = 0; i < size; ++i) {
        const uint64_t to = static_cast<uint64_t>(offset) + i;
        if (to < kSpaceSize) {
            space_[to] = data[i];
        }
    }
    if (overlaps(offset, size, SimOffsets::kClientYear, 2)) {
        clientYear_ = loadLe16(&space_[SimOffsets::kClientYear]);
    }
    storeVersions();
    storeCompletion();
    if (overlaps(offset, size, SimOffsets::kControl, 4)) {
        carryOutControl();
    }
    effects.command = effects.command || overlaps(offset, size, SimOffsets::kNwiCommand, 2);
    effects.text = effects.text || overlaps(offset, size, SimOffsets::kTextSeconds, 2) ||
                   overlaps(offset, size, SimOffsets::kText, SimOffsets::kTextSize);
    effects.date = effects.date || overlaps(offset, size, SimOffsets::kDayOfYear, 4);
}

uint16_t SimModel::dayOfYear() const { return loadLe16(&space_[SimOffsets::kDayOfYear]); }

uint16_t SimModel::year() const { return loadLe16(&space_[SimOffsets::kYear]); }

void SimModel::carryOutCommand(Clock::TimePoint now) {
    const uint16_t command = loadLe16(&space_[SimOffsets::kNwiCommand]);
    const std::string station = stationFromWord(&space_[SimOffsets::kNwiStation]);
    switch (command) {
    case NwiCommand::kRecordPlaced: {
        const auto first = space_.begin() + SimOffsets::kNwiCommand;
        DecodedNwiRecord decoded = decodeNwiRecord(&*first);
        pending_[decoded.station] = decoded;
        pendingBytes_[decoded.station].assign(first, first + kNwiRecordBytes);
        record(RecordEvent{std::move(decoded), std::vector<uint8_t>(first, first + kNwiRecordBytes)});
        break;
    }
    case NwiCommand::kClear:
        pending_.clear();
        active_.clear();
        pendingBytes_.clear();
        activeBytes_.clear();
        updateAmbient();
        record(ClearEvent{station});
        break;
    case NwiCommand::kInit:
        record(InitEvent{loadLe16(&space_[SimOffsets::kNwiDynamics])});
        break;
    case NwiCommand::kActivate: {
        ActivateEvent activated{station, {}};
        for (auto& [name, decoded] : pending_) {
            activated.stations.push_back(name);
            active_[name] = std::move(decoded);
        }
        pending_.clear();
        for (auto& [name, bytes] : pendingBytes_) {
            activeBytes_[name] = std::move(bytes);
        }
        pendingBytes_.clear();
        updateAmbient();
        record(std::move(activated));
        break;
    }
    default:
        break;
    }
    if (!ackEnabled_) {
        return;
    }
    if (ackDelay_.count() == 0) {
        ++completion_;
        storeCompletion();
    } else {
        dueAcks_.push_back(now + ackDelay_);
    }
}

// Clock controls set the local clock; UTC moves with it, so the
// simulator's local-to-UTC offset stays as it was.
void SimModel::carryOutControl() {
    const uint32_t control = loadLe32(&space_[SimOffsets::kControl]);
    const uint32_t value = loadLe32(&space_[SimOffsets::kControlParameter]);
    int32_t target = 0;
    if (control == SimControl::kClockHours && value < 24) {
        target = static_cast<int32_t>(value) * 60 + localMinutes_ % 60;
    } else if (control == SimControl::kClockMinutes && value < 60) {
        target = localMinutes_ / 60 * 60 + static_cast<int32_t>(value);
    } else {
        return;
    }
    utcMinutes_ = dayMinutes(static_cast<int64_t>(utcMinutes_) + target - localMinutes_);
    localMinutes_ = target;
    storeClock();
    record(ClockEvent{control, value, localMinutes_, utcMinutes_});
}

void SimModel::showText() {
    const auto first = space_.begin() + SimOffsets::kText;
    const auto end = std::find(first, first + SimOffsets::kTextSize, uint8_t{0});
    record(TextEvent{std::string(first, end), loadLe16(&space_[SimOffsets::kTextSeconds])});
}

void SimModel::settleAcks(Clock::TimePoint now) {
    while (!dueAcks_.empty() && dueAcks_.front() <= now) {
        dueAcks_.pop_front();
        ++completion_;
    }
    storeCompletion();
}

void SimModel::storeClock() {
    space_[SimOffsets::kLocalHour] = static_cast<uint8_t>(localMinutes_ / 60);
    space_[SimOffsets::kLocalMinute] = static_cast<uint8_t>(localMinutes_ % 60);
    space_[SimOffsets::kUtcHour] = static_cast<uint8_t>(utcMinutes_ / 60);
    space_[SimOffsets::kUtcMinute] = static_cast<uint8_t>(utcMinutes_ % 60);
}

void SimModel::storeCompletion() { storeLe32(&space_[SimOffsets::kNwiCompletion], completion_); }

void SimModel::record(SimEvent event) {
    if (listener_) {
        listener_(event);
    }
    if (historyKept_) {
        events_.push_back(std::move(event));
    }
}

}  // namespace wx::standin
