#include "support/TestData.h"

#include <fstream>
#include <stdexcept>

#include "util/LineInput.h"

namespace wx::test {

std::string testDataPath(const std::string& name) { return std::string(NUBIRO_TEST_DATA_DIR) + "/" + name; }

std::vector<std::string> testDataLines(const std::string& name) {
    std::ifstream file(testDataPath(name), std::ios::binary);
    if (!file) {
        throw std::runtime_error("missing test data " + testDataPath(name));
    }
    std::vector<std::string> lines;
    std::string line;
    while (readLine(file, line)) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace wx::test
