#include "sources/TafArchive.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

#include "briefing/ForecastVisibility.h"
#include "briefing/TafPeriodCategory.h"
#include "sources/ArchiveCsv.h"
#include "sources/ArchiveStationIds.h"
#include "sources/MetarArchive.h"
#include "sources/PastServices.h"
#include "sources/ServiceHosts.h"

namespace wx {
namespace {

using Clock = std::chrono::system_clock;
using Fields = std::vector<std::string>;

std::optional<int> wholeNumber(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end == text.c_str() || !std::isfinite(value) || std::fabs(value) > 1e6) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(value));
}

std::string changeOf(const std::string& ftype, const std::string& isTempo, bool first) {
    static const std::map<std::string, std::string> kLabels{{"Observation", "BASE"},    {"Forecast", "FM"},
                                                            {"Temporary", "TEMPO"},     {"Becoming", "BECMG"},
                                                            {"Probability 30", "PROB30"}, {"Probability 40", "PROB40"}};
    if (const auto it = kLabels.find(ftype); it != kLabels.end()) {
        return it->second;
    }
    if (isTempo == "True" || isTempo == "true") {
        return "TEMPO";
    }
    return first ? "BASE" : "FM";
}

bool prevailing(const std::string& change) { return change == "BASE" || change == "FM"; }

// The columns by name.
class Columns {
public:
    explicit Columns(const Fields& header) : header_(header) {}
    std::string operator()(const Fields& row, const char* name) const {
        const auto it = std::find(header_.begin(), header_.end(), name);
        const auto index = static_cast<size_t>(it - header_.begin());
        return it == header_.end() || index >= row.size() ? std::string() : row[index];
    }

private:
    Fields header_;
};

void readClouds(const std::string& covers, const std::string& levels, TafPeriod& period) {
    const auto cover = listItems(covers);
    const auto level = listItems(levels);
    period.cloudsGiven = !cover.empty();
    for (size_t i = 0; i < cover.size(); ++i) {
        const bool ceiling = cover[i] == "BKN" || cover[i] == "OVC" || cover[i] == "VV";
        const auto feet = i < level.size() ? wholeNumber(level[i]) : std::nullopt;
        if (ceiling && feet && (!period.ceilingFt || *feet < *period.ceilingFt)) {
            period.ceilingFt = *feet;
        }
    }
}

TafPeriod periodOf(const Columns& column, const Fields& row, UtcMillis from, bool first) {
    TafPeriod period;
    period.from = from;
    period.change = changeOf(column(row, "ftype"), column(row, "is_tempo"), first);
    period.windDirDeg = wholeNumber(column(row, "drct"));
    period.windSpeedKt = wholeNumber(column(row, "sknt"));
    period.gustKt = wholeNumber(column(row, "gust"));
    const std::string visibility = column(row, "visibility");
    if (const double miles = std::strtod(visibility.c_str(), nullptr); !visibility.empty() && miles > 0.0) {
        period.visibilityM = forecastVisibilityM(miles);
    }
    readClouds(column(row, "skyc"), column(row, "skyl"), period);
    for (const std::string& item : listItems(column(row, "presentwx"))) {
        period.weather += (period.weather.empty() ? "" : " ") + item;
    }
    return period;
}

// Each prevailing group runs to the next; the others keep their own end.
void closePeriods(Taf& taf, const std::vector<std::optional<UtcMillis>>& ends) {
    for (size_t i = 0; i < taf.periods.size(); ++i) {
        TafPeriod& period = taf.periods[i];
        if (period.change == "BECMG") {
            period.becomingEnd = ends[i];
            period.to = taf.validTo;
        } else if (!prevailing(period.change)) {
            period.to = ends[i].value_or(taf.validTo);
        } else {
            period.to = taf.validTo;
            for (size_t j = i + 1; j < taf.periods.size(); ++j) {
                if (prevailing(taf.periods[j].change)) {
                    period.to = taf.periods[j].from;
                    break;
                }
            }
        }
        period.category = periodCategory(period);
    }
}

}  // namespace

