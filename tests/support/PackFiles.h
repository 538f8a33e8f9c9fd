#pragma once

#include <fstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "sources/PackIndex.h"
#include "util/LineInput.h"
#include "util/Utf8Path.h"

namespace wx::test {

// The entries of a weather pack's index, in order, up to one that is none.
inline std::vector<PackEntry> readPackIndex(const std::string& dir) {
    std::ifstream in(utf8Path(dir) / kPackIndexFile, std::ios::binary);
    std::vector<PackEntry> entries;
    std::string line;
    while (readLine(in, line) && parsePackIndexLine(line)) {
        entries.push_back(*parsePackIndexLine(line));
    }
    return entries;
}

// The bytes (in hex) of every record a run of nubiro-cli with the
// in-process simulator stand-in wrote, in order.
inline std::vector<std::string> recordBytes(const std::vector<nlohmann::json>& events) {
    std::vector<std::string> bytes;
    for (const nlohmann::json& event : events) {
        if (event.is_object() && event.value("event", "") == "record") {
            bytes.push_back(event.value("hex", ""));
        }
    }
    return bytes;
}

}  // namespace wx::test
