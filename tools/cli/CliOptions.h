#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "weather/UtcTime.h"

namespace wx::cli {

// A command-line mistake; the command reports its text and exits with 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "--name value" options, "--name" flags and positional words; an option
// that is neither a known valued option nor a known flag is a UsageError.
class CliOptions {
public:
    CliOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
               const std::set<std::string>& flags = {});

    bool has(const std::string& name) const { return values_.count(name) != 0; }
    bool flag(const std::string& name) const { return flags_.count(name) != 0; }
    std::string text(const std::string& name, const std::string& fallback) const;
    int32_t integer(const std::string& name, int32_t fallback) const;
    double number(const std::string& name, double fallback) const;
    const std::vector<std::string>& positional() const { return positional_; }

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
    std::vector<std::string> positional_;
};

int32_t parseInteger(const std::string& what, const std::string& text);
double parseNumber(const std::string& what, const std::string& text);

// The value of a time option ("clock", "eta"): a UTC time parseUtcTime
// reads, from 1970 up to 2200 (what the computer's clock can show), or a
// UsageError naming the option.
UtcMillis parseUtcOption(const std::string& name, const std::string& text);

}  // namespace wx::cli