std::string tafArchiveUrl(const std::vector<std::string>& stationIds, Clock::time_point time) {
    std::string url = iemBaseUrl() + "/cgi-bin/request/taf.py?";
    for (const std::string& id : stationIds) {
        url += "station=" + urlEncode(id) + "&";
    }
    const auto iso = [](Clock::time_point moment) {
        const std::string label = weatherTimeLabel(moment);
        return label.substr(0, 10) + "T" + label.substr(11, 5) + "Z";
    };
    url += "sts=" + iso(time - kTafLookback) + "&ets=" + iso(time + std::chrono::minutes{1}) + "&fmt=csv&last=1";
    return url;
}

std::vector<Taf> decodeTafArchive(const std::string& body, const LogFn& log) {
    const std::vector<std::string> all = completeLines(body);
    if (all.empty() || all.front().rfind("station,valid,", 0) != 0) {
        logLine(log, "TAF archive: no forecast table in the answer", "WARN");
        return {};
    }
    const Columns column(csvFields(all.front()));
    std::vector<Taf> tafs;
    std::vector<std::vector<std::optional<UtcMillis>>> ends;
    for (size_t i = 1; i < all.size(); ++i) {
        const Fields row = csvFields(all[i]);
        const std::string station = icaoStationId(column(row, "station"));
        const auto issued = archiveTime(column(row, "valid"));
        const auto from = archiveTime(column(row, "fx_valid"));
        if (station.empty() || !issued || !from) {
            continue;
        }
        auto it = std::find_if(tafs.begin(), tafs.end(), [&](const Taf& taf) { return taf.stationId == station; });
        if (it != tafs.end() && it->issued < *issued) {
            ends[static_cast<size_t>(it - tafs.begin())].clear();
            *it = Taf{station, *issued, *from, *from, "", {}};
        } else if (it == tafs.end()) {
            tafs.push_back(Taf{station, *issued, *from, *from, "", {}});
            ends.emplace_back();
            it = tafs.end() - 1;
        } else if (*issued < it->issued) {
            continue;
        }
        auto& taf = *it;
        const auto end = archiveTime(column(row, "fx_valid_end"));
        taf.periods.push_back(periodOf(column, row, *from, taf.periods.empty()));
        taf.raw += (taf.raw.empty() ? "" : " ") + column(row, "raw");
        taf.validFrom = std::min(taf.validFrom, *from);
        taf.validTo = std::max({taf.validTo, *from, end.value_or(*from)});
        ends[static_cast<size_t>(it - tafs.begin())].push_back(end);
    }
    for (size_t i = 0; i < tafs.size(); ++i) {
        closePeriods(tafs[i], ends[i]);
    }
    return tafs;
}

std::optional<std::vector<Taf>> fetchTafArchive(HttpClient& http, RequestSpacing& spacing, HttpCancel* cancel,
                                                const LogFn& log, const std::vector<std::string>& stationIds,
                                                Clock::time_point time) {
    if (stationIds.empty()) {
        return std::vector<Taf>{};
    }
    if (!spacing.waitTurn(cancel)) {
        return std::nullopt;
    }
    const auto body = http.get(tafArchiveUrl(stationIds, time), {}, kArchiveTimeoutSec);
    if (!body) {
        return std::nullopt;
    }
    std::vector<Taf> tafs = decodeTafArchive(*body, log);
    std::string missing;
    for (const std::string& id : stationIds) {
        if (std::none_of(tafs.begin(), tafs.end(), [&](const Taf& taf) { return taf.stationId == id; })) {
            missing += (missing.empty() ? "" : ", ") + id;
        }
    }
    if (!missing.empty()) {
        logLine(log, "TAF archive: none kept for " + missing + " at " + weatherTimeLabel(time), "INFO");
    }
    return tafs;
}

}  // namespace wx
