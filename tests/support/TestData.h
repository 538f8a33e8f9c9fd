#pragma once

#include <string>
#include <vector>

namespace wx::test {

// Path of a file in the unpacked test data folder ("metar-corpus.txt",
// "airports.csv").
std::string testDataPath(const std::string& name);

// The non-empty lines of a test data file.
std::vector<std::string> testDataLines(const std::string& name);

}  // namespace wx::test
