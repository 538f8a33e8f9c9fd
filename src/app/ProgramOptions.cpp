#include "app/ProgramOptions.h"

#include "app/ArrivalField.h"

namespace wx {

std::optional<ProgramOptions> parseProgramOptions(const std::vector<std::string>& args) {
    ProgramOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--plan" && !options.planFile && i + 1 < args.size() && !args[i + 1].empty()) {
            options.planFile = args[++i];
        } else if (arg == "--eta" && !options.arrival && i + 1 < args.size() &&
                   readArrivalField(args[i + 1], UtcMillis{}).at) {
            options.arrival = args[++i];
        } else if (arg == "--weather-time" && !options.weatherTime && i + 1 < args.size() && !args[i + 1].empty()) {
            options.weatherTime = args[++i];
        } else if (arg == "--start" && !options.start) {
            options.start = true;
        } else if (arg == "--minimized" && !options.minimized) {
            options.minimized = true;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace wx
