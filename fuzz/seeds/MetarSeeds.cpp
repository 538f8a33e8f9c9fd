// Seeds of the METAR report and METAR answer targets: the corpus reports,
// and the web-services stand-in's answers for groups of their stations, with
// the other forms an answer can take.

#include <algorithm>
#include <sstream>

#include <nlohmann/json.hpp>

#include "MetarFixtures.h"
#include "Seeds.h"
#include "support/SeedTime.h"

namespace wx::fuzz {
namespace {

constexpr size_t kStationsPerAnswer = 4;
constexpr size_t kAnswerGroups = 40;

// The station word of a corpus line, after an optional type word.
std::string stationOf(const std::string& report) {
    std::istringstream words(report);
    std::string word;
    while (words >> word) {
        if (word != "METAR" && word != "SPECI" && word != "COR") {
            return word;
        }
    }
    return {};
}

// Every so many reports, the ids of the next few, comma separated.
std::vector<std::string> idGroups(const std::vector<std::string>& reports) {
    std::vector<std::string> groups;
    const size_t step = std::max<size_t>(reports.size() / kAnswerGroups, 1);
    for (size_t first = 0; first + kStationsPerAnswer <= reports.size(); first += step) {
        std::string ids;
        for (size_t i = first; i < first + kStationsPerAnswer; ++i) {
            ids += (ids.empty() ? "" : ",") + stationOf(reports[i]);
        }
        groups.push_back(ids);
    }
    return groups;
}

}  // namespace

void writeMetarReportSeeds(SeedDir& seeds, const std::vector<std::string>& reports) {
    for (const std::string& report : reports) {
        seeds.add(report);
    }
}

void writeMetarAnswerSeeds(SeedDir& seeds, const std::vector<std::string>& reports) {
    const auto fixtures = sim::MetarFixtures::fromLines(reports, seedTime());
    bool twoHours = true;
    for (const std::string& ids : idGroups(reports)) {
        const auto selected = fixtures.select(ids, twoHours ? 2.0 : 1.0);
        twoHours = !twoHours;
        const std::string json = sim::metarJsonAnswer(selected);
        seeds.add(json);
        seeds.add(sim::metarRawAnswer(selected));
        if (twoHours) {
            seeds.add(" \r\n\xEF\xBB\xBF" + json);
            const auto elements = nlohmann::json::parse(json);
            if (!elements.empty()) {
                seeds.add(elements.front().dump());
            }
        }
    }
    seeds.add(R"([{"icao":"EGLL","raw_text":"EGLL 071020Z 27015KT 9999 FEW035 15/09 Q1013"},)"
              R"({"icaoId":"EDDF","ob":"EDDF 071020Z 08006KT CAVOK 12/03 Q1021"},3,"x",null])");
    seeds.add(R"([{"icaoId":5,"rawOb":"B"},{"icaoId":"KJFK","rawOb":null},{"icaoId":"EGLL","rawOb":"EGLL 071020Z"}])");
    seeds.add("<!DOCTYPE html>\n<html><head><title>502 Bad Gateway</title></head>\n"
              "<body><h1>502 Bad Gateway</h1></body></html>\n");
    seeds.add("No METARs found\r\n");
    seeds.add(R"([{"icaoId":"EGLL","rawOb":"EGLL 0710)");
    seeds.add("null");
    seeds.add(" \n\t");
}

}  // namespace wx::fuzz
