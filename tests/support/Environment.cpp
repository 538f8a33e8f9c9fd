#include "support/Environment.h"

#include <cstdlib>
#include <utility>

namespace wx::test {

void setEnvironment(const std::string& name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

void unsetEnvironment(const std::string& name) {
#ifdef _WIN32
    _putenv_s(name.c_str(), "");
#else
    unsetenv(name.c_str());
#endif
}

EnvironmentScope::EnvironmentScope(std::string name, const std::string& value) : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) {
        previous_ = old;
    }
    setEnvironment(name_, value);
}

EnvironmentScope::~EnvironmentScope() {
    if (previous_) {
        setEnvironment(name_, *previous_);
    } else {
        unsetEnvironment(name_);
    }
}

}  // namespace wx::test
