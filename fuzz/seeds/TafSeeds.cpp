// Seeds of the TAF answer target: the web-services stand-in's answers and
// the forms of values the decoding reads.

#include "Seeds.h"
#include "TafFixtures.h"
#include "support/SeedTime.h"

namespace wx::fuzz {

void writeTafAnswerSeeds(SeedDir& seeds) {
    for (const char* ids : {"EGBB", "EGLL", "EGKK,EGSS,EGNX"}) {
        seeds.add(sim::tafJsonAnswer(ids, seedTime()));
    }
    seeds.add(R"([{"icaoId":"EGBB","issueTime":"2023-10-27 14:00:00","validTimeFrom":"1698418800",)"
              R"("validTimeTo":1698505200,"fcsts":[{"timeFrom":"2023-10-27T15:00:00Z","timeTo":1698505200,)"
              R"("timeBec":"1698436800","fcstChange":"BECMG","probability":"30","wdir":"VRB","visib":"10+",)"
              R"("vertVis":"002","clouds":[{"cover":"OVX","base":null}]}]}])");
    seeds.add("[]");
}

}  // namespace wx::fuzz
