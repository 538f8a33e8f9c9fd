// Seeds of the plan file target: every plan file of the test data, and the
// shapes the readers treat apart (both waypoint forms, CR LF, a byte order
// mark, comments and entities, broken lines).

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "Seeds.h"

namespace wx::fuzz {

void writePlanFileSeeds(SeedDir& seeds, const std::filesystem::path& planFolder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(planFolder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        seeds.add(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    seeds.add("\xEF\xBB\xBF[flightplan]\r\ncruising_altitude=9500\r\ndeparture_id=EGSH, N52* 40.55', E1* 16.93', "
              "+000117.00\r\ndestination_id=EGBB\r\nwaypoint.0=EGSH, A, N52* 40.55', E1* 16.93', +000117.00, \r\n"
              "waypoint.1=EG, DET, , DET, V, N51* 18.25', E0* 35.82', +000000.00, \r\n"
              "waypoint.2=EGBB, A, N52* 27.21', W1* 44.88', +000325.00, UL9,\r\n");
    seeds.add("[flightplan]\ndeparture_id=EGSH\ndestination_id=EGBB\nwaypoint.0=DTY, V, N95* 10.81'\n"
              "waypoint.0=DTY, X, N52* 10.81', W1* 6.83', high,\n");
    seeds.add("<?xml version=\"1.0\"?>\n<!-- plan -->\n<SimBase.Document Type='AceXML'>\n<FlightPlan.FlightPlan>\n"
              "<Title>A &amp; B<!-- c --></Title><CruisingAlt>14000.000</CruisingAlt>\n"
              "<DepartureID>KVNY</DepartureID><DestinationID>KBUR</DestinationID>\n"
              "<DepartureLLA>N34\xC2\xB0 12' 36.57\",W118\xC2\xB0 29' 24.03\",+000775.50</DepartureLLA>\n"
              "<ATCWaypoint id=\"KVNY\"><ATCWaypointType>Airport</ATCWaypointType>"
              "<WorldPosition>N34\xB0 12' 36.57\",W118\xB0 29' 24.03\",+000775.50</WorldPosition>"
              "<ICAO><ICAOIdent><![CDATA[KVNY]]></ICAOIdent></ICAO></ATCWaypoint>\n"
              "<ATCWaypoint id=\"KBUR\"><WorldPosition>N34* 12.0',W118* 21.0'</WorldPosition></ATCWaypoint>\n"
              "</FlightPlan.FlightPlan>\n</SimBase.Document>\n");
}

}  // namespace wx::fuzz
