#pragma once

#include <string>

namespace wx::test {

// What one case showed on one platform, as a row of docs/fault-matrix.md.
struct MatrixRow {
    size_t order = 0;  // the case's place in the table
    std::string caseName;
    std::string platform;
    bool passed = false;
    std::string lines;     // the log lines looked for, as seen
    std::string cycles;    // cycles begun, or how the program ended
    std::string stations;  // stations written in the counted cycle
    std::string wait;      // the longest silence against its bound
    std::string stop;      // how fast a stop was served
};

// Writes the row as one tab-separated line into folder/NN-platform.tsv,
// where scripts/fault-matrix collects the rows of every platform.
bool writeMatrixRow(const std::string& folder, const MatrixRow& row);

}  // namespace wx::test
