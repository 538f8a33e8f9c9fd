#pragma once

#include <optional>
#include <string>

namespace wx::test {

// Sets an environment variable for its lifetime and restores the previous
// value (or its absence) afterwards.
class EnvironmentScope {
public:
    EnvironmentScope(std::string name, const std::string& value);
    ~EnvironmentScope();
    EnvironmentScope(const EnvironmentScope&) = delete;
    EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
    std::string name_;
    std::optional<std::string> previous_;
};

void setEnvironment(const std::string& name, const std::string& value);
void unsetEnvironment(const std::string& name);

}  // namespace wx::test
