// Seeds of the airport list target: the header of the test airport list
// with runs of its rows, and the row forms the loader must survive.

#include <algorithm>

#include "Seeds.h"

namespace wx::fuzz {
namespace {

constexpr size_t kRowsPerSeed = 20;
constexpr size_t kSeedsFromList = 40;

}  // namespace

void writeAirportListSeeds(SeedDir& seeds, const std::vector<std::string>& lines) {
    if (lines.size() < 2) {
        return;
    }
    const std::string& header = lines.front();
    const size_t step = std::max<size_t>((lines.size() - 1) / kSeedsFromList, 1);
    for (size_t first = 1; first < lines.size(); first += step) {
        std::string seed = header + "\n";
        for (size_t i = first; i < lines.size() && i < first + kRowsPerSeed; ++i) {
            seed += lines[i] + "\n";
        }
        seeds.add(seed);
    }
    seeds.add(header + "\r\n"
              "1,\"EGLL\",\"large_airport\",\"London, Heathrow\",51.4706,-0.461941,83,EU,GB,GB-ENG\r\n"
              "2,\"egkk\",\"closed\",\"Gatwick\",51.148,-0.19,202\r\n"
              "3,\"KJFK\",\"large_airport\",\"\"\"Kennedy\"\"\",nan,inf,1e999\r\n");
    seeds.add("\"ident\",latitude_deg,longitude_deg\nEDDF,50.03,8.57\nEDDF,1,2,3\nLFPG,x,2\n");
}

}  // namespace wx::fuzz
