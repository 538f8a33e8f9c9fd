#include "CliOptions.h"

#include <charconv>
#include <chrono>
#include <cstdlib>

namespace wx::cli {

CliOptions::CliOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                       const std::set<std::string>& flags) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        if (word.rfind("--", 0) != 0) {
            positional_.push_back(word);
            continue;
        }
        const std::string name = word.substr(2);
        if (flags.count(name) != 0) {
            flags_.insert(name);
            continue;
        }
        if (valued.count(name) == 0) {
            throw UsageError("unknown option " + word);
        }
        if (i + 1 >= args.size()) {
            throw UsageError("option " + word + " needs a value");
        }
        values_[name] = args[++i];
    }
}

std::string CliOptions::text(const std::string& name, const std::string& fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

int32_t CliOptions::integer(const std::string& name, int32_t fallback) const {
    return has(name) ? parseInteger("--" + name, values_.at(name)) : fallback;
}

double CliOptions::number(const std::string& name, double fallback) const {
    return has(name) ? parseNumber("--" + name, values_.at(name)) : fallback;
}

int32_t parseInteger(const std::string& what, const std::string& text) {
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw UsageError(what + " needs a whole number, not \"" + text + "\"");
    }
    return value;
}

double parseNumber(const std::string& what, const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        throw UsageError(what + " needs a number, not \"" + text + "\"");
    }
    return value;
}

UtcMillis parseUtcOption(const std::string& name, const std::string& text) {
    constexpr auto kEarliest = std::chrono::sys_days{std::chrono::year{1970} / 1 / 1};
    constexpr auto kLatest = std::chrono::sys_days{std::chrono::year{2200} / 1 / 1};
    const std::optional<UtcMillis> time = parseUtcTime(text);
    if (!time || *time < kEarliest || *time >= kLatest) {
        throw UsageError("--" + name + " needs a UTC time such as 2026-10-02T20:20:00Z, not \"" + text + "\"");
    }
    return *time;
}

}  // namespace wx::cli
