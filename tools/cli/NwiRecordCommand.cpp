#include <cstdio>
#include <ostream>

#include "CliOptions.h"
#include "Commands.h"
#include "RecordInput.h"
#include "sim/NwiRecord.h"

namespace wx::cli {
namespace {

constexpr size_t kBytesPerLine = 32;

// "0000: 00 01 ..." lines, 32 bytes each.
void printRecord(std::ostream& out, const NwiRecord& record) {
    for (size_t line = 0; line < record.size(); line += kBytesPerLine) {
        char text[8 + 3 * kBytesPerLine];
        int length = std::snprintf(text, sizeof text, "%04zx:", line);
        for (size_t i = line; i < line + kBytesPerLine; ++i) {
            length += std::snprintf(text + length, sizeof text - static_cast<size_t>(length), " %02x",
                                    static_cast<unsigned>(record[i]));
        }
        out << text << '\n';
    }
}

}  // namespace

int runNwiRecord(const std::vector<std::string>& args, CliStreams io) {
    const CliOptions options(args, {"magvar"});
    if (!options.positional().empty()) {
        throw UsageError("nwi-record reads records from standard input and takes no arguments");
    }
    const double magVarDeg = options.number("magvar", 0.0);

    bool first = true;
    return forEachRecordLine(io.in, io.err, [&](const WeatherData& weather) {
        const NwiRecord record = buildNwiRecord(weather, magVarDeg);
        if (!first) {
            io.out << '\n';
        }
        first = false;
        printRecord(io.out, record);
    });
}

}  // namespace wx::cli
