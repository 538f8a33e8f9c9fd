#pragma once

#include <memory>

#include "sources/HttpTransport.h"
#include "support/ServicesSim.h"

namespace wx::test {

// This platform's HTTP transports trusting the web-services stand-in's
// certificate authority while the object lives: natively transports made
// with the authority's file, on Windows the authority added to the user's
// root store (and taken out again). Only ever for a Wine test prefix there.
class StandInTrust {
public:
    explicit StandInTrust(const ServicesSim& sim);
    ~StandInTrust();
    StandInTrust(const StandInTrust&) = delete;
    StandInTrust& operator=(const StandInTrust&) = delete;

    bool ok() const;
    // A new transport of this platform that trusts the authority.
    std::shared_ptr<HttpTransport> transport() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace wx::test
