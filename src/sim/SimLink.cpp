#include "sim/SimLink.h"

#include <chrono>

#include "sim/FormatText.h"
#include "sim/LittleEndian.h"
#include "sim/NwiRecord.h"
#include "sim/SimOffsets.h"
#include "weather/Clouds.h"

namespace wx {
namespace {

constexpr uint32_t kNwiSimVersion = 7;
constexpr std::chrono::milliseconds kCommandPause{300};
constexpr std::chrono::milliseconds kAfterClearPause{1000};
constexpr std::chrono::milliseconds kPollInterval{20};
constexpr double kCommandTimeoutSec = 2.0;
constexpr double kRecordTimeoutSec = 3.0;

}  // namespace

SimLink::SimLink(LogFn log, std::shared_ptr<IpcTransport> transport, std::shared_ptr<Clock> clock)
    : log_(std::move(log)), clock_(std::move(clock)), client_(std::move(transport), clock_) {
    connect();
}

SimLink::~SimLink() {
    client_.close();
    connected_ = false;
    log_ = nullptr;
}

// Opens for the NWI simulator version first and for any simulator when that
// one is not there, then reads the version word that decides about NWI.
void SimLink::connect() {
    connected_ = false;
    nwiAvailable_ = false;
    if (!client_.open(kNwiSimVersion) &&
        (client_.result() == FsuipcResult::WrongSimVersion || client_.result() == FsuipcResult::NoWindow)) {
        client_.open(0);
    }
    if (!client_.isOpen()) {
        logLine(log_, "FSUIPC connection failed.", "ERROR");
        return;
    }
    connected_ = true;
    uint8_t version[2] = {};
    if (client_.read(SimOffsets::kSimVersion, 2, version) && client_.process()) {
        const uint16_t value = loadLe16(version);
        nwiAvailable_ = value == kNwiSimVersion;
        logLine(log_,
                "FS version (0x3308): " + std::to_string(value) +
                    (nwiAvailable_ ? " \xE2\x86\x92 NWI enabled" : " \xE2\x86\x92 NWI not available"),
                "INFO");
    }
}

// Sends the queued batch. A batch that fails because the simulator's window
// is gone closes the link: nothing more can reach that simulator, and the
// owner may open a new link when it comes back.
bool SimLink::process() {
    if (client_.process()) {
        return true;
    }
    if (connected_ && client_.windowGone()) {
        client_.close();
        connected_ = false;
        lost_ = true;
        logLine(log_, "FSUIPC connection lost.", "ERROR");
    }
    return false;
}

std::optional<uint32_t> SimLink::readCompletionWord() {
    uint8_t word[4] = {};
    if (client_.read(SimOffsets::kNwiCompletion, 4, word) && process()) {
        return loadLe32(word);
    }
    return std::nullopt;
}

bool SimLink::sendNwiCommand(uint16_t command, const std::string& station, bool wait) {
    const uint32_t previous = readCompletionWord().value_or(0);
    const auto stationWord = nwiStationWord(station);
    const uint8_t zero[2] = {};
    uint8_t commandWord[2];
    storeLe16(commandWord, command);
    client_.write(SimOffsets::kNwiStation, 4, stationWord.data());
    client_.write(SimOffsets::kNwiCommandAux, 2, zero);
    client_.write(SimOffsets::kNwiCommand, 2, commandWord);
    if (!process()) {
        return false;
    }
    if (wait) {
        return waitForNwiChange(previous, kCommandTimeoutSec);
    }
    clock_->sleepFor(kCommandPause);
    return true;
}

bool SimLink::waitForNwiChange(uint32_t previous, double timeoutSec) {
    const auto deadline = clock_->now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                              std::chrono::duration<double>(timeoutSec));
    while (!lost_ && !clock_->interrupted() && clock_->now() < deadline) {
        clock_->sleepFor(kPollInterval);
        // A read that fails tells nothing about the word: the simulator may
        // have gone away, so it must not count as the awaited change.
        const auto word = readCompletionWord();
        if (word && *word != previous) {
            return true;
        }
    }
    return false;
}

void SimLink::initWeather() {
    if (lost_) {
        return;
    }
    logLine(log_, "NWI init: dynamics=0, clear weather...", "INFO");
    const uint8_t zero[2] = {};
    uint8_t initCommand[2];
    storeLe16(initCommand, NwiCommand::kInit);
    client_.write(SimOffsets::kNwiDynamics, 2, zero);
    client_.write(SimOffsets::kNwiCommand, 2, initCommand);
    process();
    clock_->sleepFor(kCommandPause);
    if (sendNwiCommand(NwiCommand::kClear, "GLOB", true)) {
        logLine(log_, "NWI init: clear OK.", "OK");
    } else if (!lost_) {
        logLine(log_, "NWI init: clear timeout.", "WARN");
    }
    clock_->sleepFor(kAfterClearPause);
}

bool SimLink::activatePending() {
    const bool ok = sendNwiCommand(NwiCommand::kActivate, "GLOB", false);
    if (ok) {
        logLine(log_, "NWI: pending weather activated.", "OK");
    }
    return ok;
}

bool SimLink::writeWeather(const WeatherData& weather, double magVarDeg) {
    if (lost_) {
        return false;
    }
    if (!nwiAvailable_) {
        logLine(log_, "NWI not available.", "WARN");
        return false;
    }
    const uint32_t previous = readCompletionWord().value_or(0);
    const NwiRecord record = buildNwiRecord(weather, magVarDeg);
    for (uint32_t at = 4; at < SimOffsets::kNwiRecordSize; at += 4) {
        client_.write(SimOffsets::kNwiCommand + at, 4, record.data() + at);
    }
    const uint8_t zero[2] = {};
    uint8_t commandWord[2];
    storeLe16(commandWord, NwiCommand::kRecordPlaced);
    client_.write(SimOffsets::kNwiCommandAux, 2, zero);
    client_.write(SimOffsets::kNwiCommand, 2, commandWord);
    if (!process()) {
        if (!lost_) {
            logLine(log_, "[" + weather.stationId + "] NWI write failed", "ERROR");
        }
        return false;
    }
    if (!waitForNwiChange(previous, kRecordTimeoutSec)) {
        if (!lost_ && !clock_->interrupted()) {
            logLine(log_, "[" + weather.stationId + "] NWI timeout", "WARN");
        }
        return false;
    }
    logLine(log_,
            formatText("[%s] OK: wind %dkt, QNH %d, vis %dm, clouds=%zu, turb=%d, ice=%d", weather.stationId.c_str(),
                       weather.windSpeedKt, weather.qnhHpa, weather.visibilityM, weather.clouds.size(),
                       weather.turbulence, highestIcing(weather)),
            "OK");
    return true;
}

}  // namespace wx
