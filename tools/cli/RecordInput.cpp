#include "RecordInput.h"

#include <ostream>
#include <string>

#include "WeatherJson.h"
#include "util/LineInput.h"

namespace wx::cli {

int forEachRecordLine(std::istream& in, std::ostream& err, const std::function<void(const WeatherData&)>& use) {
    int status = 0;
    std::string line;
    for (int lineNumber = 1; readLine(in, line); ++lineNumber) {
        if (line.empty()) {
            continue;
        }
        const auto parsed = nlohmann::json::parse(line, nullptr, false);
        if (parsed.is_discarded()) {
            err << "line " << lineNumber << ": not valid JSON\n";
            status = 1;
            continue;
        }
        WeatherData weather;
        try {
            weather = weatherFromJson(parsed);
        } catch (const nlohmann::json::exception& error) {
            err << "line " << lineNumber << ": not a weather record: " << error.what() << '\n';
            status = 1;
            continue;
        }
        use(weather);
    }
    return status;
}

}  // namespace wx::cli
