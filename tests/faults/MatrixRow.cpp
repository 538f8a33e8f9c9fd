#include "faults/MatrixRow.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "util/Utf8Path.h"

namespace wx::test {
namespace {

// Tabs and line breaks would split the row; '|' would split its cell.
std::string cell(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    std::string escaped;
    for (const char c : text) {
        escaped += c == '|' ? std::string("\\|") : std::string(1, c);
    }
    return escaped;
}

}  // namespace

bool writeMatrixRow(const std::string& folder, const MatrixRow& row) {
    char order[16];
    std::snprintf(order, sizeof order, "%02zu", row.order);
    std::error_code error;
    std::filesystem::create_directories(utf8Path(folder), error);
    std::ofstream out(utf8Path(folder) / (std::string(order) + "-" + row.platform + ".tsv"),
                      std::ios::binary | std::ios::trunc);
    out << order << '\t' << cell(row.caseName) << '\t' << cell(row.platform) << '\t' << (row.passed ? "pass" : "FAIL")
        << '\t' << cell(row.lines) << '\t' << cell(row.cycles) << '\t' << cell(row.stations) << '\t'
        << cell(row.wait) << '\t' << cell(row.stop) << '\n';
    return static_cast<bool>(out.flush());
}

}  // namespace wx::test
