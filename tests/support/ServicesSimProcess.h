#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/ServicesSim.h"

namespace wx::test {

// Starts the stand-in on free loopback ports for the lifetime of the object
// (native builds only) and stops it, waiting for it to end. The stand-in
// also ends by itself should this process die first.
class ServicesSimProcess {
public:
    explicit ServicesSimProcess(const std::vector<std::string>& extraArgs = {});
    ~ServicesSimProcess();
    ServicesSimProcess(const ServicesSimProcess&) = delete;
    ServicesSimProcess& operator=(const ServicesSimProcess&) = delete;

    // Empty URLs when it did not start.
    const ServicesSim& sim() const { return sim_; }
    bool started() const { return !sim_.httpsUrl.empty(); }

private:
    pid_t pid_ = -1;
    std::string dir_;
    ServicesSim sim_;
};

}  // namespace wx::test
