#include "Faults.h"

#include <charconv>

namespace wx::sim {
namespace {

std::optional<int> number(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) {
        return std::nullopt;
    }
    return value;
}

bool isStatus(std::optional<int> value) { return value && *value >= 100 && *value <= 599; }

// "CODE:VALUE" of a retry-after fault; VALUE may hold colons (an HTTP date).
std::optional<Fault> retryAfterFault(const std::string& arg) {
    const size_t colon = arg.find(':');
    if (colon == std::string::npos || colon + 1 == arg.size()) {
        return std::nullopt;
    }
    const std::optional<int> status = number(arg.substr(0, colon));
    if (!isStatus(status)) {
        return std::nullopt;
    }
    return Fault{Fault::Kind::Status, status, arg.substr(colon + 1)};
}

}  // namespace

std::optional<Fault> parseFault(const std::string& kind) {
    const size_t colon = kind.find(':');
    const std::string name = kind.substr(0, colon);
    const std::optional<std::string> arg =
        colon == std::string::npos ? std::nullopt : std::optional<std::string>(kind.substr(colon + 1));
    if (name == "retry-after") {
        return arg ? retryAfterFault(*arg) : std::nullopt;
    }
    const std::optional<int> value = arg ? number(*arg) : std::nullopt;
    if (arg && !value) {
        return std::nullopt;
    }
    if (name == "delay" && value) {
        return Fault{Fault::Kind::Delay, value, {}};
    }
    if (name == "status" && isStatus(value)) {
        return Fault{Fault::Kind::Status, value, {}};
    }
    if (name == "empty" && !arg) {
        return Fault{Fault::Kind::Empty, std::nullopt, {}};
    }
    if (name == "invalid-json" && !arg) {
        return Fault{Fault::Kind::InvalidJson, std::nullopt, {}};
    }
    if (name == "drop") {
        return Fault{Fault::Kind::Drop, value, {}};
    }
    if (name == "hang" && !arg) {
        return Fault{Fault::Kind::Hang, std::nullopt, {}};
    }
    if (name == "trickle" && value && *value > 0) {
        return Fault{Fault::Kind::Trickle, value, {}};
    }
    if (name == "qnh-rise" && value) {
        return Fault{Fault::Kind::QnhRise, value, {}};
    }
    return std::nullopt;
}

std::optional<std::pair<std::string, Fault>> parseFaultOption(const std::string& option) {
    const size_t equals = option.find('=');
    if (equals == std::string::npos || equals == 0 || option[0] != '/') {
        return std::nullopt;
    }
    const auto fault = parseFault(option.substr(equals + 1));
    if (!fault) {
        return std::nullopt;
    }
    return std::make_pair(option.substr(0, equals), *fault);
}

void FaultTable::set(const std::string& path, const Fault& fault) {
    std::lock_guard lock(mutex_);
    faults_[path] = fault;
    met_.erase(path);
}

void FaultTable::clear(const std::string& path) {
    std::lock_guard lock(mutex_);
    faults_.erase(path);
    met_.erase(path);
}

void FaultTable::clearAll() {
    std::lock_guard lock(mutex_);
    faults_.clear();
    met_.clear();
}

std::optional<std::pair<Fault, int>> FaultTable::meet(const std::string& path) {
    std::lock_guard lock(mutex_);
    const auto it = faults_.find(path);
    if (it == faults_.end()) {
        return std::nullopt;
    }
    return std::make_pair(it->second, ++met_[path]);
}

std::optional<Fault> FaultTable::find(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = faults_.find(path);
    if (it == faults_.end()) {
        return std::nullopt;
    }
    return it->second;
}

}  // namespace wx::sim
