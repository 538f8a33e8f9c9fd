#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "briefing/Briefing.h"
#include "sources/HttpClient.h"
#include "sources/RequestSpacing.h"
#include "weather/LogFn.h"

namespace wx {

// A TAF issued this long before a time may still be in force at it.
inline constexpr std::chrono::hours kTafLookback{30};

// The URL of one taf.py request for each station's last TAF issued within
// kTafLookback before `time`, up to and including its minute, as CSV.
std::string tafArchiveUrl(const std::vector<std::string>& stationIds, std::chrono::system_clock::time_point time);

// The answer's TAFs, one a station (its last issuance in the answer), in
// the order of their stations' first rows. The archive gives one row a
// group: "station,valid,fx_valid,raw,is_tempo,fx_valid_end,sknt,drct,gust,
// visibility,presentwx,skyc,skyl,ws_level,ws_drct,ws_sknt,product_id,ftype,
// is_amendment" (columns found by name, so older answers without "ftype"
// serve too), times "YYYY-MM-DD HH:MM" in UTC, lists as "['BKN', 'OVC']".
// A group's validity ends at the next prevailing group (FM) or at the
// TAF's end; rows without a readable station or time are passed over. An
// answer without the header: a WARN line and no TAFs.
std::vector<Taf> decodeTafArchive(const std::string& body, const LogFn& log);

// One spaced request for all ids; absent when no answer came (cancelled
// quietly). Stations the answer holds no TAF for are named in one INFO line.
std::optional<std::vector<Taf>> fetchTafArchive(HttpClient& http, RequestSpacing& spacing, HttpCancel* cancel,
                                                const LogFn& log, const std::vector<std::string>& stationIds,
                                                std::chrono::system_clock::time_point time);

}  // namespace wx
