#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "SeedDir.h"

namespace wx::fuzz {

// Seeds of each target, from the test data and the stand-ins' answers.
void writeMetarReportSeeds(SeedDir& seeds, const std::vector<std::string>& reports);
void writeMetarAnswerSeeds(SeedDir& seeds, const std::vector<std::string>& reports);
void writeSigmetAnswerSeeds(SeedDir& seeds, const std::string& fixture);
void writeForecastAnswerSeeds(SeedDir& seeds);
void writeTafAnswerSeeds(SeedDir& seeds);
void writeAirportListSeeds(SeedDir& seeds, const std::vector<std::string>& lines);
void writeFsuipcAreaSeeds(SeedDir& seeds);
void writeWeatherRecordSeeds(SeedDir& seeds, const std::vector<std::string>& reports);
void writePlanFileSeeds(SeedDir& seeds, const std::filesystem::path& planFolder);

}  // namespace wx::fuzz
