// Seeds of the SIGMET answer target: the stand-in's SIGMET fixture, each of
// its SIGMETs alone, and the member forms the evaluation reads.

#include <nlohmann/json.hpp>

#include "Seeds.h"

namespace wx::fuzz {

void writeSigmetAnswerSeeds(SeedDir& seeds, const std::string& fixture) {
    seeds.add(fixture);
    for (const auto& sigmet : nlohmann::json::parse(fixture)) {
        seeds.add(nlohmann::json::array({sigmet}).dump());
    }
    seeds.add(R"([{"hazard":"ts","firName":"LONDON FIR","base":"1000","top":"500ft",)"
              R"("coords":[{"lat":"51.0","lon":"-1.0"},{"lat":52,"lon":0}]}])");
    seeds.add(R"([{"hazard":"ICE","firId":"EDGG","coords":[{"lat":50,"lon":8},{"lat":51,"lon":9},{"lat":49,"lon":9}]},)"
              R"({"hazard":"VA","coords":[{"lat":"x","lon":1}]},7,null])");
    seeds.add(R"([{"hazard":"TC","firId":"KZAK","seriesId":"9","validTimeFrom":"2026-10-02T19:40Z",)"
              R"("validTimeTo":1790991600,"coords":[[{"lat":50,"lon":-1}],[{"lat":51,"lon":0},{"lat":52,"lon":1}]]},)"
              R"({"hazard":"TC","firId":"KZAK","seriesId":"9F","coords":[{"lat":51.4,"lon":-0.4}]}])");
    seeds.add(R"({"hazard":"TS"})");
    seeds.add("[]");
}

}  // namespace wx::fuzz
