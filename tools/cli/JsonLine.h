#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace wx::cli {

// A JSON value as one line of output; text that is not valid UTF-8 is
// printed with replacement characters rather than failing the command.
template <typename Json>
std::string jsonLine(const Json& value) {
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace wx::cli
