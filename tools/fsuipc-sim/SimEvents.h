#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "NwiRecordDecoder.h"

namespace wx::standin {

// A record taken as pending weather for its station (command 257).
struct RecordEvent {
    DecodedNwiRecord record;
    std::vector<uint8_t> bytes;  // the 1024 bytes as written
};

// Weather cleared (command 3).
struct ClearEvent {
    std::string station;
};

// The first step of NWI initialisation (command 4).
struct InitEvent {
    uint16_t dynamics = 0;  // the word at 0xC80C
};

// Pending records made the simulator's weather (command 256).
struct ActivateEvent {
    std::string station;
    std::vector<std::string> stations;  // the records activated, by station
};

// A clock control carried out (1124 hours, 1125 minutes).
struct ClockEvent {
    uint32_t control = 0;
    uint32_t value = 0;
    int32_t localMinutes = 0;  // the clock afterwards, minutes of the day
    int32_t utcMinutes = 0;
};

// The simulator's date written (0x023E day of the year, 0x0240 year), as
// it stands after the batch that wrote it.
struct DateEvent {
    uint16_t dayOfYear = 0;
    uint16_t year = 0;
};

// A text shown in the message line.
struct TextEvent {
    std::string text;
    uint16_t seconds = 0;
};

using SimEvent = std::variant<RecordEvent, ClearEvent, InitEvent, ActivateEvent, ClockEvent, DateEvent, TextEvent>;

// The JSON object printed for an event: its "event" member names it
// ("record", "clear", "init", "activate", "time", "date", "text"); a record's
// object ends with "hex", its bytes in lower-case hexadecimal.
nlohmann::ordered_json eventToJson(const SimEvent& event);

// One line of output: the object without line breaks, invalid UTF-8 replaced.
std::string jsonLine(const nlohmann::ordered_json& object);

// "HH:MM" of minutes of the day.
std::string clockText(int32_t minutesOfDay);

}  // namespace wx::standin
